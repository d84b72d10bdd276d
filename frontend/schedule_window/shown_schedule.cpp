#include "schedule_window/shown_schedule.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace tamsor {
namespace {

// A sum of n single-precision loads, each addition rounded, is off by less
// than n units in the last place of the largest load; the report rounds the
// mean to 2 decimals.
bool meansAgree(const ScheduleType& type, float reportMean) {
    const double largest = std::max(std::fabs(type.smallest), std::fabs(type.largest));
    const double tolerance = 0.005 + type.isolators * largest * 0x1p-23;
    return std::fabs(type.mean - reportMean) <= tolerance + 1e-9;
}

QString mismatch(const QString& reason) {
    return QStringLiteral(
               "The schedule cannot be shown: the data file's loads do not match the results on "
               "display (%1). Calculate again.")
        .arg(reason);
}

}  // namespace

ShownSchedule shownSchedule(const ResultsModel& model, int types) {
    ShownSchedule shown;
    shown.dataFile = model.DataFileName;
    shown.technique = techniqueName(model.MethodFlag);
    shown.types = types;
    if (types < 1 || types > kMaxShownTypes || !model.hasResults()) {
        shown.note = QStringLiteral("No results are shown. Calculate first.");
        return shown;
    }

    const int d = shown.types - 1;
    std::vector<int> firstPositions;
    for (int k = 0; k <= shown.types; ++k) {
        const float bound = model.PartBound[d][k];
        // Positions are whole numbers; the report holds at most 100 loads.
        if (!(bound >= 0 && bound <= 1e6f) || bound != std::floor(bound)) {
            shown.note = mismatch(QStringLiteral("a type boundary is not a position"));
            return shown;
        }
        firstPositions.push_back(static_cast<int>(bound));
    }
    std::vector<IsolatorLoad> loads;
    loads.reserve(model.DataLoads.size());
    for (const LoadRecord& record : model.DataLoads)
        loads.push_back({static_cast<int>(record.line), record.load, record.label});

    try {
        IsolatorSchedule schedule = makeIsolatorSchedule(loads, firstPositions);
        for (const ScheduleType& type : schedule.types) {
            if (!meansAgree(type, model.PartMean[d][type.type - 1])) {
                shown.note = mismatch(QStringLiteral("type %1 has another mean").arg(type.type));
                return shown;
            }
        }
        shown.schedule = std::move(schedule);
    } catch (const std::invalid_argument& error) {
        shown.note = mismatch(QString::fromStdString(error.what()));
    }
    return shown;
}

}  // namespace tamsor
