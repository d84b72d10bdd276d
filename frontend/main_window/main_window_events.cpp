// SPDX-License-Identifier: GPL-3.0-or-later
// The event procedures of the main window, the calculation run and the
// showing of its results.
#include <algorithm>
#include <exception>
#include <initializer_list>
#include <utility>

#include <QAction>
#include <QButtonGroup>
#include <QPushButton>
#include <QScrollBar>

#include "app/desktop_services.h"
#include "chart_window/chart_window.h"
#include "main_window/main_window.h"
#include "main_window/main_window_settings.h"
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
    calculateButton_->setEnabled(false);
    scrollBar_->setEnabled(false);
    clearResults();
}

void MainWindow::FOpen_menu_Click() {
    // Cancelled, the dialog leaves the file chosen before.
    const auto chosen =
        services_.chooseFileToOpen(this, QStringLiteral("Open File"), QStringLiteral("Data File"),
                                   QStringLiteral("*.DAT"), lastDataFolder());
    takeDataFile(chosen.value_or(model_.DataFileName));
}

// Once a file is chosen, another technique is calculated at once, so that
// what is shown is always the ticked technique's.
void MainWindow::Option1_Click(int techniqueId) {
    rememberTechnique(static_cast<TechniqueId>(techniqueId));
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
// detail, and clears what was shown; Calculate stays available, so that the
// file (mended, or freed by another run) or another technique can be
// calculated at once. A run that stopped at an empty type shows the
// groupings it reached. Lines that look like a decimal comma are pointed out
// once, after the outcome.
void MainWindow::ReDraw() {
    model_.MethodFlag = static_cast<TechniqueId>(techniqueButtons_->checkedId());
    RunOutcome outcome = runCalculation(
        model_.DataFileName, model_.MethodFlag, engine_,
        waitWithDialog(services_, this, model_.DataFileName, lockPatience_), lockPatience_);
    const std::vector<TechniqueRun>& runs = outcome.calculation.runs;
    const bool stoppedAtEmptyType = outcome.failure && !outcome.dataFileBusy &&
                                    outcome.calculation.ok() && !runs.empty() &&
                                    !runs.back().complete;
    if (outcome.hasResults()) {
        try {
            GetIsolData(outcome.calculation);
        } catch (const std::exception& error) {
            outcome.failure = calculationFailedMessage(error);
        }
    } else if (stoppedAtEmptyType) {
        showGroupingsReached(outcome);
    }
    if (outcome.hasResults() || (stoppedAtEmptyType && model_.SetsReached > 0)) {
        // The fewest types within the tolerance, of a complete run alone.
        if (outcome.hasResults())
            fewestTypes_->showCalculation(outcome.calculation, toleranceField_->tolerancePercent());
        showResults();
    } else {
        clearResults();
    }
    // Result files that cannot be written for want of room or rights may be
    // written elsewhere; one that would be the data file itself may not.
    const std::optional<CalculationFailure>& failure = outcome.calculation.failure;
    const bool writeRefused = failure && failure->fault == CalculationFault::kResultFile &&
                              failure->resultFault != ResultFault::kIsTheDataFile;
    if (outcome.failure) {
        if (writeRefused)
            offerCopyElsewhere(*outcome.failure);
        else
            services_.showMessage(this, outcome.failure->text, outcome.failure->detail);
    }
    if (outcome.warning)
        services_.showMessage(this, outcome.warning->text, outcome.warning->detail);
}

void MainWindow::showGroupingsReached(RunOutcome& outcome) {
    const std::vector<TechniqueRun>& runs = outcome.calculation.runs;
    const int reached = runs.empty() ? 0 : static_cast<int>(runs.back().sets.size());
    const QString technique = techniqueName(model_.MethodFlag);
    model_.SetsReached = 0;
    if (reached == 0) {
        outcome.failure->detail =
            QStringLiteral(
                "%1 found no grouping: an isolator type became empty at once. Choose "
                "Optimal, which always completes.")
                .arg(technique);
        return;
    }
    try {
        GetIsolData(outcome.calculation);
    } catch (const std::exception& error) {
        outcome.failure = calculationFailedMessage(error);
        model_.SetsReached = 0;
        return;
    }
    const int shown = std::min(reached, kMaxShownTypes);
    const QString found =
        shown == 1 ? QStringLiteral("the grouping for 1 isolator type; it is")
                   : QStringLiteral("groupings for 1 to %1 isolator types; they are").arg(shown);
    outcome.failure->detail =
        QStringLiteral(
            "%1 found %2 shown. An isolator type became empty in the search for %3. "
            "Choose Optimal, which always completes.")
            .arg(technique, found)
            .arg(reached + 1);
}

// The loaded results drawn for the types on the scroll bar, and the ways to
// the chart window and the schedule opened.
void MainWindow::showResults() {
    Graphplot();
    for (QPushButton* zoom : {loadZoomButton_, varianceZoomButton_})
        zoom->setEnabled(true);
    scheduleItem_->setEnabled(true);
    emit resultsShown(shownTypes_);
}

// The results of the calculation's run and the loads it ran on, stored
// together or not at all.
void MainWindow::GetIsolData(const CalculationOutcome& calculation) {
    loadResults(model_, calculation);
}

// The results for the number of types on the scroll bar: both plots and the
// table. Before any results are loaded there is nothing to show; a number of
// types that the run did not reach shows an empty table and the loads
// without types.
void MainWindow::Graphplot() {
    if (!model_.hasResults()) return;
    shownTypes_ = scrollBar_->value();
    // A large building's staircase is drawn to the plot's pixels.
    loadPlot_->setSceneForWidth(
        [this, types = shownTypes_](int columns) { return loadPlot(model_, types, columns); });
    variancePlot_->setScene(variancePlot(model_));
    resultsTable_->setShownTypes(shownTypes_);
}

void MainWindow::clearResults() {
    ResultsModel cleared;
    cleared.DataFileName = model_.DataFileName;
    cleared.MethodFlag = model_.MethodFlag;
    cleared.LoadUnit = model_.LoadUnit;
    model_ = std::move(cleared);
    shownTypes_ = 0;
    loadPlot_->setScene(CanvasScene());
    variancePlot_->setScene(CanvasScene());
    resultsTable_->setShownTypes(0);
    for (QPushButton* zoom : {loadZoomButton_, varianceZoomButton_})
        zoom->setEnabled(false);
    scheduleItem_->setEnabled(false);
    emit resultsCleared();
}

void MainWindow::openChartWindow(ZoomChart chart) {
    if (chartWindow_ == nullptr) {
        chartWindow_ = new ChartWindow(model_, this);
        chartWindow_->setShownTypes(shownTypes_);
        connect(this, &MainWindow::resultsShown, chartWindow_, &ChartWindow::setShownTypes);
        connect(this, &MainWindow::shownTypesChanged, chartWindow_, &ChartWindow::setShownTypes);
        connect(this, &MainWindow::resultsCleared, chartWindow_,
                [this] { chartWindow_->setShownTypes(0); });
    }
    chartWindow_->setDataFile(model_.DataFileName);
    chartWindow_->showModal(chart);
}

// The isolator schedule, modeless, of the results on display.
void MainWindow::Schedule_menu_Click() {
    if (scheduleWindow_ == nullptr) {
        scheduleWindow_ = new ScheduleWindow(model_, services_, this);
        scheduleWindow_->setDataFile(model_.DataFileName);
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
