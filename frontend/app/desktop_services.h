// The modal dialogs of the program — the open-file and save-file dialogs and
// the message box — behind one seam, so that tests answer them without ever blocking.
#ifndef TAMSOR_DESKTOP_SERVICES_H
#define TAMSOR_DESKTOP_SERVICES_H

#include <optional>

#include <QString>

class QWidget;

namespace tamsor {

inline const QString kApplicationTitle = QStringLiteral("TAMSOR");

class DesktopServices {
  public:
    virtual ~DesktopServices() = default;
    // Shows the save-file dialog with one filter entry, starting at
    // `suggestedPath`; it asks before an existing file is replaced and adds
    // `suffix` to a name typed without one. Returns the chosen full path, or
    // nothing when the user cancelled.
    virtual std::optional<QString> chooseFileToSave(QWidget* parent, const QString& title,
                                                    const QString& filterLabel,
                                                    const QString& suffix,
                                                    const QString& suggestedPath) = 0;
    // Shows the open-file dialog with one filter entry, starting in
    // `startFolder` (empty: the dialog's own choice); returns the chosen full
    // path, or nothing when the user cancelled.
    virtual std::optional<QString> chooseFileToOpen(QWidget* parent, const QString& title,
                                                    const QString& filterLabel,
                                                    const QString& pattern,
                                                    const QString& startFolder) = 0;
    // Shows the text with an OK button only, no icon, the application title as
    // caption, and returns when it is closed. A detail (the cause of a
    // failure) is shown under the text.
    virtual void showMessage(QWidget* parent, const QString& text,
                             const QString& detail = QString()) = 0;
};

// The real dialogs.
class PlatformDesktopServices final : public DesktopServices {
  public:
    std::optional<QString> chooseFileToSave(QWidget* parent, const QString& title,
                                            const QString& filterLabel, const QString& suffix,
                                            const QString& suggestedPath) override;
    std::optional<QString> chooseFileToOpen(QWidget* parent, const QString& title,
                                            const QString& filterLabel, const QString& pattern,
                                            const QString& startFolder) override;
    void showMessage(QWidget* parent, const QString& text, const QString& detail) override;
};

}  // namespace tamsor

#endif
