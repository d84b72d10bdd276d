// SPDX-License-Identifier: GPL-3.0-or-later
// The isolator schedule: for one grouping of the sorted loads, each isolator
// type's design figures and the type of every isolator in data file order.
#ifndef TAMSOR_ISOLATOR_SCHEDULE_H
#define TAMSOR_ISOLATOR_SCHEDULE_H

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tamsor {

// One isolator as the data file gives it.
struct IsolatorLoad {
    int line = 0;       // 1-based line number in the data file
    float load = 0;     // sustained load
    std::string label;  // the rest of the line after the load, trimmed; may be empty
};

// The figures of one isolator type.
struct ScheduleType {
    int type = 0;       // 1-based, in ascending order of load
    int isolators = 0;  // never 0
    float smallest = 0;
    float largest = 0;  // the design load
    double mean = 0;
    double spread = 0;  // largest - smallest
    // (largest - smallest) / largest x 100: how far the lightest isolator lies
    // below the design load. Empty where a load of the file is zero or less.
    std::optional<double> spreadPercent{};
    // (largest - mean) / mean x 100; empty when the mean is zero or negative,
    // where a share of the mean says nothing about the design load.
    std::optional<double> largestAboveMeanPercent;
};

// One isolator with the type it was grouped into.
struct ScheduledIsolator {
    int line = 0;
    float load = 0;
    std::string label;
    int type = 0;  // 1-based
};

struct IsolatorSchedule {
    std::vector<ScheduleType> types;           // types 1..n
    std::vector<ScheduledIsolator> isolators;  // in data file order
    int loadDecimals = 1;                      // the decimals every load is shown with
    // The grouping's figures (grouping_spread.h): the largest spread of its
    // types, and the sum of every isolator's type design load less its load in
    // % of the sum of the loads. Empty where a load is zero or less.
    std::optional<double> worstSpreadPercent{};
    std::optional<double> capacityAboveNeedPercent{};
};

// The schedule for `loads` (in data file order) grouped by `firstPositions`:
// the 1-based sorted position of the first load of types 1..n, then N + 1, as
// a result set's boundaries give them. The loads are sorted stably, so equal
// loads on either side of a boundary go to the types in data file order, as
// the engine's sort places them. Sums and means are computed in double.
// Throws std::invalid_argument when a load is not finite or the grouping does
// not hold 1 to 9 non-empty types starting at 1 and ending at N + 1.
IsolatorSchedule makeIsolatorSchedule(std::span<const IsolatorLoad> loads,
                                      std::span<const int> firstPositions);

// Gives each type the mean that the partition report holds for it, so that
// the schedule shows every mean as the report writes it (the engine's
// single-precision mean, which can round to another last digit than the
// exact one: 1119.28 where the loads give 1119.275). A type whose mean the
// report could not hold (empty: asterisks, too wide for its field) keeps the
// mean computed from the loads. The largest load's percentage above the mean
// follows the mean. `reportMeans` holds one entry per type.
void useReportMeans(IsolatorSchedule& schedule, std::span<const std::optional<float>> reportMeans);

}  // namespace tamsor

#endif
