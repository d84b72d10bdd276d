// SPDX-License-Identifier: GPL-3.0-or-later
// What one run of a technique on one data file found, as plain values for the
// machine-readable outputs: per number of types the status, the pooled
// variance and the types, and optionally the schedule for one number of types.
#ifndef TAMSOR_RUN_SUMMARY_H
#define TAMSOR_RUN_SUMMARY_H

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tamsor/isolator_schedule.h"

namespace tamsor {

// One isolator type of a result set.
struct TypeSummary {
    int isolators = 0;
    float smallest = 0;
    float largest = 0;
    std::optional<double> mean;  // empty (or not finite) when it is not known
};

enum class ResultSetStatus {
    kOk,          // the grouping into this number of types was found
    kNotReached,  // the run stopped before it: a type became empty at this or a smaller count
};

// The result for one number of types.
struct ResultSetSummary {
    int typeCount = 0;  // 1..9
    ResultSetStatus status = ResultSetStatus::kOk;
    // Empty, or not finite, where it is not known (a value too large for the
    // report's field, or a set not reached).
    std::optional<double> pooledVariance;
    std::vector<TypeSummary> types;  // empty for a set not reached
    // The grouping's figures (grouping_spread.h); empty for a set not reached
    // and where a load is zero or less.
    std::optional<double> worstSpreadPercent{};
    std::optional<double> capacityAboveNeedPercent{};
};

struct RunSummary {
    std::string dataFile;                      // the data file's name as the user gave it
    std::string technique;                     // "Method 1", "Method2", "Optimal" or "Least spread"
    std::vector<ResultSetSummary> resultSets;  // in order of type count
    std::optional<IsolatorSchedule> schedule;  // for one number of types, when asked for
    int loadDecimals = 1;  // the decimals the data file uses for its loads (figure_text.h)
    // With a tolerance asked for: it, and the fewest types within it that the
    // run found (grouping_spread.h), empty where none.
    std::optional<double> tolerancePercent{};
    std::optional<int> fewestTypesWithinTolerance{};
};

// "ok" or "not reached", as the outputs name the status.
std::string_view resultSetStatusText(ResultSetStatus status);

// The types of a schedule as a result set lists them (mean from the schedule).
std::vector<TypeSummary> typeSummaries(const IsolatorSchedule& schedule);

}  // namespace tamsor

#endif
