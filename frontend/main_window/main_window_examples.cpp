// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's ways round a folder that cannot be written to: the
// samples opened as the user's own copies, and a data file whose result
// files cannot be written beside it copied to a folder of the user's choice.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

#include "app/desktop_services.h"
#include "main_window/example_files.h"
#include "main_window/main_window.h"
#include "results/results_model.h"
#include "run/run_messages.h"

namespace tamsor {

void MainWindow::setExampleFolders(const QString& samples, const QString& documents) {
    examplesFolder_ = samples;
    documentsFolder_ = documents;
    showExamples();
}

void MainWindow::showExamples() {
    examplesMenu_->clear();
    const QStringList names = exampleFiles(examplesFolder_);
    for (const QString& name : names) {
        QAction* item = examplesMenu_->addAction(name);
        item->setObjectName(QStringLiteral("Example_menu_") + name);
        connect(item, &QAction::triggered, this, [this, name] { openExample(name); });
    }
    examplesMenu_->setEnabled(!names.isEmpty());
}

void MainWindow::openExample(const QString& name) {
    const ExampleCopy copy =
        copyOfExample(examplesFolder_, name, exampleCopiesFolder(documentsFolder_));
    if (!copy.failure.isEmpty()) {
        services_.showMessage(this, QStringLiteral("Cannot open the example %1").arg(name),
                              copy.failure);
        return;
    }
    chooseDataFile(copy.path);
}

// The design's message and its cause, then the way on: a copy of the data
// file saved where the user chooses (the documents folder offered first)
// and calculated there at once. Cancelled, nothing is copied.
void MainWindow::offerCopyElsewhere(const RunMessage& failure) {
    const QFileInfo data(model_.DataFileName);
    services_.showMessage(
        this, failure.text,
        failure.detail +
            QStringLiteral("\n\nAfter OK, choose another folder for a copy of %1: the copy is "
                           "calculated there, its result files beside it. Cancel leaves it.")
                .arg(data.fileName()));
    const auto target = services_.chooseFileToSave(
        this, QStringLiteral("Save a Copy of the Data File"), QStringLiteral("Data File"),
        QStringLiteral("DAT"), QDir(documentsFolder_).filePath(data.fileName()));
    if (!target) return;
    const QString copy = QFileInfo(*target).absoluteFilePath();
    if (copy == data.absoluteFilePath()) return;
    // The save dialog asked before an existing file is replaced.
    if (QFileInfo::exists(copy)) QFile::remove(copy);
    QFile source(data.absoluteFilePath());
    if (!source.copy(copy)) {
        services_.showMessage(this,
                              QStringLiteral("Cannot write %1").arg(QDir::toNativeSeparators(copy)),
                              source.errorString());
        return;
    }
    QFile::setPermissions(copy, QFile::permissions(copy) | QFileDevice::WriteOwner);
    takeDataFile(copy);
    ReDraw();
}

}  // namespace tamsor
