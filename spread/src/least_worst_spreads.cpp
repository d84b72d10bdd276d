// SPDX-License-Identifier: GPL-3.0-or-later
#include "least_worst_spreads.h"

#include <utility>

namespace tamsor::spread {

// Layer k holds, for every row b, the least worst spread of the first b loads in k types,
// as the type that sets it. With one type fewer for the loads before a, that worst spread
// never falls as a grows (one more load is never easier), while the spread of the last type,
// loads a..b-1, never rises; the best a lies where the two cross. The crossing never moves
// left as b grows, since the last type's spread only rises with b: one pointer per layer
// finds every row's crossing in O(N) comparisons.
LeastWorstSpreads findLeastWorstSpreads(std::span<const double> sortedLoads, int typeLimit) {
    const int loadCount = static_cast<int>(sortedLoads.size());
    const SpreadOrder order(sortedLoads);
    std::vector<SpreadKey> previous(loadCount + 1), current(loadCount + 1);
    LeastWorstSpreads result;
    std::int64_t evaluations = 0;

    for (int b = 1; b <= loadCount; ++b)
        previous[b] = {0, b - 1};
    evaluations += loadCount;
    result.worstSpread.push_back(previous[loadCount]);
    result.evaluationsAfter.push_back(evaluations);

    for (int k = 2; k <= typeLimit; ++k) {
        int crossing = k - 1;
        for (int b = k; b <= loadCount; ++b) {
            // The first a at which the loads before a in k - 1 types spread at least as far
            // as the last type a..b-1; a = b - 1 qualifies, a one-load type spreads 0.
            while (order.less(previous[crossing], {crossing, b - 1})) {
                ++crossing;
                ++evaluations;
            }
            ++evaluations;
            SpreadKey best = previous[crossing];
            if (crossing > k - 1) {
                // One load earlier, the last type sets the worst spread.
                const SpreadKey lastType{crossing - 1, b - 1};
                ++evaluations;
                if (order.less(lastType, best)) best = lastType;
            }
            current[b] = best;
        }
        std::swap(previous, current);
        result.worstSpread.push_back(previous[loadCount]);
        result.evaluationsAfter.push_back(evaluations);
    }
    return result;
}

}  // namespace tamsor::spread
