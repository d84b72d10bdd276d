// The tables of the schedule window and the schedule report as text, so that
// the window, the clipboard and the report show the same figures as the CSV
// export: loads exact, means and spreads with 2 decimals, percentages with 1.
#ifndef TAMSOR_SCHEDULE_TABLES_H
#define TAMSOR_SCHEDULE_TABLES_H

#include <vector>

#include <QString>
#include <QStringList>

#include "results/results_model.h"
#include "tamsor/isolator_schedule.h"

namespace tamsor {

struct TextTable {
    QStringList header;
    std::vector<bool> numeric;  // per column: right-aligned and sorted as a number
    std::vector<QStringList> rows;
};

// One row per isolator type; "-" for a percentage that is not defined.
TextTable typesTable(const IsolatorSchedule& schedule);
// One row per isolator in data file order: line, load, type, label.
TextTable isolatorsTable(const IsolatorSchedule& schedule);

// The main window's results table, as it shows the result set on display.
TextTable resultsTable(const IsolDef& isoldef);
// The pooled variance of the result sets for 2 to 8 types.
TextTable varianceTable(const IsolDef& isoldef);

}  // namespace tamsor

#endif
