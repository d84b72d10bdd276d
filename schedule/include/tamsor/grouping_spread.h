// SPDX-License-Identifier: GPL-3.0-or-later
// The spread figures of a grouping as every output shows them, and the fewest
// isolator types within a tolerance as a run found them:
// - spread of a type: how far its smallest load lies below its largest (its
//   design load), in % of the largest;
// - worst spread of a grouping: the largest spread of its types;
// - capacity above need: the sum over all isolators of (its type's design
//   load - its load), in % of the sum of the loads;
// - fewest types within a tolerance t: the smallest number of types for which
//   some grouping of the sorted loads has a worst spread <= t.
#ifndef TAMSOR_GROUPING_SPREAD_H
#define TAMSOR_GROUPING_SPREAD_H

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "tamsor/spread_figures.h"

namespace tamsor {

// A tolerance is asked for from 0 to this many %, in tenths.
inline constexpr double kMaxTolerancePercent = 99.9;

// The figures of the grouping of `sortedLoads` (ascending, as every technique
// sorts them) whose types start at `firstPositions` (1-based, then N + 1).
// Nothing where a load is zero or less or not finite: a type's spread is a
// share of its design load. A grouping that is no grouping of these loads
// throws std::invalid_argument.
std::optional<SpreadFigures> groupingSpreadFigures(std::span<const float> sortedLoads,
                                                   std::span<const int> firstPositions);

// The same for any number of groupings of the same loads, which are checked and
// taken in double precision once.
class GroupingSpreads {
  public:
    explicit GroupingSpreads(std::span<const float> sortedLoads);
    GroupingSpreads(const GroupingSpreads&) = delete;
    GroupingSpreads& operator=(const GroupingSpreads&) = delete;

    // As groupingSpreadFigures.
    std::optional<SpreadFigures> of(std::span<const int> firstPositions) const;

  private:
    std::vector<double> loads_;
    // Empty where a load is zero or less.
    std::optional<LoadSpreadFigures> figures_;
};

// "Worst spread 12.3 %  ·  capacity above need 4.1 %" (a middle dot between
// two blanks either side); where either is empty (a load of zero or less),
// "Worst spread and capacity above need: not defined for loads of zero or less".
std::string spreadFiguresLine(const std::optional<double>& worstSpreadPercent,
                              const std::optional<double>& capacityAboveNeedPercent);

// The fewest types within a tolerance, as one run found it.
struct ToleranceFinding {
    double tolerancePercent = 0;
    // Empty where none of the groupings looked at keeps the tolerance.
    std::optional<int> fewestTypes;
    // False where the loads hold one of zero or less, whose spread is not defined.
    bool spreadDefined = true;
};

// The true minimum for these loads, from the least-spread grouping's own
// count (it may exceed 9): the finding of the least-spread technique.
ToleranceFinding fewestTypesOfLoads(std::span<const float> sortedLoads, double tolerancePercent);

// The fewest of a run's own groupings that keep the tolerance: the finding of
// any other technique. worstSpreads[n - 1] is the worst spread of its grouping
// into n types; empty where the run did not reach n types or the spread is
// not defined.
ToleranceFinding fewestOwnTypesWithin(std::span<const std::optional<double>> worstSpreads,
                                      double tolerancePercent);

// "Fewest types within 15.0 %: 5"; "...: none of 1 to 9" where no grouping of
// the run keeps it; "...: 14, more than 9" where more types are needed than a
// run forms; "...: not defined for loads of zero or less".
std::string toleranceStatement(const ToleranceFinding& finding);

}  // namespace tamsor

#endif
