// The event procedures of the main window and the calculation run.
#include <exception>

#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "canvas.h"
#include "desktop_services.h"
#include "engine_binding.h"
#include "isoldef.h"
#include "isolmain.h"
#include "isolzoom.h"
#include "results_display.h"
#include "results_loading.h"

namespace tamsor {

void ISOLMAIN::Form_Load() {
    setWindowState(windowState() | Qt::WindowMaximized);
    setRunControlsEnabled(false);
}

void ISOLMAIN::FOpen_menu_Click() {
    CommonDialog1.DialogTitle = QStringLiteral("Open File");
    CommonDialog1.Filter = QStringLiteral("Data File | *.DAT");
    CommonDialog1.ShowOpen(this);
    // The path the dialog reports, cut or blank padded to 120 characters.
    isoldef_.DataFileName = CommonDialog1.FileName.left(kDataFileNameLength)
                                .leftJustified(kDataFileNameLength, QLatin1Char(' '));
    setRunControlsEnabled(true);
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

// The calculation run: the engine, then the results read back and drawn. Any
// run-time error on the way (the engine's binding, the loading) ends in one
// message; drawing a loaded model cannot fail.
void ISOLMAIN::ReDraw() {
    try {
        isoldef_.MethodFlag = Option1[0]->isChecked() ? 0 : 1;
        const std::int32_t status = engine_.calculate(isoldef_.MethodFlag, isoldef_.DataFileName);
        switch (static_cast<std::int16_t>(status)) {  // the low 16 bits
            case 1:
                setRunControlsEnabled(false);
                services_.showMessage(this, kUnreadableLoadsMessage);
                return;
            case 2:
                setRunControlsEnabled(false);
                services_.showMessage(this, kNoOptimumMessage);
                return;
            default:
                GetIsolData();
                loadDataFileLoads(isoldef_);
                Graphplot();
                setScheduleAvailable(true);
                return;
        }
    } catch (const std::exception&) {
        setRunControlsEnabled(false);
        services_.showMessage(this, kCalculationFailedMessage);
    }
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
