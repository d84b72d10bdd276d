// SPDX-License-Identifier: GPL-3.0-or-later
// The "Isolator Schedule" window: for the result set on display, each isolator
// type's design figures and the type of every isolator in data file order,
// in two tables that sort by any column and copy as tab-separated text, with
// the schedule's export as CSV and its report as PDF. Modeless: it follows
// the results that the main window shows.
#ifndef TAMSOR_SCHEDULE_WINDOW_H
#define TAMSOR_SCHEDULE_WINDOW_H

#include <string_view>

#include <QDialog>

#include "schedule_window/shown_schedule.h"

class QAbstractItemModel;
class QBoxLayout;
class QLabel;
class QLayout;
class QPushButton;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;

namespace tamsor {

class DesktopServices;
class IsolatorTableModel;
struct ResultsModel;
struct TextTable;

inline const QString kScheduleWindowTitle = QStringLiteral("Isolator Schedule");

class ScheduleWindow : public QDialog {
    Q_OBJECT

  public:
    // Reads `model`, which must outlive the window, and never writes it.
    ScheduleWindow(const ResultsModel& model, DesktopServices& services, QWidget* owner);
    ~ScheduleWindow() override;

    // The results of the chosen data file are shown for `types` types: their
    // schedule is shown.
    void showResults(int types);
    // The results on display move to `types` types: followed while they are
    // the chosen data file's.
    void followShownTypes(int types);
    // The chosen data file, which the caption names: "Isolator Schedule –
    // NAME.DAT".
    void setDataFile(const QString& path);
    // No results of the chosen data file are shown: says so, with empty tables.
    void clearResults();

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
    QTableView* addView(QAbstractItemModel* model, const QString& title, const char* name,
                        QBoxLayout* layout);
    void display(ShownSchedule shown);
    QString suggestedPath(const QString& suffix) const;
    // Writes `bytes` as the whole file at `path`; a failure is shown with its reason.
    void save(const QString& path, std::string_view bytes);
    void cannotWrite(const QString& path, const QString& reason);

    const ResultsModel& model_;
    DesktopServices& services_;
    ShownSchedule shown_;
    bool resultsShown_ = false;

    QLabel* dataFile_ = nullptr;
    QLabel* technique_ = nullptr;
    QLabel* typeCount_ = nullptr;
    QLabel* spreadFigures_ = nullptr;  // the grouping's worst spread and capacity above need
    QLabel* note_ = nullptr;
    QStandardItemModel* types_ = nullptr;
    IsolatorTableModel* isolators_ = nullptr;
    QTableView* typesView_ = nullptr;
    QTableView* isolatorsView_ = nullptr;
    QPushButton* export_ = nullptr;
    QPushButton* saveReport_ = nullptr;
};

}  // namespace tamsor

#endif
