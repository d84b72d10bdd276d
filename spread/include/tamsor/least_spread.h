// SPDX-License-Identifier: GPL-3.0-or-later
// The grouping of sorted isolator loads into 1 to 9 isolator types with the least spread, and
// the fewest types within a tolerance.
//
// Each isolator type is designed for its largest load (its design load), so every lighter
// isolator of the type is over-designed by the difference:
// - Spread of a type: how far its smallest load lies below its largest (its design load),
//   in % of the largest: (largest - smallest) / largest x 100.
// - Worst spread of a grouping: the largest spread of its types.
// - Fewest types within a tolerance t: the smallest number of types for which some grouping
//   of the sorted loads has a worst spread <= t.
// (Capacity above need, the third figure of a grouping: see spread_figures.h.)
#ifndef TAMSOR_LEAST_SPREAD_H
#define TAMSOR_LEAST_SPREAD_H

#include <span>
#include <vector>

#include "tamsor/optimal_grouping.h"

namespace tamsor {

// The least-spread grouping for one number of types, in the exact technique's form, and its
// worst spread.
struct LeastSpreadGrouping {
    OptimalGrouping grouping;
    double worstSpreadPercent = 0;  // as spreadFigures gives it for grouping.firstPositions
};

// For each n = 1 .. min(maxTypes, N): among all groupings of the sorted loads into n
// non-empty types of consecutive loads, those with the least worst spread (compared
// exactly, as ratios of loads), and among those the one with the smallest sum of squared
// differences from the type means, computed as findOptimalGroupings computes it. Equal sums
// are broken by the exact technique's rule: the type boundaries lie as far left (towards
// the lighter loads) as possible, so twenty equal loads in three types give the first
// positions 1, 2, 3, 21.
//
// costEvaluations counts every candidate type whose spread or cost is computed, cumulative
// up to and including this n. The least worst spreads of all n come from one layered
// search, O(N) per layer. Then a layered dynamic program over the groupings that keep the
// least worst spread, shared by the type counts that have the same one, adds O(N log N)
// evaluations per layer at most, and far fewer where that spread leaves the boundaries
// little room.
//
// sortedLoads: ascending, finite and positive (a spread needs a positive design load), at
// least one load; std::invalid_argument naming the sorted position otherwise. maxTypes:
// 1..9 (std::invalid_argument otherwise). Ratios of loads are compared exactly while the
// loads lie within a factor of about 10^270 of each other.
std::vector<LeastSpreadGrouping> findLeastSpreadGroupings(std::span<const double> sortedLoads,
                                                          int maxTypes = 9);

// The fewest types within tolerancePercent: the number of types that the greedy grouping
// forms when each type takes, from the lightest load not yet grouped, every further load
// that keeps its spread (as spreadPercent computes it) within the tolerance. O(N); the
// count may exceed 9 and is at most N. The least-spread grouping for that count, when it
// is 9 or less, is findLeastSpreadGroupings(sortedLoads)[count - 1].
//
// sortedLoads as above; tolerancePercent finite and >= 0 (std::invalid_argument otherwise).
int fewestTypesWithin(std::span<const double> sortedLoads, double tolerancePercent);

}  // namespace tamsor

#endif
