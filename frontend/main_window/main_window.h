// ISOLMAIN: the main window — file choice, technique, calculation run, the
// results table, the load and variance plots, and the way to the charts.
#ifndef TAMSOR_ISOLMAIN_H
#define TAMSOR_ISOLMAIN_H

#include <array>
#include <chrono>
#include <memory>

#include <QMainWindow>

#include "run/calculation_run.h"
#include "run/run_messages.h"

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace tamsor {

class Canvas;
class DesktopServices;
class EngineBinding;
class IsolZoom;
class ResultsTable;
class ScheduleWindow;
struct IsolDef;

class ISOLMAIN : public QMainWindow {
    Q_OBJECT

  public:
    ISOLMAIN(IsolDef& isoldef, EngineBinding& engine, DesktopServices& services,
             QWidget* parent = nullptr);
    ~ISOLMAIN() override;

    // Event procedures, named after their control and event.
    void Form_Load();
    void FOpen_menu_Click();
    void Option1_Click(int index);
    void Command1_Click();
    void HScroll1_Change();
    void Command2_Click();
    void Command3_Click();
    void Exit_Menu_Click();
    void Schedule_menu_Click();

    // A data file named from outside the window, on the command line or by a
    // drop, chosen as File > Open chooses it; the calculation waits for
    // Calculate. A file that is not there is reported at once, with the
    // message a calculation gives for it, and nothing is chosen.
    void chooseDataFile(const QString& path);

    // How long a calculation waits for another run on the same data file.
    void setLockPatience(std::chrono::milliseconds patience) { lockPatience_ = patience; }

  protected:
    // A data file (*.DAT) dragged from the file manager onto the window.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void buildControls();
    void buildMenus();
    void connectEvents();
    void arrangeTabOrder();

    void ReDraw();
    void GetIsolData();
    void Graphplot();
    void setRunControlsEnabled(bool enabled);
    // `path` becomes the data file, and its folder the one the Open dialog
    // starts in from now on, in later runs too.
    void takeDataFile(const QString& path);
    static QString lastDataFolder();
    void openChartWindow();
    // The isolator schedule: its menu, and whether the results on display
    // belong to the chosen data file (only then is there a schedule to show).
    void buildScheduleMenu();
    void setScheduleAvailable(bool available);
    void updateSchedule();

    IsolDef& isoldef_;
    EngineBinding& engine_;
    DesktopServices& services_;
    IsolZoom* chartWindow_ = nullptr;  // created at the first Zoom, kept for the run
    std::chrono::milliseconds lockPatience_ = kDataFileLockPatience;
    // Created when the schedule is first opened, kept for the run.
    ScheduleWindow* scheduleWindow_ = nullptr;

    // Controls under their design names.
    QWidget* VideoSoftElastic1 = nullptr;
    Canvas* Picture1 = nullptr;
    QPushButton* Command2 = nullptr;
    QGroupBox* Frame1 = nullptr;
    std::array<QRadioButton*, 3> Option1{};  // "Method 1", "Method2", "Optimal"
    QPushButton* Command1 = nullptr;
    Canvas* Picture2 = nullptr;
    QPushButton* Command3 = nullptr;
    QScrollBar* HScroll1 = nullptr;
    ResultsTable* MSFlexGrid1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QMenu* File_menu = nullptr;
    QAction* FOpen_menu = nullptr;
    QAction* Exit_menu = nullptr;
    QMenu* Results_menu = nullptr;
    QAction* Schedule_menu = nullptr;
};

}  // namespace tamsor

#endif
