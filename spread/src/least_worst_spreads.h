// SPDX-License-Identifier: GPL-3.0-or-later
// The least worst spread of any grouping of the sorted loads into n types, for each n.
#ifndef TAMSOR_SPREAD_LEAST_WORST_SPREADS_H
#define TAMSOR_SPREAD_LEAST_WORST_SPREADS_H

#include <cstdint>
#include <span>
#include <vector>

#include "spread_order.h"

namespace tamsor::spread {

struct LeastWorstSpreads {
    std::vector<SpreadKey> worstSpread;          // [n - 1]: the type that sets it, for n types
    std::vector<std::int64_t> evaluationsAfter;  // [n - 1]: spreads compared up to layer n
};

// For n = 1..typeLimit (typeLimit <= N), the least worst spread over all groupings of
// sortedLoads (checked by the caller) into n non-empty types of consecutive loads.
LeastWorstSpreads findLeastWorstSpreads(std::span<const double> sortedLoads, int typeLimit);

}  // namespace tamsor::spread

#endif
