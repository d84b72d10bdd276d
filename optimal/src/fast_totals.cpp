#include "fast_totals.h"

#include <algorithm>
#include <cmath>

namespace tamsor::optimal {

FastTotals::FastTotals(const ShiftedLoads& loads)
    : count_(loads.count()),
      squareSum_(loads.squareSumHigh()),
      sum_(loads.sumHigh()),
      base_(std::make_unique_for_overwrite<double[]>(loads.count() + 1 + kColumnPadding)),
      reciprocal_(std::make_unique_for_overwrite<double[]>(loads.count() + 1 + kColumnPadding)),
      // Per layer, about nine roundings of square sums (at most Q, the sum of all y^2) in
      // the base and the cost, and the error of S1 (about u max |sum|) in S1^2 / m, whose
      // |S1| / m <= max |y|. 2^-49 is 16 u.
      noisePerLayer_(
          std::ldexp(loads.squareSum() + loads.largestLoad() * loads.largestSum(), -49)) {
    for (int j = 0; j <= count_; ++j)
        reciprocal_[j] = 1.0 / (count_ + 1 - j);
    // Column N (never a type's start) and the padding are read, four columns at a time, and
    // their totals set aside: zeros keep those reads defined.
    std::fill_n(base_.get() + count_, 1 + kColumnPadding, 0.0);
    std::fill_n(reciprocal_.get() + count_ + 1, kColumnPadding, 0.0);
}

double FastTotals::cost(int first, int end) const {
    const double sum = sum_[end] - sum_[first];
    const double squares = squareSum_[end] - squareSum_[first];
    return std::max(0.0, squares - sum * sum * reciprocal_[first + count_ + 1 - end]);
}

void FastTotals::beginLayer(std::span<const double> previousTotals, int firstColumn,
                            int lastColumn) {
    for (int a = firstColumn; a <= lastColumn; ++a)
        base_[a] = previousTotals[a] - squareSum_[a];
}

}  // namespace tamsor::optimal
