// SPDX-License-Identifier: GPL-3.0-or-later
// ISOLMAIN: the main window — file choice, technique, calculation run, the
// results table, the load and variance plots, and the ways to the chart
// window and the isolator schedule. The number of isolator types on display
// is its state: the other windows follow it through its signals.
#ifndef TAMSOR_MAIN_WINDOW_H
#define TAMSOR_MAIN_WINDOW_H

#include <chrono>

#include <QMainWindow>

#include "run/calculation_run.h"

class QAction;
class QActionGroup;
class QButtonGroup;
class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QMenu;
class QPushButton;
class QScrollBar;

namespace tamsor {

class Canvas;
class ChartWindow;
class DesktopServices;
class ElasticLayout;
class EngineBinding;
class FewestTypesLine;
class ResultsTable;
class ScheduleWindow;
class SpreadFiguresLabel;
class ToleranceField;
struct ResultsModel;
enum class ZoomChart;

class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    MainWindow(ResultsModel& model, EngineBinding& engine, DesktopServices& services,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // Event procedures, named after their control and event.
    void Form_Load();
    void FOpen_menu_Click();
    void Option1_Click(int techniqueId);
    void Command1_Click();
    void HScroll1_Change();
    void Command2_Click();
    void Command3_Click();
    void Exit_Menu_Click();
    void Schedule_menu_Click();
    void FImport_menu_Click();
    // File > Open Example: the user's copy of the sample `name` opened.
    void openExample(const QString& name);
    void About_menu_Click();

    // A data file named from outside the window, on the command line or by a
    // drop, chosen as File > Open chooses it; the calculation waits for
    // Calculate. A file that is not there is reported at once, with the
    // message a calculation gives for it, and nothing is chosen.
    void chooseDataFile(const QString& path);

    // How long a calculation waits for another run on the same data file.
    void setLockPatience(std::chrono::milliseconds patience) { lockPatience_ = patience; }

    // The number of isolator types whose results are on display; 0 before any.
    int shownTypes() const { return shownTypes_; }

    // Where File > Open Example finds the samples, and the user's documents
    // folder, where their copies go and copies of other data files are
    // offered; tests point them elsewhere.
    void setExampleFolders(const QString& samples, const QString& documents);

  signals:
    // A calculation's results, of the chosen data file, are shown for `types` types.
    void resultsShown(int types);
    // The scroll bar moved the results on display to `types` types.
    void shownTypesChanged(int types);
    // The results on display, if any, are no longer the chosen data file's:
    // another file was chosen, or its calculation failed.
    void resultsCleared();

  protected:
    // A data file (*.DAT) dragged from the file manager onto the window.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void buildControls();
    QWidget* buildTechniqueFrame();
    void buildSpreadControls(ElasticLayout* elastic);
    void buildMenus();
    void addImportItem(QMenu* file);
    void buildRecentFilesMenu(QMenu* file);
    void showExamples();
    void buildUnitsMenu();
    void buildHelpMenu();
    void buildCalculateKeys();
    void arrangeTabOrder();

    void ReDraw();
    void GetIsolData(const CalculationOutcome& calculation);
    void Graphplot();
    // Shows what the status-2 run reached, or, where it reached nothing or
    // cannot be shown, the failure as it is.
    void showGroupingsReached(RunOutcome& outcome);
    // Empties the table and both plots, disables Zoom and the schedule: what
    // was on display no longer belongs to the file and technique chosen.
    void clearResults();
    // `path` becomes the data file, and its folder the one the Open dialog
    // starts in from now on, in later runs too; the caption names it.
    void takeDataFile(const QString& path);
    static QString lastDataFolder();
    void openChartWindow(ZoomChart chart);
    void showCaptions();
    void showResults();
    void showTypesLabel();
    void showRecentFiles();
    void chooseLoadUnit(const QString& unit);
    // After result files that cannot be written beside the data file: a copy
    // of the data file saved where the user chooses, then calculated there.
    void offerCopyElsewhere(const RunMessage& failure);

    ResultsModel& model_;
    EngineBinding& engine_;
    DesktopServices& services_;
    std::chrono::milliseconds lockPatience_ = kDataFileLockPatience;
    int shownTypes_ = 0;
    QString examplesFolder_;
    QString documentsFolder_;
    // Created when first opened, kept for the run.
    ChartWindow* chartWindow_ = nullptr;
    ScheduleWindow* scheduleWindow_ = nullptr;

    Canvas* loadPlot_ = nullptr;
    QPushButton* loadZoomButton_ = nullptr;
    QButtonGroup* techniqueButtons_ = nullptr;
    QPushButton* calculateButton_ = nullptr;
    Canvas* variancePlot_ = nullptr;
    QPushButton* varianceZoomButton_ = nullptr;
    QScrollBar* scrollBar_ = nullptr;
    ResultsTable* resultsTable_ = nullptr;
    QLabel* typesLabel_ = nullptr;
    SpreadFiguresLabel* spreadFigures_ = nullptr;
    ToleranceField* toleranceField_ = nullptr;
    FewestTypesLine* fewestTypes_ = nullptr;
    QAction* openItem_ = nullptr;
    QAction* exitItem_ = nullptr;
    QAction* scheduleItem_ = nullptr;
    QAction* importItem_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QMenu* examplesMenu_ = nullptr;
    QActionGroup* unitItems_ = nullptr;
};

}  // namespace tamsor

#endif
