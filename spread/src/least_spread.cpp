// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/least_spread.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <utility>

#include "least_worst_spreads.h"
#include "limited_spread_layers.h"
#include "load_checks.h"
#include "shifted_loads.h"
#include "spread_order.h"
#include "tamsor/domain_limits.h"
#include "tamsor/spread_figures.h"

namespace tamsor {

std::vector<LeastSpreadGrouping> findLeastSpreadGroupings(std::span<const double> sortedLoads,
                                                          int maxTypes) {
    if (maxTypes < 1 || maxTypes > kMaxTypes)
        throw std::invalid_argument("the number of isolator types must be 1 to 9");
    spread::checkSortedPositiveLoads(sortedLoads);
    const int loadCount = static_cast<int>(sortedLoads.size());
    const int typeLimit = std::min(maxTypes, loadCount);

    const spread::LeastWorstSpreads worst = spread::findLeastWorstSpreads(sortedLoads, typeLimit);
    const spread::SpreadOrder order(sortedLoads);
    const auto sameSpread = [&](int n, int m) {
        const spread::SpreadKey a = worst.worstSpread[n - 1];
        const spread::SpreadKey b = worst.worstSpread[m - 1];
        return !order.less(a, b) && !order.less(b, a);
    };
    const optimal::ShiftedLoads loads(sortedLoads);
    std::vector<LeastSpreadGrouping> groupings;
    // Type counts with the same least worst spread share one dynamic program.
    std::optional<spread::LimitedSpreadLayers> layers;
    std::int64_t earlierEvaluations = 0;
    for (int n = 1; n <= typeLimit; ++n) {
        if (n == 1 || !sameSpread(n, n - 1)) {
            if (layers) earlierEvaluations += layers->evaluations();
            int mostTypes = n;
            while (mostTypes < typeLimit && sameSpread(mostTypes + 1, n))
                ++mostTypes;
            layers.emplace(loads, order, worst.worstSpread[n - 1], n, mostTypes);
        }

        LeastSpreadGrouping result;
        OptimalGrouping& grouping = result.grouping;
        grouping.typeCount = n;
        grouping.firstPositions = layers->firstPositions(n);
        for (int k = 0; k < n; ++k) {
            const int first = grouping.firstPositions[k] - 1;
            const int end = grouping.firstPositions[k + 1] - 1;
            const auto type = loads.statistics(first, end);
            grouping.means.push_back(type.mean);
            grouping.sumOfSquares += type.sumOfSquares;
            result.worstSpreadPercent = std::max(
                result.worstSpreadPercent, spreadPercent(sortedLoads[first], sortedLoads[end - 1]));
        }
        grouping.costEvaluations =
            worst.evaluationsAfter[n - 1] + earlierEvaluations + layers->evaluations();
        groupings.push_back(std::move(result));
    }
    return groupings;
}

int fewestTypesWithin(std::span<const double> sortedLoads, double tolerancePercent) {
    if (!(tolerancePercent >= 0) || !std::isfinite(tolerancePercent))
        throw std::invalid_argument("the tolerance must be a finite percentage of 0 or more");
    spread::checkSortedPositiveLoads(sortedLoads);
    // Each type takes every further load it can: no grouping of the loads so far into as many
    // types reaches further, so none needs fewer types.
    const std::size_t loadCount = sortedLoads.size();
    int types = 0;
    std::size_t first = 0;
    for (std::size_t i = 0; i < loadCount; ++i) {
        if (i == 0 || spreadPercent(sortedLoads[first], sortedLoads[i]) > tolerancePercent) {
            ++types;
            first = i;
        }
    }
    return types;
}

}  // namespace tamsor
