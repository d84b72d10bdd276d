// SPDX-License-Identifier: GPL-3.0-or-later
// The event procedures of the main window, the calculation run and the
// showing of its results.
#include <exception>
#include <initializer_list>

#include <QAction>
#include <QButtonGroup>
#include <QPushButton>
#include <QScrollBar>

#include "app/desktop_services.h"
#include "chart_window/chart_window.h"
#include "main_window/main_window.h"
#include "main_window/tolerance_controls.h"
#include "plots/load_plot.h"
#include "plots/variance_plot.h"
#include "results/results_loading.h"
#include "results/results_model.h"
#include "results/results_table.h"
#include "schedule_window/schedule_window.h"
#include "widgets/canvas.h"

namespace tamsor {

void MainWindow::Form_Load() {
    setWindowState(windowState() | Qt::WindowMaximized);
    setRunControlsEnabled(false);
}

void MainWindow::FOpen_menu_Click() {
    // Cancelled, the dialog leaves the file chosen before.
    const auto chosen =
        services_.chooseFileToOpen(this, QStringLiteral("Open File"), QStringLiteral("Data File"),
                                   QStringLiteral("*.DAT"), lastDataFolder());
    takeDataFile(chosen.value_or(model_.DataFileName));
}

void MainWindow::Option1_Click(int /*techniqueId*/) {
    if (calculateButton_->isEnabled()) ReDraw();
}

void MainWindow::Command1_Click() {
    ReDraw();
}

void MainWindow::HScroll1_Change() {
    Graphplot();
    if (shownTypes_ > 0) emit shownTypesChanged(shownTypes_);
}

void MainWindow::Command2_Click() {
    openChartWindow(ZoomChart::kMeanLoad);
}

void MainWindow::Command3_Click() {
    openChartWindow(ZoomChart::kVariance);
}

void MainWindow::Exit_Menu_Click() {
    close();
}

// The chosen technique's calculation, then its results loaded and shown. A
// refusal or failure on the way ends in one message, its cause as the
// detail; after a wait for another run given up, the file may be calculated
// again at once. Lines that look like a decimal comma are pointed out once,
// after the outcome.
void MainWindow::ReDraw() {
    model_.MethodFlag = static_cast<TechniqueId>(techniqueButtons_->checkedId());
    RunOutcome outcome = runCalculation(
        model_.DataFileName, model_.MethodFlag, engine_,
        waitWithDialog(services_, this, model_.DataFileName, lockPatience_), lockPatience_);
    if (outcome.hasResults()) {
        try {
            GetIsolData(outcome.calculation);
        } catch (const std::exception& error) {
            outcome.failure = calculationFailedMessage(error);
        }
    }
    if (outcome.failure) {
        if (!outcome.dataFileBusy) setRunControlsEnabled(false);
        services_.showMessage(this, outcome.failure->text, outcome.failure->detail);
    } else if (outcome.hasResults()) {
        Graphplot();
        scheduleItem_->setEnabled(true);
        fewestTypes_->showCalculation(outcome.calculation, toleranceField_->tolerancePercent());
        emit resultsShown(shownTypes_);
    }
    if (outcome.warning)
        services_.showMessage(this, outcome.warning->text, outcome.warning->detail);
}

// The results of the calculation's run and the loads it ran on, stored
// together or not at all.
void MainWindow::GetIsolData(const CalculationOutcome& calculation) {
    loadResults(model_, calculation);
}

// The results for the number of types on the scroll bar: both plots and the
// table. Before any results are loaded there is nothing to show.
void MainWindow::Graphplot() {
    if (!model_.hasResults()) return;
    shownTypes_ = scrollBar_->value();
    loadPlot_->setScene(loadPlot(model_, shownTypes_));
    variancePlot_->setScene(variancePlot(model_));
    resultsTable_->setShownTypes(shownTypes_);
}

// Calculate, both Zoom buttons and the scroll bar always change together.
// Either way the results on display are not the chosen file's: a file was
// just chosen, or the program started, or the calculation failed.
void MainWindow::setRunControlsEnabled(bool enabled) {
    for (QWidget* control : std::initializer_list<QWidget*>{calculateButton_, loadZoomButton_,
                                                            varianceZoomButton_, scrollBar_})
        control->setEnabled(enabled);
    scheduleItem_->setEnabled(false);
    emit resultsCleared();
}

void MainWindow::openChartWindow(ZoomChart chart) {
    if (chartWindow_ == nullptr) {
        chartWindow_ = new ChartWindow(model_, this);
        chartWindow_->setShownTypes(shownTypes_);
        connect(this, &MainWindow::resultsShown, chartWindow_, &ChartWindow::setShownTypes);
        connect(this, &MainWindow::shownTypesChanged, chartWindow_, &ChartWindow::setShownTypes);
    }
    chartWindow_->showModal(chart);
}

// The isolator schedule, modeless, of the results on display.
void MainWindow::Schedule_menu_Click() {
    if (scheduleWindow_ == nullptr) {
        scheduleWindow_ = new ScheduleWindow(model_, services_, this);
        if (scheduleItem_->isEnabled()) scheduleWindow_->showResults(shownTypes_);
        connect(this, &MainWindow::resultsShown, scheduleWindow_, &ScheduleWindow::showResults);
        connect(this, &MainWindow::shownTypesChanged, scheduleWindow_,
                &ScheduleWindow::followShownTypes);
        connect(this, &MainWindow::resultsCleared, scheduleWindow_, &ScheduleWindow::clearResults);
    }
    scheduleWindow_->show();
    scheduleWindow_->raise();
    scheduleWindow_->activateWindow();
}

}  // namespace tamsor
