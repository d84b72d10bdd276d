// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/least_spread_result_sets.h"

#include <algorithm>
#include <cmath>

#include "tamsor/least_spread.h"
#include "tamsor/optimal_result_sets.h"

namespace tamsor {

std::vector<ResultSetRecord> leastSpreadResultSets(std::span<const float> sortedLoads) {
    if (reportFiguresOverflow(sortedLoads)) return {};
    const std::vector<double> loads(sortedLoads.begin(), sortedLoads.end());
    std::vector<ResultSetRecord> sets;
    for (const LeastSpreadGrouping& found : findLeastSpreadGroupings(loads)) {
        const OptimalGrouping& grouping = found.grouping;
        ResultSetRecord set;
        set.partitionCount = grouping.typeCount;
        set.pooledVariance =
            static_cast<float>(grouping.sumOfSquares / static_cast<double>(loads.size()));
        set.operationCount = grouping.costEvaluations;
        std::copy(grouping.firstPositions.begin(), grouping.firstPositions.end(),
                  set.firstPositions.begin());
        std::transform(grouping.means.begin(), grouping.means.end(), set.means.begin(),
                       [](double mean) { return static_cast<float>(mean); });
        const bool finite = std::isfinite(set.pooledVariance) &&
                            std::all_of(set.means.begin(), set.means.begin() + set.partitionCount,
                                        [](float mean) { return std::isfinite(mean); });
        if (!finite) return {};
        sets.push_back(set);
    }
    return sets;
}

}  // namespace tamsor
