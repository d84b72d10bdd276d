// SPDX-License-Identifier: GPL-3.0-or-later
#include "limited_spread_layers.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <limits>
#include <utility>

namespace tamsor::spread {
namespace {

// Totals within this fraction of the row's least total, plus the bound on their rounding
// error, count as equal, and the leftmost of them is chosen: the exact technique's rule.
constexpr double kEqualTotalFraction = 0x1p-40;

}  // namespace

LimitedSpreadLayers::LimitedSpreadLayers(const optimal::ShiftedLoads& loads,
                                         const SpreadOrder& order, SpreadKey limit, int fewestTypes,
                                         int mostTypes)
    : costs_(loads),
      loadCount_(loads.count()),
      fewestTypes_(fewestTypes),
      mostTypes_(mostTypes),
      layers_(mostTypes),
      previousTotals_(loadCount_ + 1),
      currentTotals_(loadCount_ + 1),
      scratch_(loadCount_ + 1) {
    findReach(order, limit);
    for (int k = 1; k <= mostTypes_; ++k)
        placeRows(k);
}

void LimitedSpreadLayers::findReach(const SpreadOrder& order, SpreadKey limit) {
    earliestStart_.assign(loadCount_ + 1, 0);
    // A type's spread only rises as it takes in lighter or heavier loads, so the earliest
    // start never moves left as the end moves right.
    int start = 0;
    for (int b = 1; b <= loadCount_; ++b) {
        // A one-load type spreads 0 and keeps any limit: start stays below b.
        while (order.less(limit, {start, b - 1})) {
            ++start;
            ++evaluations_;
        }
        ++evaluations_;
        earliestStart_[b] = start;
    }
    // Fewer loads never need more types: before b the last type starts as early as it may,
    // from a on the first type ends as late as it may.
    fewestBefore_.assign(loadCount_ + 1, 0);
    for (int b = 1; b <= loadCount_; ++b)
        fewestBefore_[b] = 1 + fewestBefore_[earliestStart_[b]];
    fewestFrom_.assign(loadCount_ + 1, 0);
    int end = loadCount_;
    for (int a = loadCount_ - 1; a >= 0; --a) {
        while (earliestStart_[end] > a)
            --end;
        fewestFrom_[a] = 1 + fewestFrom_[end];
    }
}

// Row b can hold k types when the loads before b fit in k types that keep the limit and the
// loads from b on in the remaining ones of some type count asked for, each type non-empty.
void LimitedSpreadLayers::placeRows(int k) {
    const auto firstFitting = std::partition_point(fewestFrom_.begin(), fewestFrom_.end(),
                                                   [&](int f) { return f > mostTypes_ - k; });
    const auto pastFitting = std::partition_point(fewestBefore_.begin(), fewestBefore_.end(),
                                                  [&](int f) { return f <= k; });
    Layer& layer = layers_[k - 1];
    layer.firstRow = std::max(k, static_cast<int>(firstFitting - fewestFrom_.begin()));
    layer.lastRow = std::min(loadCount_ - std::max(0, fewestTypes_ - k),
                             static_cast<int>(pastFitting - fewestBefore_.begin()) - 1);
    assert(layer.firstRow <= layer.lastRow);
    layer.columns.resize(layer.lastRow - layer.firstRow + 1);
}

std::vector<int> LimitedSpreadLayers::firstPositions(int typeCount) {
    assert(typeCount >= fewestTypes_ && typeCount <= mostTypes_);
    if (filledLayers_ == 0) fillFirstLayer();
    while (filledLayers_ < typeCount)
        fillLayer();

    std::vector<int> positions(typeCount + 1);
    positions[0] = 1;
    positions[typeCount] = loadCount_ + 1;
    int row = loadCount_;
    for (int k = typeCount; k >= 2; --k) {
        row = layers_[k - 1].column(row);
        positions[k - 1] = row + 1;
    }
    return positions;
}

void LimitedSpreadLayers::fillFirstLayer() {
    const Layer& first = layers_[0];
    for (int b = first.firstRow; b <= first.lastRow; ++b)
        previousTotals_[b] = costs_.cost(0, b);
    evaluations_ += first.lastRow - first.firstRow + 1;
    filledLayers_ = 1;
}

void LimitedSpreadLayers::fillLayer() {
    ++filledLayers_;
    const Layer& previous = layers_[filledLayers_ - 2];
    const Layer& current = layers_[filledLayers_ - 1];
    fillRows(current.firstRow, current.lastRow, previous.firstRow, previous.lastRow);
    std::swap(previousTotals_, currentTotals_);
}

// Rows firstRow..lastRow of the layer being filled, whose chosen columns lie in
// firstColumn..lastColumn.
void LimitedSpreadLayers::fillRows(int firstRow, int lastRow, int firstColumn, int lastColumn) {
    const Layer& previous = layers_[filledLayers_ - 2];
    Layer& current = layers_[filledLayers_ - 1];
    while (firstRow <= lastRow) {
        const int row = firstRow + (lastRow - firstRow) / 2;
        // The last type keeps the limit and starts at a row of the layer before. Both bounds
        // rise with the row, so the window is never empty between the choices of the rows
        // around it.
        int first = std::max({firstColumn, earliestStart_[row], previous.firstRow});
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

// The leftmost column of first..last whose total for `row` equals the least. The least sum
// of squares of the loads before a in one type fewer never falls as a grows (one more load
// never costs less), and a type's cost is at least 0: once the least total so far is no
// more than the next column's total of the layer before, no later column can be less.
LimitedSpreadLayers::Choice LimitedSpreadLayers::bestColumn(int row, int first, int last) {
    if (first == last) {
        ++evaluations_;
        return {first, previousTotals_[first] + costs_.cost(first, row)};
    }
    double least = std::numeric_limits<double>::infinity();
    int end = first;
    while (end <= last) {
        const double total = previousTotals_[end] + costs_.cost(end, row);
        scratch_[end - first] = total;
        least = std::min(least, total);
        ++end;
        if (end <= last && least <= previousTotals_[end]) break;
    }
    evaluations_ += end - first;
    const double limit =
        least + (kEqualTotalFraction * least + filledLayers_ * costs_.noisePerLayer());
    int offset = 0;
    while (!(scratch_[offset] <= limit))
        ++offset;
    return {first + offset, scratch_[offset]};
}

}  // namespace tamsor::spread
