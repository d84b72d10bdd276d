// Dialog answers given in advance, and the messages shown, for window tests.
#ifndef TAMSOR_TESTS_SCRIPTED_DESKTOP_SERVICES_H
#define TAMSOR_TESTS_SCRIPTED_DESKTOP_SERVICES_H

#include <deque>
#include <optional>

#include <QString>
#include <QStringList>

#include "app/desktop_services.h"

namespace tamsor::testing {

class ScriptedDesktopServices final : public DesktopServices {
  public:
    // The next save-file dialog returns `path`; nothing means Cancel.
    void answerNextSaveDialog(std::optional<QString> path) {
        saveAnswers_.push_back(std::move(path));
    }

    std::optional<QString> chooseFileToSave(QWidget*, const QString& title,
                                            const QString& filterLabel, const QString& suffix,
                                            const QString& suggestedPath) override {
        lastSaveDialog = {title, filterLabel, suffix, suggestedPath};
        if (saveAnswers_.empty()) return std::nullopt;
        auto answer = saveAnswers_.front();
        saveAnswers_.pop_front();
        return answer;
    }
    struct SaveDialog {
        QString title, filterLabel, suffix, suggestedPath;
    };
    SaveDialog lastSaveDialog;

    // The next open-file dialog returns `path`; nothing means Cancel.
    void answerNextFileDialog(std::optional<QString> path) {
        fileAnswers_.push_back(std::move(path));
    }

    std::optional<QString> chooseFileToOpen(QWidget*, const QString& title,
                                            const QString& filterLabel, const QString& pattern,
                                            const QString& startFolder) override {
        lastDialog = {title, filterLabel, pattern, startFolder};
        if (fileAnswers_.empty()) return std::nullopt;
        auto answer = fileAnswers_.front();
        fileAnswers_.pop_front();
        return answer;
    }

    void showMessage(QWidget*, const QString& text, const QString& detail) override {
        messages.append(text);
        details.append(detail);
    }

    struct Dialog {
        QString title, filterLabel, pattern, startFolder;
    };
    Dialog lastDialog;
    QStringList messages;
    QStringList details;  // one for each message, empty where it has none

  private:
    std::deque<std::optional<QString>> saveAnswers_;
    std::deque<std::optional<QString>> fileAnswers_;
};

}  // namespace tamsor::testing

#endif
