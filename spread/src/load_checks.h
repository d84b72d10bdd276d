// SPDX-License-Identifier: GPL-3.0-or-later
// The checks every entry of the spread library makes on the loads it is given.
#ifndef TAMSOR_SPREAD_LOAD_CHECKS_H
#define TAMSOR_SPREAD_LOAD_CHECKS_H

#include <span>

namespace tamsor::spread {

// Throws std::invalid_argument, naming the first sorted position (1-based) at fault, unless
// the loads are at least one, finite, positive, ascending and few enough to be indexed by
// int with room to spare.
void checkSortedPositiveLoads(std::span<const double> sortedLoads);

}  // namespace tamsor::spread

#endif
