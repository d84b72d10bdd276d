// The "Isolator Schedule" window: for the result set on display, each isolator
// type's design figures and the type of every isolator in data file order,
// in two tables that sort by any column and copy as tab-separated text, with
// the schedule's export as CSV and its report as PDF. Modeless: it follows
// the main window while it is open.
#ifndef TAMSOR_SCHEDULE_WINDOW_H
#define TAMSOR_SCHEDULE_WINDOW_H

#include <functional>

#include <QDialog>

#include "schedule_window/shown_schedule.h"

class QBoxLayout;
class QIODevice;
class QLabel;
class QLayout;
class QPushButton;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;

namespace tamsor {

class CanvasScene;
class DesktopServices;
struct IsolDef;
struct TextTable;

inline const QString kScheduleWindowTitle = QStringLiteral("Isolator Schedule");

class ScheduleWindow : public QDialog {
    Q_OBJECT

  public:
    // Reads the shared record and the main window's plots, never writes them.
    ScheduleWindow(const IsolDef& isoldef, const CanvasScene& loadPlot,
                   const CanvasScene& variancePlot, DesktopServices& services, QWidget* owner);
    ~ScheduleWindow() override;

    // Shows the schedule of the result set on display or, when no results of
    // the chosen data file are shown, says so with empty tables.
    void showSchedule(bool resultsShown);

    // "Export..." and "Save Report as PDF...": a file name from the save
    // dialog, then the file written; a failure is reported with its reason.
    void exportCsv();
    void saveReport();

  private:
    void buildControls();
    QLayout* buildFacts();
    QWidget* buildTables();
    QLayout* buildButtons();
    QTableView* addTable(QStandardItemModel*& model, const TextTable& empty, const QString& title,
                         const char* name, QBoxLayout* layout);
    QString suggestedPath(const QString& suffix) const;
    void save(const QString& path, const std::function<bool(QIODevice&)>& write);

    const IsolDef& isoldef_;
    const CanvasScene& loadPlot_;
    const CanvasScene& variancePlot_;
    DesktopServices& services_;
    ShownSchedule shown_;

    QLabel* dataFile_ = nullptr;
    QLabel* technique_ = nullptr;
    QLabel* typeCount_ = nullptr;
    QLabel* note_ = nullptr;
    QStandardItemModel* types_ = nullptr;
    QStandardItemModel* isolators_ = nullptr;
    QTableView* typesView_ = nullptr;
    QTableView* isolatorsView_ = nullptr;
    QPushButton* export_ = nullptr;
    QPushButton* saveReport_ = nullptr;
};

}  // namespace tamsor

#endif
