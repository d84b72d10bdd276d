#include "desktop_services.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace tamsor {

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
                                                                 const QString& pattern) {
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // Qt's own dialog, whose filter matches "*.DAT" in any letter case:
    // engineers' files come as BLDG.DAT and bldg.dat alike.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilter(QStringLiteral("%1 (%2)").arg(filterLabel, pattern));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

void PlatformDesktopServices::showMessage(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, kApplicationTitle, text, QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace tamsor
