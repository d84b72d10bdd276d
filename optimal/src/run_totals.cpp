// SPDX-License-Identifier: GPL-3.0-or-later
#include "run_totals.h"

#include <algorithm>
#include <limits>

#include "fast_totals.h"

namespace tamsor::optimal {

RunTotals::RunTotals(const ShiftedLoads& loads, std::span<const int> runStarts)
    : sum_(std::make_unique_for_overwrite<double[]>(runStarts.size() + kColumnPadding)),
      squareSum_(std::make_unique_for_overwrite<double[]>(runStarts.size() + kColumnPadding)),
      loadCount_(std::make_unique_for_overwrite<double[]>(runStarts.size() + kColumnPadding)),
      base_(std::make_unique_for_overwrite<double[]>(runStarts.size() + kColumnPadding)),
      noisePerLayer_(FastTotals::noisePerLayerOf(loads)) {
    for (std::size_t i = 0; i < runStarts.size(); ++i) {
        const int kept = loads.keptIndex(runStarts[i]);
        sum_[i] = loads.sumHigh()[kept];
        squareSum_[i] = loads.squareSumHigh()[kept];
        loadCount_[i] = runStarts[i];
    }
    // Past the last run: defined, never chosen.
    std::fill_n(sum_.get() + runStarts.size(), kColumnPadding, 0.0);
    std::fill_n(squareSum_.get() + runStarts.size(), kColumnPadding, 0.0);
    std::fill_n(loadCount_.get() + runStarts.size(), kColumnPadding, -1.0);
    std::fill_n(base_.get() + runStarts.size() - 1, 1 + kColumnPadding, 0.0);
}

double RunTotals::cost(int first, int end) const {
    const double sum = sum_[end] - sum_[first];
    const double squares = squareSum_[end] - squareSum_[first];
    return std::max(0.0, squares - sum * sum * (1.0 / (loadCount_[end] - loadCount_[first])));
}

void RunTotals::beginLayer(std::span<const double> previousTotals, int firstColumn,
                           int lastColumn) {
    previousTotals_ = previousTotals.data();
    for (int a = firstColumn; a <= lastColumn; ++a)
        base_[a] = previousTotals[a] - squareSum_[a];
}

double RunTotals::rowValues(int row, int first, int last, double* values) const {
    double least = std::numeric_limits<double>::infinity();
    for (int a = first; a <= last; ++a) {
        const double value = this->value(row, a);
        values[a - first] = value;
        least = value < least ? value : least;
    }
    return least;
}

}  // namespace tamsor::optimal
