#include "desktop_services.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace tamsor {

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
