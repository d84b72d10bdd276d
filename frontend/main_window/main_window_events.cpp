// The event procedures of the main window and the calculation run.
#include <exception>
#include <optional>
#include <vector>

#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "app/desktop_services.h"
#include "chart_window/chart_window.h"
#include "main_window/main_window.h"
#include "plots/results_display.h"
#include "results/results_loading.h"
#include "results/results_model.h"
#include "run/calculation_run.h"
#include "run/engine_binding.h"
#include "run/run_messages.h"
#include "widgets/canvas.h"

namespace tamsor {

void ISOLMAIN::Form_Load() {
    setWindowState(windowState() | Qt::WindowMaximized);
    setRunControlsEnabled(false);
}

void ISOLMAIN::FOpen_menu_Click() {
    // Cancelled, the dialog leaves the file chosen before.
    const auto chosen =
        services_.chooseFileToOpen(this, QStringLiteral("Open File"), QStringLiteral("Data File"),
                                   QStringLiteral("*.DAT"), lastDataFolder());
    takeDataFile(chosen.value_or(isoldef_.DataFileName));
}

void ISOLMAIN::Option1_Click(int /*index*/) {
    if (Command1->isEnabled()) ReDraw();
}

void ISOLMAIN::Command1_Click() {
    ReDraw();
}

void ISOLMAIN::HScroll1_Change() {
    Graphplot();
    updateSchedule();
}

void ISOLMAIN::Command2_Click() {
    isoldef_.ZoomMeanChart = true;
    openChartWindow();
}

void ISOLMAIN::Command3_Click() {
    isoldef_.ZoomMeanChart = false;
    openChartWindow();
}

void ISOLMAIN::Exit_Menu_Click() {
    close();
}

// The calculation run: the technique chosen, then the results read back and drawn.
// A refusal or failure on the way ends in one message, its cause as the
// detail; drawing a loaded model cannot fail. Lines that look like a decimal
// comma are pointed out once, after the outcome.
void ISOLMAIN::ReDraw() {
    std::vector<DecimalCommaWarning> warnings;
    std::optional<RunMessage> failure;
    try {
        // The flag is the index of the option chosen: 0 "Method 1", 1 "Method2", 2 "Optimal".
        for (std::size_t index = 0; index < Option1.size(); ++index)
            if (Option1[index]->isChecked()) isoldef_.MethodFlag = static_cast<std::int16_t>(index);
        failure = runCalculation(chosenPath(isoldef_), isoldef_.MethodFlag, engine_, lockPatience_,
                                 warnings, [this] {
                                     GetIsolData();
                                     loadDataFileLoads(isoldef_);
                                 });
        if (!failure) {
            Graphplot();
            setScheduleAvailable(true);
        }
    } catch (const std::exception& error) {
        failure = calculationFailedMessage(error);
    }
    if (failure) {
        setRunControlsEnabled(false);
        services_.showMessage(this, failure->text, failure->detail);
    }
    if (const auto warning = decimalCommaWarning(warnings))
        services_.showMessage(this, warning->text, warning->detail);
}

void ISOLMAIN::GetIsolData() {
    loadResults(isoldef_);
}

void ISOLMAIN::Graphplot() {
    drawResults(isoldef_, {*Picture1, *Picture2, *MSFlexGrid1}, HScroll1->value());
}

// Calculate, both Zoom buttons and the scroll bar always change together.
void ISOLMAIN::setRunControlsEnabled(bool enabled) {
    Command1->setEnabled(enabled);
    Command2->setEnabled(enabled);
    Command3->setEnabled(enabled);
    HScroll1->setEnabled(enabled);
    // Either way no results of the chosen file are shown: a file was just
    // chosen, or the program started, or the calculation failed.
    setScheduleAvailable(false);
}

void ISOLMAIN::openChartWindow() {
    if (chartWindow_ == nullptr) chartWindow_ = new IsolZoom(isoldef_, this);
    chartWindow_->showModal();
}

}  // namespace tamsor
