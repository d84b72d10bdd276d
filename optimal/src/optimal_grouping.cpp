// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/optimal_grouping.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <utility>

#include "accurate_totals.h"
#include "dynamic_program.h"
#include "fast_totals.h"
#include "leading_runs.h"
#include "shifted_loads.h"

namespace tamsor {
namespace {

using optimal::AccurateTotals;
using optimal::DynamicProgram;
using optimal::FastTotals;
using optimal::LeadingRuns;
using optimal::ShiftedLoads;

// Rows, columns and their padding are indexed by int.
constexpr std::size_t kMaxLoads = std::numeric_limits<int>::max() / 2;

template <class Load>
void checkInput(std::span<const Load> sortedLoads, int maxTypes) {
    if (maxTypes < 1 || maxTypes > kMaxTypes)
        throw std::invalid_argument("the number of isolator types must be 1 to 9");
    if (sortedLoads.empty()) throw std::invalid_argument("there are no loads");
    if (sortedLoads.size() > kMaxLoads) throw std::invalid_argument("too many loads");
    for (std::size_t i = 0; i < sortedLoads.size(); ++i) {
        if (!std::isfinite(sortedLoads[i]))
            throw std::invalid_argument("load " + std::to_string(i + 1) + " is not finite");
        if (i > 0 && sortedLoads[i] < sortedLoads[i - 1])
            throw std::invalid_argument("the loads are not in ascending order at load " +
                                        std::to_string(i + 1));
    }
    if (!std::isfinite(static_cast<double>(sortedLoads.back()) - sortedLoads.front()))
        throw std::invalid_argument("the loads span more than a double can hold");
}

// Whether every two different loads lie so far apart that a type holding both costs far
// more than the error of any fast total: then a total of zero stands apart from every other,
// and the rows whose best total is zero can be filled from the leading runs of equal loads,
// as the search would fill them. Such a type's sum of squares is at least half the square of
// the least difference between two different loads; it must exceed 2^8 times the largest
// tie tolerance of a layer (typeLimit noisePerLayer). Leaves at the first difference too
// small, so loads spread evenly cost a few comparisons.
template <class Load>
bool differentLoadsStandApart(std::span<const Load> sortedLoads, const ShiftedLoads& loads,
                              double noisePerLayer, int typeLimit) {
    const double least =
        std::ldexp(std::sqrt(0x1p9 * typeLimit * noisePerLayer), loads.scaleExponent());
    for (std::size_t i = 1; i < sortedLoads.size(); ++i) {
        const double difference = static_cast<double>(sortedLoads[i]) - sortedLoads[i - 1];
        if (difference != 0 && !(difference > least)) return false;
    }
    return true;
}

template <class Load>
std::vector<OptimalGrouping> groupingsOf(std::span<const Load> sortedLoads, int maxTypes) {
    checkInput(sortedLoads, maxTypes);
    const ShiftedLoads loads(sortedLoads);
    const int loadCount = loads.count();
    const int typeLimit = std::min(maxTypes, loadCount);

    // The fast totals serve unless the groupings are so tight, against the loads' spread
    // about the median, that their rounding could pick a worse one; then all layers are
    // computed again with the accurate totals. Groupings of equal loads, whose total is
    // exactly zero, are not tight in that sense: where different loads stand well apart they
    // come from the leading runs, exact with either totals.
    FastTotals fastTotals(loads);
    const LeadingRuns leadingRuns(sortedLoads);
    const bool zeroRowsKnown =
        differentLoadsStandApart(sortedLoads, loads, fastTotals.noisePerLayer(), typeLimit);
    DynamicProgram program(loadCount, typeLimit, zeroRowsKnown ? &leadingRuns : nullptr);
    if (!program.run(fastTotals, true)) {
        AccurateTotals accurateTotals(loads);
        program.run(accurateTotals, false);
    }

    std::vector<OptimalGrouping> groupings;
    for (int n = 1; n <= typeLimit; ++n) {
        OptimalGrouping grouping;
        grouping.typeCount = n;
        grouping.firstPositions = program.firstPositions(n);
        for (int k = 0; k < n; ++k) {
            const auto type = loads.statistics(grouping.firstPositions[k] - 1,
                                               grouping.firstPositions[k + 1] - 1);
            grouping.means.push_back(type.mean);
            grouping.sumOfSquares += type.sumOfSquares;
        }
        grouping.costEvaluations = program.evaluationsAfter(n);
        groupings.push_back(std::move(grouping));
    }
    return groupings;
}

}  // namespace

std::vector<OptimalGrouping> findOptimalGroupings(std::span<const double> sortedLoads,
                                                  int maxTypes) {
    return groupingsOf(sortedLoads, maxTypes);
}

std::vector<OptimalGrouping> findOptimalGroupings(std::span<const float> sortedLoads,
                                                  int maxTypes) {
    return groupingsOf(sortedLoads, maxTypes);
}

}  // namespace tamsor
