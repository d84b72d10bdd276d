// SPDX-License-Identifier: GPL-3.0-or-later
// The totals of FastTotals over the runs of equal loads: row i and column j stand for the
// start of run i and run j, so a layer has one row per run instead of one per load.
#ifndef TAMSOR_OPTIMAL_RUN_TOTALS_H
#define TAMSOR_OPTIMAL_RUN_TOTALS_H

#include <memory>
#include <span>

#include "shifted_loads.h"

namespace tamsor::optimal {

// Each total is formed from the same prefix sums, in the same operations, as FastTotals forms
// it for the loads where the runs start: the same value to the bit. Only the reciprocal of a
// type's load count is divided out each time, since counts are no longer a difference of
// indices.
class RunTotals {
  public:
    // runStarts: the first load of each run in order, then the number of loads; loads: with
    // its prefix sums kept at those positions at least.
    RunTotals(const ShiftedLoads& loads, std::span<const int> runStarts);

    double cost(int first, int end) const;
    double noisePerLayer() const { return noisePerLayer_; }

    void beginLayer(std::span<const double> previousTotals, int firstColumn, int lastColumn);
    double rowValues(int row, int first, int last, double* values) const;
    double rowConstant(int row) const { return squareSum_[row]; }
    void prefetchRow(int row) const {
        __builtin_prefetch(sum_.get() + row);
        __builtin_prefetch(squareSum_.get() + row);
        __builtin_prefetch(loadCount_.get() + row);
    }
    double value(int row, int column) const {
        const double difference = sum_[row] - sum_[column];
        return base_[column] -
               difference * difference * (1.0 / (loadCount_[row] - loadCount_[column]));
    }
    double previousTotal(int column) const { return previousTotals_[column]; }
    double total(int row, int column) const { return value(row, column) + squareSum_[row]; }

  private:
    // Per run start, padded by kColumnPadding: the prefix sums there and the loads before it.
    std::unique_ptr<double[]> sum_, squareSum_, loadCount_;
    std::unique_ptr<double[]> base_;
    const double* previousTotals_ = nullptr;
    double noisePerLayer_;
};

}  // namespace tamsor::optimal

#endif
