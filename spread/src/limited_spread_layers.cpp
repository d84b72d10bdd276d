#include "limited_spread_layers.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <limits>
#include <span>
#include <utility>

namespace tamsor::spread {
namespace {

using optimal::ShiftedLoads;

// Totals within this fraction of the row's least total, plus the bound on their rounding
// error, count as equal, and the leftmost of them is chosen: the exact technique's rule.
constexpr double kEqualTotalFraction = 0x1p-40;

// Where the types that keep the spread limit may start, and how few of them cover the loads
// before or from a position.
struct Reach {
    std::vector<int> earliestStart;  // [b], b = 1..N: the first a whose loads a..b-1 keep it
    std::vector<int> fewestBefore;   // [b]: fewest types for the loads before b
    std::vector<int> fewestFrom;     // [a]: fewest types for the loads from a on
    std::int64_t evaluations = 0;
};

Reach reachWithin(int loadCount, const SpreadOrder& order, SpreadKey limit) {
    Reach reach;
    reach.earliestStart.assign(loadCount + 1, 0);
    // A type's spread only rises as it takes in lighter loads or heavier ones, so the
    // earliest start never moves left as the end moves right.
    int start = 0;
    for (int b = 1; b <= loadCount; ++b) {
        // A one-load type spreads 0 and keeps any limit: start stays below b.
        while (order.less(limit, {start, b - 1})) {
            ++start;
            ++reach.evaluations;
        }
        ++reach.evaluations;
        reach.earliestStart[b] = start;
    }
    // Fewer loads never need more types: before b the last type starts as early as it may,
    // from a on the first type ends as late as it may.
    reach.fewestBefore.assign(loadCount + 1, 0);
    for (int b = 1; b <= loadCount; ++b)
        reach.fewestBefore[b] = 1 + reach.fewestBefore[reach.earliestStart[b]];
    reach.fewestFrom.assign(loadCount + 1, 0);
    int end = loadCount;
    for (int a = loadCount - 1; a >= 0; --a) {
        while (reach.earliestStart[end] > a)
            --end;
        reach.fewestFrom[a] = 1 + reach.fewestFrom[end];
    }
    return reach;
}

// One layer of the dynamic program: for the rows b that a grouping of all loads into the
// types asked for can pass with k types, the column a where the k-th type starts.
struct Layer {
    int firstRow = 0;
    int lastRow = 0;
    std::vector<int> columns;  // [b - firstRow]

    bool holds(int row) const { return row >= firstRow && row <= lastRow; }
    int column(int row) const { return columns[row - firstRow]; }
};

struct Choice {
    int column = 0;
    double total = 0;
};

// The layers 1..n, each row's total being the least sum of squares of the first b loads in
// k types that keep the limit. A type's cost satisfies the quadrangle inequality, and
// forbidding the types beyond the limit keeps it (they form a staircase: a type is allowed
// from its earliest start on, and that start never moves left as the end moves right). So,
// as in the exact technique, the chosen column never moves left as the row grows, nor as
// the number of types grows for the same row, and each layer is filled by divide and
// conquer over its rows.
class LimitedLayers {
  public:
    LimitedLayers(const ShiftedLoads& loads, const Reach& reach, int typeCount)
        : loads_(loads),
          reach_(reach),
          typeCount_(typeCount),
          loadCount_(loads.count()),
          layers_(typeCount),
          previousTotals_(loadCount_ + 1),
          currentTotals_(loadCount_ + 1),
          scratch_(loadCount_ + 1),
          // Beside a few roundings relative to each total, what the prefix sums' own
          // rounding may add to a type's cost.
          noisePerLayer_(
              std::ldexp(loads.squareSum() + loads.largestLoad() * loads.largestSum(), -96)) {
        for (int k = 1; k <= typeCount_; ++k)
            placeRows(k);
    }

    std::int64_t run() {
        Layer& first = layers_[0];
        for (int b = first.firstRow; b <= first.lastRow; ++b) {
            previousTotals_[b] = loads_.sumOfSquares(0, b);
            first.columns.push_back(0);
        }
        evaluations_ += first.lastRow - first.firstRow + 1;
        for (layer_ = 2; layer_ <= typeCount_; ++layer_) {
            const Layer& previous = layers_[layer_ - 2];
            Layer& current = layers_[layer_ - 1];
            current.columns.resize(current.lastRow - current.firstRow + 1);
            fillRows(current.firstRow, current.lastRow, previous.firstRow, previous.lastRow);
            std::swap(previousTotals_, currentTotals_);
        }
        return evaluations_;
    }

