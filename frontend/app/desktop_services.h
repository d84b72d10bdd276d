// SPDX-License-Identifier: GPL-3.0-or-later
// The modal dialogs of the program — the open-file and save-file dialogs, the
// message box and the wait for another program — behind one seam, so that
// tests answer them without ever blocking.
#ifndef TAMSOR_DESKTOP_SERVICES_H
#define TAMSOR_DESKTOP_SERVICES_H

#include <chrono>
#include <memory>
#include <optional>

#include <QString>

class QWidget;

namespace tamsor {

inline const QString kApplicationTitle = QStringLiteral("TAMSOR");

// A wait for something outside the program, on show while the object lives.
class WaitDialog {
  public:
    virtual ~WaitDialog() = default;
    // Shows how long the wait has lasted so far.
    virtual void showWaited(std::chrono::milliseconds waited) = 0;
    // Whether the user pressed Cancel.
    virtual bool cancelled() const = 0;
};

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
    // Shows the text with a Cancel button and the time waited out of
    // `patience`, the application title as caption, and returns at once; the
    // program's windows take no input while it is on show. Here: nothing is
    // shown and the wait runs its course.
    virtual std::unique_ptr<WaitDialog> showWait(QWidget* parent, const QString& text,
                                                 std::chrono::milliseconds patience);
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
    std::unique_ptr<WaitDialog> showWait(QWidget* parent, const QString& text,
                                         std::chrono::milliseconds patience) override;
};

}  // namespace tamsor

#endif
