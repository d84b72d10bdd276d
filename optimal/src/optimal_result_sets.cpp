// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/optimal_result_sets.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "tamsor/optimal_grouping.h"

namespace tamsor {
namespace {

ResultSetRecord recordOf(const OptimalGrouping& grouping, std::size_t loadCount) {
    ResultSetRecord set;
    set.partitionCount = grouping.typeCount;
    set.pooledVariance = static_cast<float>(grouping.sumOfSquares / static_cast<double>(loadCount));
    set.operationCount = grouping.costEvaluations;
    std::copy(grouping.firstPositions.begin(), grouping.firstPositions.end(),
              set.firstPositions.begin());
    std::transform(grouping.means.begin(), grouping.means.end(), set.means.begin(),
                   [](double mean) { return static_cast<float>(mean); });
    return set;
}

bool isFinite(const ResultSetRecord& set) {
    return std::isfinite(set.pooledVariance) &&
           std::all_of(set.means.begin(), set.means.begin() + set.partitionCount,
                       [](float mean) { return std::isfinite(mean); });
}

}  // namespace

// The single-type figures as the classic techniques compute them, every sum
// rounded to single precision in sorted order.
bool reportFiguresOverflow(std::span<const float> sortedLoads) {
    // With n loads of at most M in size (n < 2^24), every running sum below stays within
    // n M e^(n 2^-24) < 4 n M, the mean within 4 M and the sum of squares within 71 n M^2:
    // loads that leave these far inside the single-precision range need no summing.
    if (!sortedLoads.empty() && sortedLoads.size() < (std::size_t{1} << 24)) {
        const double largest = std::max(std::fabs(static_cast<double>(sortedLoads.front())),
                                        std::fabs(static_cast<double>(sortedLoads.back())));
        const auto count = static_cast<double>(sortedLoads.size());
        if (256 * count * std::max(largest, largest * largest) < std::numeric_limits<float>::max())
            return false;
    }
    float sum = 0;
    for (const float load : sortedLoads)
        sum += load;
    const float mean = sum / static_cast<float>(sortedLoads.size());
    float total = 0;
    for (const float load : sortedLoads) {
        const float difference = mean - load;
        total += difference * difference;
    }
    return !std::isfinite(mean) || !std::isfinite(total);
}

std::vector<ResultSetRecord> optimalResultSets(std::span<const float> sortedLoads) {
    if (reportFiguresOverflow(sortedLoads)) return {};
    std::vector<ResultSetRecord> sets;
    for (const OptimalGrouping& grouping : findOptimalGroupings(sortedLoads)) {
        sets.push_back(recordOf(grouping, sortedLoads.size()));
        if (!isFinite(sets.back())) return {};
    }
    return sets;
}

}  // namespace tamsor
