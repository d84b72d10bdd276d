// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/optimal_grouping.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "accurate_totals.h"
#include "dynamic_program.h"
#include "fast_totals.h"
#include "leading_runs.h"
#include "run_totals.h"
#include "shifted_loads.h"

namespace tamsor {
namespace {

using optimal::AccurateTotals;
using optimal::DynamicProgram;
using optimal::FastTotals;
using optimal::LeadingRuns;
using optimal::RunTotals;
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

// The first load of each run of equal loads, then the number of loads.
template <class Load>
std::vector<int> runsOf(std::span<const Load> sortedLoads) {
    std::vector<int> starts;
    for (std::size_t i = 0; i < sortedLoads.size(); ++i)
        if (i == 0 || sortedLoads[i] != sortedLoads[i - 1]) starts.push_back(static_cast<int>(i));
    starts.push_back(static_cast<int>(sortedLoads.size()));
    return starts;
}

// The run starts and the positions 0..typeLimit, in order, once each.
std::vector<int> keptPositions(const std::vector<int>& runStarts, int typeLimit) {
    std::vector<int> positions(runStarts);
    for (int position = 0; position <= typeLimit; ++position)
        positions.push_back(position);
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    return positions;
}

// The dynamic program over runs of equal loads, and the way back to positions of loads.
struct RunSearch {
    template <class Load>
    RunSearch(std::span<const Load> sortedLoads, std::span<const int> starts, int typeLimit,
              bool zeroRowsKnown)
        : runStarts(starts),
          leadingRuns(std::span<const Load>(runValues(sortedLoads, starts))),
          program(static_cast<int>(starts.size()) - 1, typeLimit,
                  zeroRowsKnown ? &leadingRuns : nullptr) {}

    // The runs' first positions turned into the loads' (1-based, then N + 1).
    std::vector<int> firstPositions(int typeCount) const {
        std::vector<int> positions = program.firstPositions(typeCount);
        for (int& position : positions)
            position = runStarts[position - 1] + 1;
        return positions;
    }

    // One load of each run: each run is one row, so the first k rows hold k different loads.
    template <class Load>
    static std::vector<Load> runValues(std::span<const Load> sortedLoads,
                                       std::span<const int> starts) {
        std::vector<Load> values;
        for (std::size_t run = 0; run + 1 < starts.size(); ++run)
            values.push_back(sortedLoads[starts[run]]);
        return values;
    }

