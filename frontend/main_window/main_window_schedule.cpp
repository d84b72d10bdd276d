// The main window's way to the isolator schedule: the Results menu and the
// schedule window, which follows the results on display.
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "main_window/main_window.h"
#include "schedule_window/schedule_window.h"
#include "widgets/canvas.h"

namespace tamsor {

void ISOLMAIN::buildScheduleMenu() {
    Results_menu = menuBar()->addMenu(QStringLiteral("&Results"));
    Results_menu->setObjectName(QStringLiteral("Results_menu"));
    Schedule_menu = Results_menu->addAction(QStringLiteral("Isolator &Schedule..."));
    Schedule_menu->setObjectName(QStringLiteral("Schedule_menu"));
    Schedule_menu->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    connect(Schedule_menu, &QAction::triggered, this, &ISOLMAIN::Schedule_menu_Click);
}

void ISOLMAIN::Schedule_menu_Click() {
    if (scheduleWindow_ == nullptr)
        scheduleWindow_ =
            new ScheduleWindow(isoldef_, Picture1->scene(), Picture2->scene(), services_, this);
    scheduleWindow_->showSchedule(Schedule_menu->isEnabled());
    scheduleWindow_->show();
    scheduleWindow_->raise();
    scheduleWindow_->activateWindow();
}

void ISOLMAIN::setScheduleAvailable(bool available) {
    Schedule_menu->setEnabled(available);
    updateSchedule();
}

// An open schedule window shows the result set on display.
void ISOLMAIN::updateSchedule() {
    if (scheduleWindow_ != nullptr && scheduleWindow_->isVisible())
        scheduleWindow_->showSchedule(Schedule_menu->isEnabled());
}

}  // namespace tamsor
