// SPDX-License-Identifier: GPL-3.0-or-later
// The tables of the schedule window and the schedule report as text, so that
// the window, the clipboard and the report show the same figures as the CSV
// export: the formats of figure_text.h.
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

// One row per isolator type; "-" for a percentage that is not defined. The
// headings of loads name `loadUnit` where there is one.
TextTable typesTable(const IsolatorSchedule& schedule, const QString& loadUnit = {});
// One row per isolator in data file order: line, load, type, label.
TextTable isolatorsTable(const IsolatorSchedule& schedule, const QString& loadUnit = {});

// The main window's results table, as it shows `types` types.
TextTable resultsTable(const ResultsModel& model, int types);
// The pooled variance of the groupings into 2 to kMaxShownTypes types.
TextTable varianceTable(const ResultsModel& model);

}  // namespace tamsor

#endif
