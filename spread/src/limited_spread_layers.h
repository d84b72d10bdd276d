// The grouping with the least sum of squares among those whose every type keeps a spread
// limit.
#ifndef TAMSOR_SPREAD_LIMITED_SPREAD_LAYERS_H
#define TAMSOR_SPREAD_LIMITED_SPREAD_LAYERS_H

#include <cstdint>
#include <vector>

#include "shifted_loads.h"
#include "spread_order.h"

namespace tamsor::spread {

struct LimitedGrouping {
    std::vector<int> firstPositions;  // 1-based first position of each type, then N + 1
    std::int64_t evaluations = 0;     // spreads compared and type costs computed
};

// Among the groupings of the loads into typeCount types whose every type spreads no further
// than `limit`, the one with the least sum of squared differences from the type means;
// where several have equal sums (to 2^-40 of the least and their rounding), the one whose
// boundaries lie farthest left, as the exact technique chooses. Some grouping into
// typeCount types must keep the limit (the least worst spread for typeCount does).
LimitedGrouping findLeastSquaresWithin(const optimal::ShiftedLoads& loads, const SpreadOrder& order,
                                       SpreadKey limit, int typeCount);

}  // namespace tamsor::spread

#endif
