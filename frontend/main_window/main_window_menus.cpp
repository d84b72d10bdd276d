// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's menus beyond the design's File > Open and Exit: the
// recent data files, the load unit, Help > About, and the keys that
// calculate.
#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>

#include "app/desktop_services.h"
#include "main_window/about_text.h"
#include "main_window/main_window.h"
#include "main_window/main_window_settings.h"
#include "results/results_model.h"
#include "results/results_table.h"
#include "run/engine_binding.h"
#include "schedule_window/schedule_window.h"

namespace tamsor {

// File > Recent Files: the last data files opened, the latest first, each
// opened as one named on the command line (a file gone since is reported).
void MainWindow::buildRecentFilesMenu(QMenu* file) {
    recentMenu_ = file->addMenu(QStringLiteral("&Recent Files"));
    recentMenu_->setObjectName(QStringLiteral("Recent_menu"));
    showRecentFiles();
}

void MainWindow::showRecentFiles() {
    recentMenu_->clear();
    const QStringList files = recentFiles();
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        QAction* item = recentMenu_->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
        item->setObjectName(QStringLiteral("Recent_menu_%1").arg(i + 1));
        item->setToolTip(QDir::toNativeSeparators(path));
        item->setStatusTip(item->toolTip());
        connect(item, &QAction::triggered, this, [this, path] { chooseDataFile(path); });
    }
    recentMenu_->setEnabled(!files.isEmpty());
}

// Units: the unit the loads are labelled with wherever they are shown; no
// value is converted.
void MainWindow::buildUnitsMenu() {
    QMenu* units = menuBar()->addMenu(QStringLiteral("&Units"));
    units->setObjectName(QStringLiteral("Units_menu"));
    unitItems_ = new QActionGroup(this);
    for (const QString& unit : kLoadUnits) {
        QAction* item =
            units->addAction(unit.isEmpty() ? QStringLiteral("&None") : QStringLiteral("&") + unit);
        item->setObjectName(
            QStringLiteral("Unit_menu_%1").arg(unit.isEmpty() ? QStringLiteral("none") : unit));
        item->setCheckable(true);
        item->setChecked(unit == model_.LoadUnit);
        unitItems_->addAction(item);
        connect(item, &QAction::triggered, this, [this, unit] { chooseLoadUnit(unit); });
    }
}

void MainWindow::chooseLoadUnit(const QString& unit) {
    model_.LoadUnit = unit;
    rememberLoadUnit(unit);
    resultsTable_->setShownTypes(shownTypes_);
    if (shownTypes_ > 0) {
        Graphplot();
        emit shownTypesChanged(shownTypes_);
    }
    if (scheduleWindow_ != nullptr && shownTypes_ == 0) scheduleWindow_->clearResults();
}

void MainWindow::buildHelpMenu() {
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("Help_menu"));
    QAction* about = help->addAction(QStringLiteral("&About TAMSOR"));
    about->setObjectName(QStringLiteral("About_menu"));
    connect(about, &QAction::triggered, this, &MainWindow::About_menu_Click);
}

void MainWindow::About_menu_Click() {
    services_.showMessage(this, aboutText(engine_.libraryPath()));
}

// Calculate is the window's default button: Enter presses it, and so does
// F5, wherever the focus is in the window.
void MainWindow::buildCalculateKeys() {
    calculateButton_->setDefault(true);
    for (const QKeySequence& key :
         {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter), QKeySequence(Qt::Key_F5)}) {
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, [this] {
            if (calculateButton_->isEnabled()) calculateButton_->click();
        });
    }
}

void MainWindow::showTypesLabel() {
    const int types = scrollBar_->value();
    typesLabel_->setText(types == 1 ? QStringLiteral("1 isolator type")
                                    : QStringLiteral("%1 isolator types").arg(types));
}

}  // namespace tamsor
