#include "tamsor/optimal_grouping.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <utility>

#include "accurate_totals.h"
#include "fast_totals.h"
#include "layer_search.h"
#include "shifted_loads.h"

namespace tamsor {
namespace {

using optimal::AccurateTotals;
using optimal::FastTotals;
using optimal::LayerSearch;
using optimal::ShiftedLoads;

// Rows, columns and their padding are indexed by int.
constexpr std::size_t kMaxLoads = std::numeric_limits<int>::max() / 2;

void checkInput(std::span<const double> sortedLoads, int maxTypes) {
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
    if (!std::isfinite(sortedLoads.back() - sortedLoads.front()))
        throw std::invalid_argument("the loads span more than a double can hold");
}

// The layers of the dynamic program: layer k holds, for every row b, the least sum of
// squares of the first b loads in k types and the column where the last type starts.
class DynamicProgram {
  public:
    DynamicProgram(int loadCount, int typeLimit)
        : loadCount_(loadCount),
          typeLimit_(typeLimit),
          previous_(loadCount + 1),
          current_(loadCount + 1),
          scratch_(loadCount + 1 + optimal::kColumnPadding),
          columns_(static_cast<std::size_t>(typeLimit) * (loadCount + 1)),
          evaluationsAfter_(typeLimit + 1) {}

    // All layers with `totals`. With stopWhenUnsure, gives up (false) at the first layer
    // whose best total is not at least 2^30 times the error the totals' rounding could have
    // caused on the way: that grouping could be off by more than about 1e-9 of its total.
    template <class Totals>
    bool run(Totals& totals, bool stopWhenUnsure) {
        for (int b = 1; b <= loadCount_; ++b)
            previous_[b] = totals.cost(0, b);
        evaluations_ += loadCount_;
        evaluationsAfter_[1] = evaluations_;
        int previousFirstRow = 1;
        for (int k = 2; k <= typeLimit_; ++k) {
            const std::span<const int> previousColumns = layerColumns(k - 1);
            const int firstRow = firstNeededRow(k, previousColumns, previousFirstRow);
            const int firstColumn = std::max(k - 1, previousFirstRow);

            totals.beginLayer(previous_, firstColumn, loadCount_ - 1);
            // With one type fewer, layer 1 chose column 0 for every row: no bound to use.
            LayerSearch search(totals, k * totals.noisePerLayer(), scratch_,
                               k > 2 ? previousColumns.data() : nullptr);
            search.fillRows(firstRow, loadCount_, firstColumn, loadCount_ - 1, current_,
                            layerColumns(k));
            evaluations_ += search.evaluations();
            evaluationsAfter_[k] = evaluations_;
            const double possibleError = 2.0 * k * (k + 1) * totals.noisePerLayer();
            if (stopWhenUnsure && !(std::ldexp(current_[loadCount_], -30) >= possibleError))
                return false;
            std::swap(previous_, current_);
            previousFirstRow = firstRow;
        }
        return true;
    }

    // The first row of layer k that a grouping of all loads into k..typeLimit types can pass
    // through. Going down from row N, each further type starts at or after the column the
    // layer before chose for that row (with one type fewer the last type starts no later),
    // which only rows from previousFirstRow on hold. The last layer needs row N alone. The
    // clamps keep the rows and windows non-empty should rounding break that order of
    // exact totals.
    int firstNeededRow(int k, std::span<const int> previousColumns, int previousFirstRow) const {
        int row = loadCount_;
        for (int later = k; later < typeLimit_; ++later)
            row = std::max(previousColumns[row], previousFirstRow);
        return std::clamp(row, std::max(k, previousFirstRow + 1), loadCount_ - (typeLimit_ - k));
    }

    // 1-based first positions of the types of the best grouping in n types, then N + 1.
    std::vector<int> firstPositions(int typeCount) const {
        std::vector<int> positions(typeCount + 1);
        positions[0] = 1;
        positions[typeCount] = loadCount_ + 1;
        int row = loadCount_;
        for (int k = typeCount; k >= 2; --k) {
            row = columns_[static_cast<std::size_t>(k - 1) * (loadCount_ + 1) + row];
            positions[k - 1] = row + 1;
        }
        return positions;
    }

    std::int64_t evaluationsAfter(int typeCount) const { return evaluationsAfter_[typeCount]; }

  private:
    std::span<int> layerColumns(int k) {
        return std::span<int>(columns_).subspan(static_cast<std::size_t>(k - 1) * (loadCount_ + 1),
                                                loadCount_ + 1);
    }

    int loadCount_;
    int typeLimit_;
    std::vector<double> previous_, current_, scratch_;
    // Layer k's columns at (k - 1) * (N + 1); layer 1's stay 0, where its one type starts.
    std::vector<int> columns_;
    std::int64_t evaluations_ = 0;
    std::vector<std::int64_t> evaluationsAfter_;
};

}  // namespace

std::vector<OptimalGrouping> findOptimalGroupings(std::span<const double> sortedLoads,
                                                  int maxTypes) {
    checkInput(sortedLoads, maxTypes);
    const ShiftedLoads loads(sortedLoads);
    const int loadCount = loads.count();
    const int typeLimit = std::min(maxTypes, loadCount);

    // The fast totals serve unless the groupings are so tight, against the loads' spread
    // about the median, that their rounding could pick a worse one; then all layers are
    // computed again with the accurate totals.
    DynamicProgram program(loadCount, typeLimit);
    FastTotals fastTotals(loads);
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

}  // namespace tamsor