    std::vector<int> firstPositions() const {
        std::vector<int> positions(typeCount_ + 1);
        positions[0] = 1;
        positions[typeCount_] = loadCount_ + 1;
        int row = loadCount_;
        for (int k = typeCount_; k >= 2; --k) {
            row = layers_[k - 1].column(row);
            positions[k - 1] = row + 1;
        }
        return positions;
    }

  private:
    // Row b can hold k types when the loads before b fit in k types that keep the limit
    // and the loads from b on in the remaining ones, each type non-empty.
    void placeRows(int k) {
        const int later = typeCount_ - k;
        const std::vector<int>& from = reach_.fewestFrom;
        const std::vector<int>& before = reach_.fewestBefore;
        Layer& layer = layers_[k - 1];
        const auto firstFitting =
            std::partition_point(from.begin(), from.end(), [&](int f) { return f > later; });
        const auto pastFitting =
            std::partition_point(before.begin(), before.end(), [&](int f) { return f <= k; });
        layer.firstRow = std::max(k, static_cast<int>(firstFitting - from.begin()));
        layer.lastRow =
            std::min(loadCount_ - later, static_cast<int>(pastFitting - before.begin()) - 1);
        assert(layer.firstRow <= layer.lastRow);
    }

    // Rows firstRow..lastRow of the current layer, whose chosen columns lie in
    // firstColumn..lastColumn.
    void fillRows(int firstRow, int lastRow, int firstColumn, int lastColumn) {
        const Layer& previous = layers_[layer_ - 2];
        Layer& current = layers_[layer_ - 1];
        while (firstRow <= lastRow) {
            const int row = firstRow + (lastRow - firstRow) / 2;
            // The last type keeps the limit and starts at a row of the layer before. Both
            // bounds rise with the row, so the window stays non-empty between the choices
            // of the rows around it.
            int first = std::max({firstColumn, reach_.earliestStart[row], previous.firstRow});
            const int last = std::min({lastColumn, row - 1, previous.lastRow});
            assert(first <= last);
            if (previous.holds(row)) first = std::clamp(previous.column(row), first, last);
            const Choice choice = bestColumn(row, first, last);
            currentTotals_[row] = choice.total;
            current.columns[row - current.firstRow] = choice.column;
            fillRows(firstRow, row - 1, firstColumn, choice.column);
            firstRow = row + 1;
            firstColumn = choice.column;
        }
    }

    // The leftmost column of first..last whose total for `row` equals the least.
    Choice bestColumn(int row, int first, int last) {
        evaluations_ += last - first + 1;
        if (first == last) return {first, previousTotals_[first] + loads_.sumOfSquares(first, row)};
        double least = std::numeric_limits<double>::infinity();
        for (int a = first; a <= last; ++a) {
            const double total = previousTotals_[a] + loads_.sumOfSquares(a, row);
            scratch_[a - first] = total;
            least = std::min(least, total);
        }
        const double limit = least + (kEqualTotalFraction * least + layer_ * noisePerLayer_);
        int offset = 0;
        while (!(scratch_[offset] <= limit))
            ++offset;
        return {first + offset, scratch_[offset]};
    }

    const ShiftedLoads& loads_;
    const Reach& reach_;
    int typeCount_;
    int loadCount_;
    std::vector<Layer> layers_;
    std::vector<double> previousTotals_, currentTotals_, scratch_;
    double noisePerLayer_;
    int layer_ = 1;
    std::int64_t evaluations_ = 0;
};

}  // namespace

LimitedGrouping findLeastSquaresWithin(const ShiftedLoads& loads, const SpreadOrder& order,
                                       SpreadKey limit, int typeCount) {
    const Reach reach = reachWithin(loads.count(), order, limit);
    LimitedLayers layers(loads, reach, typeCount);
    const std::int64_t evaluations = layers.run();
    return {layers.firstPositions(), reach.evaluations + evaluations};
}

}  // namespace tamsor::spread
