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

// The schedule for `types` isolator types. It is left empty, with a note,
// when no results are loaded or `types` is outside 1 to kMaxShownTypes, when
// the report's boundaries do not group exactly the loads in DataLoads, or
// when a type's mean differs from the report's mean by more than its rounding
// to 2 decimals and the engine's single precision explain (the data file
// changed since the calculation).
ShownSchedule shownSchedule(const ResultsModel& model, int types);

}  // namespace tamsor

#endif
