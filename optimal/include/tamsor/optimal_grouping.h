// SPDX-License-Identifier: GPL-3.0-or-later
// The exact best grouping of sorted isolator loads into 1 to 9 isolator types.
#ifndef TAMSOR_OPTIMAL_GROUPING_H
#define TAMSOR_OPTIMAL_GROUPING_H

#include <cstdint>
#include <span>
#include <vector>

#include "tamsor/domain_limits.h"

namespace tamsor {

// The best grouping for one number of types n.
struct OptimalGrouping {
    int typeCount = 0;                 // n
    double sumOfSquares = 0;           // sum over all loads of (load - its type's mean)^2
    std::vector<int> firstPositions;   // n + 1 values: 1-based sorted position of the first
                                       // load of types 1..n, then N + 1
    std::vector<double> means;         // n type means
    std::int64_t costEvaluations = 0;  // cost evaluations used so far in the run, cumulative
                                       // up to and including this n (grows with n)
};

// For each n = 1 .. min(maxTypes, N), the split of sortedLoads into n non-empty types of
// consecutive loads whose sum of squared differences from the type means is smallest (the
// pooled variance is that sum divided by N). All n come from one run of a layered dynamic
// program: O(n N log N) cost evaluations at most. Where loads repeat (as loads written to a
// tenth of a kilonewton do), its rows and columns are the runs of equal loads, since no best
// grouping puts a boundary inside a run: a million loads of 35,000 different values cost as
// much as 35,000 loads, and memory is a few doubles per load plus a few per run.
//
// Equal totals: where the last type of the first b loads can start at several positions
// whose totals differ by no more than 2^-40 of the least of them plus a bound on their
// rounding error, the leftmost position is taken. So among equal best groupings the type
// boundaries lie as far left (towards the lighter loads) as possible: twenty equal loads in
// three types give the first positions 1, 2, 3, 21, and 10, 20, 30, 40 give 1, 2, 3, 5.
//
// Precision: all sums are of the loads less their median, in twice double precision where
// it matters, so 1,000,000.1 and 1,000,000.2 stay apart. The grouping is the best one to
// within about 1e-9 of its sum of squares; its means and sum of squares are accurate to a
// few roundings (and about 1e-30 of the loads' squared differences from their median).
//
// costEvaluations: every candidate type whose cost is computed counts once (a block of
// candidates bounded from its ends as one), and so does every row of a layer whose best total
// is zero because its loads take no more different values than there are types (filled from
// the runs of equal loads, without comparing), and every boundary of a grouping of more types
// than different loads. Where the loads form types so tight, against their spread about the
// median, that the fast totals cannot tell the best groupings apart, the search runs over
// single loads with accurate totals (about three times slower), and its evaluations count.
//
// sortedLoads: ascending and finite, at least one load (std::invalid_argument otherwise).
// maxTypes: 1..9 (std::invalid_argument otherwise).
std::vector<OptimalGrouping> findOptimalGroupings(std::span<const double> sortedLoads,
                                                  int maxTypes = kMaxTypes);

// The same for loads in single precision, as read from a data file: the groupings of their
// double values, without a copy of them.
std::vector<OptimalGrouping> findOptimalGroupings(std::span<const float> sortedLoads,
                                                  int maxTypes = kMaxTypes);

}  // namespace tamsor

#endif
