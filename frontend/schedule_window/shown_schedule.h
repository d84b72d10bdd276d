// SPDX-License-Identifier: GPL-3.0-or-later
// The isolator schedule of the result set on display: the grouping of the
// report the results table is drawn from, applied to the data file's loads in
// file order, so that the schedule shows the same types as the table.
#ifndef TAMSOR_SHOWN_SCHEDULE_H
#define TAMSOR_SHOWN_SCHEDULE_H

#include <optional>

#include <QString>

#include "results/results_model.h"
#include "tamsor/isolator_schedule.h"

namespace tamsor {

struct ShownSchedule {
    QString dataFile;   // the chosen data file's full path
    QString technique;  // "Method 1", "Method2" or "Optimal"
    int types = 0;      // the number of isolator types on display
    // Empty when the loads and the results do not fit together; `note` then says why.
    std::optional<IsolatorSchedule> schedule;
    QString note;
};

// The schedule for `types` isolator types, with each mean as the report holds
// it, or computed from the loads where the report has asterisks (a heavy
// building in newtons). It is left empty, with a note, when no results are
// loaded or `types` is outside 1 to kMaxShownTypes or was not reached by the
// run, or when the report does
// not belong to the loads in DataLoads by what it holds (report_agreement.h):
// its boundaries do not group exactly these loads, or a mean that it holds
// differs from the loads' by more than its rounding and the engine's single
// precision explain (the data file changed since the calculation).
ShownSchedule shownSchedule(const ResultsModel& model, int types);

}  // namespace tamsor

#endif
