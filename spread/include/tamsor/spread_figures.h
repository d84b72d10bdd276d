// SPDX-License-Identifier: GPL-3.0-or-later
// The spread figures of any grouping of sorted isolator loads, by any technique:
// - Spread of a type: how far its smallest load lies below its largest (its design load),
//   in % of the largest: (largest - smallest) / largest x 100.
// - Worst spread of a grouping: the largest spread of its types.
// - Capacity above need of a grouping: the sum over all isolators of (its type's design
//   load - its load), in % of the sum of the loads.
#ifndef TAMSOR_SPREAD_FIGURES_H
#define TAMSOR_SPREAD_FIGURES_H

#include <span>
#include <vector>

namespace tamsor {

// The spread in % of a type whose smallest and largest loads these are (0 < smallest <=
// largest, not checked). The difference is exact while smallest >= largest / 2, so loads
// of 1,000,000.1 and 1,000,000.2 give 1.0e-5 %, correct to the last digit. The result rises
// (never falls) with the exact spread, so the order of two spreads is never reversed by
// rounding.
double spreadPercent(double smallest, double largest);

struct SpreadFigures {
    std::vector<double> typeSpreadPercent;  // type 1..n
    double worstSpreadPercent = 0;
    double capacityAboveNeedPercent = 0;
};

// The figures of the grouping whose types start at firstPositions (1-based sorted positions
// of the first load of each type, then N + 1, as in OptimalGrouping). sortedLoads as for
// findLeastSpreadGroupings; firstPositions from 1 to N + 1 and rising, no type empty
// (std::invalid_argument otherwise).
SpreadFigures spreadFigures(std::span<const double> sortedLoads,
                            std::span<const int> firstPositions);

// The figures of any grouping of the same loads, which are checked and summed once: the
// figures of all of a run's groupings of a million loads take one pass each, not three.
class LoadSpreadFigures {
  public:
    // sortedLoads as for spreadFigures (std::invalid_argument otherwise); they must outlive
    // this.
    explicit LoadSpreadFigures(std::span<const double> sortedLoads);
    // As spreadFigures.
    SpreadFigures of(std::span<const int> firstPositions) const;

  private:
    std::span<const double> loads_;
    double totalLoad_ = 0;  // compensated, in sorted order
};

}  // namespace tamsor

#endif
