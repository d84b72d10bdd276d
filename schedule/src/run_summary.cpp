// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/run_summary.h"

namespace tamsor {

std::string_view resultSetStatusText(ResultSetStatus status) {
    return status == ResultSetStatus::kOk ? "ok" : "not reached";
}

std::vector<TypeSummary> typeSummaries(const IsolatorSchedule& schedule) {
    std::vector<TypeSummary> types;
    types.reserve(schedule.types.size());
    for (const auto& type : schedule.types)
        types.push_back({type.isolators, type.smallest, type.largest, type.mean});
    return types;
}

}  // namespace tamsor