    std::span<const int> runStarts;
    LeadingRuns leadingRuns;
    DynamicProgram program;
};

// The leftmost grouping of all loads into more types than they have different loads, of
// total zero: going down from the last type, each starts where its run starts, or as far
// right as leaves one load to each type before it. The rows the search over single loads
// fills from the leading runs, without comparing totals.
std::vector<int> zeroTotalPositions(const LeadingRuns& leadingRuns, int loadCount, int typeCount) {
    std::vector<int> positions(typeCount + 1);
    positions[0] = 1;
    positions[typeCount] = loadCount + 1;
    int row = loadCount;
    for (int k = typeCount; k >= 2; --k) {
        row = leadingRuns.zeroRowColumn(k, row);
        positions[k - 1] = row + 1;
    }
    return positions;
}

template <class Load>
std::vector<OptimalGrouping> groupingsOf(std::span<const Load> sortedLoads, int maxTypes) {
    checkInput(sortedLoads, maxTypes);
    const int loadCount = static_cast<int>(sortedLoads.size());
    const int typeLimit = std::min(maxTypes, loadCount);
    const std::vector<int> runStarts = runsOf(sortedLoads);
    const int runCount = static_cast<int>(runStarts.size()) - 1;

    // Where the search may run over the runs of equal loads (below), the prefix sums are kept
    // where types can start: at the runs' starts, and at the first loads, where groupings of
    // more types than runs put their single loads.
    const bool runsRepeat = runCount <= loadCount * 3 / 4;
    std::optional<ShiftedLoads> loadsAtRuns, allLoads;
    if (runsRepeat)
        loadsAtRuns.emplace(sortedLoads, keptPositions(runStarts, typeLimit));
    else
        allLoads.emplace(sortedLoads);
    const ShiftedLoads& loads = runsRepeat ? *loadsAtRuns : *allLoads;

    // The fast totals serve unless the groupings are so tight, against the loads' spread
    // about the median, that their rounding could pick a worse one; then all layers are
    // computed again with the accurate totals. Groupings of equal loads, whose total is
    // exactly zero, are not tight in that sense: where different loads stand well apart they
    // come from the leading runs, exact with either totals.
    const bool zeroRowsKnown =
        differentLoadsStandApart(sortedLoads, loads, FastTotals::noisePerLayerOf(loads), typeLimit);

    // Where loads repeat (as loads written to a tenth of a kilonewton do in a large
    // building), the search runs over the runs of equal loads, one row and column per run:
    // the best grouping never puts the boundary of two types inside a run (see
    // choiceAtRunStarts in layer_search.h), and the totals at the runs' starts are those of
    // the search over single loads. With fewer runs than types, the groupings of more types
    // than runs cost nothing: where different loads stand apart, they are the leftmost such,
    // from the leading runs of equal loads.
    const bool fewerRunsThanTypes = runCount < typeLimit;
    std::optional<RunSearch> runSearch;
    bool fastTotalsInDoubt = false;
    if (runsRepeat && (zeroRowsKnown || !fewerRunsThanTypes)) {
        runSearch.emplace(sortedLoads, runStarts, std::min(typeLimit, runCount), zeroRowsKnown);
        RunTotals runTotals(loads, runStarts);
        fastTotalsInDoubt = !runSearch->program.run(runTotals, true);
        if (fastTotalsInDoubt) runSearch.reset();
    }
    // Otherwise over single loads; where the fast totals could not tell the best groupings
    // apart (the totals at the runs' starts are the same), with the accurate totals.
    const LeadingRuns leadingRuns(sortedLoads);
    std::optional<DynamicProgram> program;
    if (!runSearch) {
        if (!allLoads) allLoads.emplace(sortedLoads);
        program.emplace(loadCount, typeLimit, zeroRowsKnown ? &leadingRuns : nullptr);
        FastTotals fastTotals(*allLoads);
        if (fastTotalsInDoubt || !program->run(fastTotals, true)) {
            AccurateTotals accurateTotals(*allLoads);
            program->run(accurateTotals, false);
        }
    }
    const ShiftedLoads& groupedLoads = runSearch ? *loadsAtRuns : *allLoads;
    const auto firstPositions = [&](int typeCount) {
        if (!runSearch) return program->firstPositions(typeCount);
        if (typeCount <= runCount) return runSearch->firstPositions(typeCount);
        return zeroTotalPositions(leadingRuns, loadCount, typeCount);
    };
    const auto costEvaluations = [&](int typeCount) {
        if (!runSearch) return program->evaluationsAfter(typeCount);
        // Each boundary read off the leading runs counts once, as a row filled from them
        // does in the search over single loads.
        std::int64_t evaluations =
            runSearch->program.evaluationsAfter(std::min(typeCount, runCount));
        for (int more = runCount + 1; more <= typeCount; ++more)
            evaluations += more - 1;
        return evaluations;
    };

    std::vector<OptimalGrouping> groupings;
    for (int n = 1; n <= typeLimit; ++n) {
        OptimalGrouping grouping;
        grouping.typeCount = n;
        grouping.firstPositions = firstPositions(n);
        for (int k = 0; k < n; ++k) {
            const auto type = groupedLoads.statistics(grouping.firstPositions[k] - 1,
                                                      grouping.firstPositions[k + 1] - 1);
            grouping.means.push_back(type.mean);
            grouping.sumOfSquares += type.sumOfSquares;
        }
        grouping.costEvaluations = costEvaluations(n);
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
