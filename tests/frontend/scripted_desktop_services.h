// SPDX-License-Identifier: GPL-3.0-or-later
// Dialog answers given in advance, and the messages shown, for window tests.
#ifndef TAMSOR_TESTS_SCRIPTED_DESKTOP_SERVICES_H
#define TAMSOR_TESTS_SCRIPTED_DESKTOP_SERVICES_H

#include <chrono>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

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

    // A wait dialog as shown: its text, the times waited it showed, whether
    // it is still on show.
    struct Wait {
        QString text;
        std::chrono::milliseconds patience{0};
        std::vector<std::chrono::milliseconds> shown;
        bool open = true;
    };
    std::vector<std::shared_ptr<Wait>> waits;
    // Cancel is pressed once a wait dialog has shown the time waited this
    // many times; 0: never.
    std::size_t cancelWaitAfter = 0;

    std::unique_ptr<WaitDialog> showWait(QWidget*, const QString& text,
                                         std::chrono::milliseconds patience) override {
        waits.push_back(std::make_shared<Wait>(Wait{text, patience, {}, true}));
        return std::make_unique<ScriptedWait>(waits.back(), cancelWaitAfter);
    }

  private:
    class ScriptedWait final : public WaitDialog {
      public:
        ScriptedWait(std::shared_ptr<Wait> wait, std::size_t cancelAfter)
            : wait_(std::move(wait)), cancelAfter_(cancelAfter) {}
        ~ScriptedWait() override { wait_->open = false; }
        void showWaited(std::chrono::milliseconds waited) override {
            wait_->shown.push_back(waited);
        }
        bool cancelled() const override {
            return cancelAfter_ > 0 && wait_->shown.size() >= cancelAfter_;
        }

      private:
        std::shared_ptr<Wait> wait_;
        std::size_t cancelAfter_;
    };

    std::deque<std::optional<QString>> saveAnswers_;
    std::deque<std::optional<QString>> fileAnswers_;
};

}  // namespace tamsor::testing

#endif
