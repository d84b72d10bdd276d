// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/isolator_schedule.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <stdexcept>
#include <string>

#include "tamsor/domain_limits.h"
#include "tamsor/figure_text.h"
#include "tamsor/grouping_spread.h"

namespace tamsor {
namespace {

void checkGrouping(std::span<const int> firstPositions, std::size_t loadCount) {
    const auto count = static_cast<int>(firstPositions.size()) - 1;
    if (count < 1 || count > kMaxTypes)
        throw std::invalid_argument("a grouping holds 1 to 9 isolator types, given " +
                                    std::to_string(std::max(count, 0)));
    if (firstPositions.front() != 1)
        throw std::invalid_argument("type 1 must start at sorted position 1, not " +
                                    std::to_string(firstPositions.front()));
    const auto end = static_cast<long long>(loadCount) + 1;
    if (firstPositions.back() != end)
        throw std::invalid_argument("a grouping of " + std::to_string(loadCount) +
                                    " loads must end at " + std::to_string(end) + ", not " +
                                    std::to_string(firstPositions.back()));
    for (int k = 1; k <= count; ++k)
        if (firstPositions[k] <= firstPositions[k - 1])
            throw std::invalid_argument("type " + std::to_string(k) +
                                        " would be empty: it starts at sorted position " +
                                        std::to_string(firstPositions[k - 1]) +
                                        " and the next at " + std::to_string(firstPositions[k]));
}

void setMean(ScheduleType& type, double mean) {
    type.mean = mean;
    type.largestAboveMeanPercent.reset();
    if (mean > 0) type.largestAboveMeanPercent = (type.largest - mean) / mean * 100;
}

}  // namespace

IsolatorSchedule makeIsolatorSchedule(std::span<const IsolatorLoad> loads,
                                      std::span<const int> firstPositions) {
    for (const auto& isolator : loads)
        if (!std::isfinite(isolator.load))
            throw std::invalid_argument("the load on line " + std::to_string(isolator.line) +
                                        " is not a finite number");
    checkGrouping(firstPositions, loads.size());

    // File indices in ascending order of load; a stable sort keeps equal loads in file order.
    std::vector<std::size_t> sorted(loads.size());
    std::iota(sorted.begin(), sorted.end(), std::size_t{0});
    std::stable_sort(sorted.begin(), sorted.end(),
                     [&](std::size_t a, std::size_t b) { return loads[a].load < loads[b].load; });

    IsolatorSchedule schedule;
    schedule.isolators.reserve(loads.size());
    std::vector<float> values;
    values.reserve(loads.size());
    for (const auto& isolator : loads) {
        schedule.isolators.push_back({isolator.line, isolator.load, isolator.label, 0});
        values.push_back(isolator.load);
    }
    schedule.loadDecimals = loadDecimals(values);

    const auto typeCount = static_cast<int>(firstPositions.size()) - 1;
    for (int k = 1; k <= typeCount; ++k) {
        const auto first = static_cast<std::size_t>(firstPositions[k - 1] - 1);
        const auto end = static_cast<std::size_t>(firstPositions[k] - 1);
        ScheduleType type;
        type.type = k;
        type.isolators = static_cast<int>(end - first);
        type.smallest = loads[sorted[first]].load;
        type.largest = loads[sorted[end - 1]].load;
        double sum = 0;
        for (std::size_t p = first; p < end; ++p) {
            sum += loads[sorted[p]].load;
            schedule.isolators[sorted[p]].type = k;
        }
        type.spread = static_cast<double>(type.largest) - type.smallest;
        setMean(type, sum / type.isolators);
        schedule.types.push_back(type);
    }

    std::vector<float> sortedLoads;
    sortedLoads.reserve(loads.size());
    for (const std::size_t index : sorted)
        sortedLoads.push_back(loads[index].load);
    if (const auto figures = groupingSpreadFigures(sortedLoads, firstPositions)) {
        for (std::size_t k = 0; k < schedule.types.size(); ++k)
            schedule.types[k].spreadPercent = figures->typeSpreadPercent[k];
        schedule.worstSpreadPercent = figures->worstSpreadPercent;
        schedule.capacityAboveNeedPercent = figures->capacityAboveNeedPercent;
    }
    return schedule;
}

void useReportMeans(IsolatorSchedule& schedule, std::span<const std::optional<float>> reportMeans) {
    if (reportMeans.size() != schedule.types.size())
        throw std::invalid_argument("the report holds " + std::to_string(reportMeans.size()) +
                                    " means for " + std::to_string(schedule.types.size()) +
                                    " isolator types");
    for (std::size_t k = 0; k < reportMeans.size(); ++k)
        if (reportMeans[k]) setMean(schedule.types[k], *reportMeans[k]);
}

}  // namespace tamsor
