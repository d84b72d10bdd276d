// SPDX-License-Identifier: GPL-3.0-or-later
// File > Import Load Table...: the engineer's load table made into a data
// file, which is then chosen as File > Open chooses one.
#include <QAction>
#include <QFileInfo>
#include <QMenu>

#include "app/desktop_services.h"
#include "import_dialog/import_dialog.h"
#include "main_window/main_window.h"
#include "run/native_path.h"
#include "tamsor/load_table_file.h"

namespace tamsor {

void MainWindow::addImportItem(QMenu* file) {
    importItem_ = file->addAction(QStringLiteral("&Import Load Table..."));
    importItem_->setObjectName(QStringLiteral("FImport_menu"));
    connect(importItem_, &QAction::triggered, this, &MainWindow::FImport_menu_Click);
}

void MainWindow::FImport_menu_Click() {
    const auto chosen =
        services_.chooseFileToOpen(this, kImportDialogTitle, QStringLiteral("Load tables"),
                                   QStringLiteral("*.csv *.txt *.tsv"), lastDataFolder());
    if (!chosen) return;
    const auto path = nativePath(*chosen);
    LoadTableBytes table = path ? readLoadTableFile(*path)
                                : LoadTableBytes{{}, "is one of several files of that name"};
    const auto cannotImport = [&](const QString& reason) {
        services_.showMessage(this, QStringLiteral("Cannot import the load table"),
                              QStringLiteral("%1 %2").arg(QFileInfo(*chosen).fileName(), reason));
    };
    if (!table.problem.empty()) return cannotImport(shownText(table.problem));
    auto* dialog = new ImportDialog(*chosen, std::move(table.bytes), services_, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    if (!dialog->problem().isEmpty()) {
        // Not a text table at all (a workbook, a PDF): nothing to set.
        cannotImport(dialog->problem());
        delete dialog;
        return;
    }
    connect(dialog, &ImportDialog::dataFileWritten, this, &MainWindow::chooseDataFile);
    dialog->open();
}

}  // namespace tamsor
