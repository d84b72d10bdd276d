// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/desktop_services.h"

#include <algorithm>

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QProgressDialog>

namespace tamsor {
namespace {

// A progress dialog whose bar fills, second by second, as the patience runs out.
class ProgressWait final : public WaitDialog {
  public:
    ProgressWait(QWidget* parent, const QString& text, std::chrono::milliseconds patience)
        : dialog_(text, QStringLiteral("Cancel"), 0, 0, parent) {
        auto* bar = new QProgressBar;
        bar->setFormat(QStringLiteral("%v s of %m s"));
        dialog_.setBar(bar);
        dialog_.setRange(
            0, static_cast<int>(std::chrono::ceil<std::chrono::seconds>(patience).count()));
        dialog_.setWindowTitle(kApplicationTitle);
        dialog_.setWindowModality(Qt::ApplicationModal);
        dialog_.setAutoClose(false);
        dialog_.setAutoReset(false);
        dialog_.setMinimumDuration(0);
        dialog_.show();
    }
    void showWaited(std::chrono::milliseconds waited) override {
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(waited).count();
        dialog_.setValue(static_cast<int>(std::min<qint64>(seconds, dialog_.maximum())));
    }
    bool cancelled() const override { return dialog_.wasCanceled(); }

  private:
    QProgressDialog dialog_;
};

class UnshownWait final : public WaitDialog {
  public:
    void showWaited(std::chrono::milliseconds) override {}
    bool cancelled() const override { return false; }
};

}  // namespace

std::unique_ptr<WaitDialog> DesktopServices::showWait(QWidget*, const QString&,
                                                      std::chrono::milliseconds) {
    return std::make_unique<UnshownWait>();
}

std::optional<QString> PlatformDesktopServices::chooseFileToSave(QWidget* parent,
                                                                 const QString& title,
                                                                 const QString& filterLabel,
                                                                 const QString& suffix,
                                                                 const QString& suggestedPath) {
    // Qt's own dialog in save mode asks before it lets an existing file be replaced.
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilter(QStringLiteral("%1 (*.%2)").arg(filterLabel, suffix));
    dialog.setDefaultSuffix(suffix);
    dialog.setDirectory(QFileInfo(suggestedPath).absolutePath());
    dialog.selectFile(QFileInfo(suggestedPath).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

std::optional<QString> PlatformDesktopServices::chooseFileToOpen(QWidget* parent,
                                                                 const QString& title,
                                                                 const QString& filterLabel,
                                                                 const QString& pattern,
                                                                 const QString& startFolder) {
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // A folder that has gone since leaves the dialog where it starts by itself.
    if (!startFolder.isEmpty() && QFileInfo(startFolder).isDir()) dialog.setDirectory(startFolder);
    // Any name typed is reported: the dialog lists no file whose name is not
    // valid UTF-8 (a Latin-1 café.DAT) and would refuse it as missing, but the
    // program finds it by its typed name. A name that does not exist is
    // reported as missing when it is calculated.
    dialog.setFileMode(QFileDialog::AnyFile);
    // Qt's own dialog, whose filter matches "*.DAT" in any letter case:
    // engineers' files come as BLDG.DAT and bldg.dat alike.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // Any file may be chosen as well: data files and tables come under many names.
    dialog.setNameFilters(
        {QStringLiteral("%1 (%2)").arg(filterLabel, pattern), QStringLiteral("All files (*)")});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

void PlatformDesktopServices::showMessage(QWidget* parent, const QString& text,
                                          const QString& detail) {
    QMessageBox box(QMessageBox::NoIcon, kApplicationTitle, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    if (!detail.isEmpty()) {
        box.setInformativeText(detail);
        // File names and the offending text of a line are shown as they are,
        // never taken for markup, and can be copied.
        if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"))) {
            label->setTextFormat(Qt::PlainText);
            label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        }
    }
    box.exec();
}

std::unique_ptr<WaitDialog> PlatformDesktopServices::showWait(QWidget* parent, const QString& text,
                                                              std::chrono::milliseconds patience) {
    return std::make_unique<ProgressWait>(parent, text, patience);
}

}  // namespace tamsor
