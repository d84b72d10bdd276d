// SPDX-License-Identifier: GPL-3.0-or-later
// The totals the dynamic program compares, computed accurately where the fast ones cannot
// tell the best groupings apart.
#ifndef TAMSOR_OPTIMAL_ACCURATE_TOTALS_H
#define TAMSOR_OPTIMAL_ACCURATE_TOTALS_H

#include <span>

#include "shifted_loads.h"

namespace tamsor::optimal {

// The cost of a type is formed about its own rounded mean with exact products, from the
// prefix sums as hi + lo, so its error is a few roundings of the cost itself whatever the
// loads' distance from the median. About five times the work of FastTotals, whose
// interface it shares.
class AccurateTotals {
  public:
    explicit AccurateTotals(const ShiftedLoads& loads);

    double cost(int first, int end) const { return loads_.sumOfSquares(first, end); }
    // Beside a few roundings relative to each total, what the prefix sums' own rounding
    // (a few u^2 of their magnitude) may add.
    double noisePerLayer() const { return noisePerLayer_; }

    void beginLayer(std::span<const double> previousTotals, int, int) {
        previousTotals_ = previousTotals;
    }
    double rowValues(int row, int first, int last, double* values) const;
    double rowConstant(int) const { return 0; }
    void prefetchRow(int) const {}
    double total(int row, int column) const { return previousTotals_[column] + cost(column, row); }

  private:
    const ShiftedLoads& loads_;
    std::span<const double> previousTotals_;
    double noisePerLayer_;
};

}  // namespace tamsor::optimal

#endif
