// SPDX-License-Identifier: GPL-3.0-or-later
#include "load_checks.h"

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace tamsor::spread {
namespace {

[[noreturn]] void refuse(const std::string& what, std::size_t index) {
    throw std::invalid_argument(what + std::to_string(index + 1));
}

}  // namespace

void checkSortedPositiveLoads(std::span<const double> sortedLoads) {
    if (sortedLoads.empty()) throw std::invalid_argument("there are no loads");
    if (sortedLoads.size() > static_cast<std::size_t>(std::numeric_limits<int>::max() / 2))
        throw std::invalid_argument("too many loads");
    for (std::size_t i = 0; i < sortedLoads.size(); ++i) {
        if (!std::isfinite(sortedLoads[i]))
            refuse("a load that is not finite at sorted position ", i);
        // The spread of a type is taken relative to its design load, which must be positive.
        if (!(sortedLoads[i] > 0)) refuse("a load of zero or less at sorted position ", i);
        if (i > 0 && sortedLoads[i] < sortedLoads[i - 1])
            refuse("the loads are not in ascending order at sorted position ", i);
    }
}

}  // namespace tamsor::spread
