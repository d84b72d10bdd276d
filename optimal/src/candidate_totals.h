// The totals the dynamic program compares: for a row b (the first b loads) and a column a,
// the best sum of squares of the loads 0..a-1 in one type fewer plus the cost of the last
// type, loads a..b-1. Two ways of computing them, with the same interface.
#ifndef TAMSOR_OPTIMAL_CANDIDATE_TOTALS_H
#define TAMSOR_OPTIMAL_CANDIDATE_TOTALS_H

#include <span>
#include <vector>

#include "shifted_loads.h"

namespace tamsor::optimal {

// Room beyond the last column that rowValues may read and write.
inline constexpr int kColumnPadding = 3;

// Fast totals from the rounded prefix sums: cost(a, b) = S2 - S1^2 / (b - a). The error of
// a total is bounded by `noisePerLayer()` for each layer it has passed through; the
// subtraction in S2 - S1^2 / m loses what the loads' distance from the median adds to S2.
class FastTotals {
  public:
    explicit FastTotals(const ShiftedLoads& loads);

    // Sum of squares of the loads first..end-1 about their mean.
    double cost(int first, int end) const;
    // Rounding error bound added to a total in each layer.
    double noisePerLayer() const { return noisePerLayer_; }

    // The totals of the layer before, for the columns first..last.
    void beginLayer(std::span<const double> previousTotals, int firstColumn, int lastColumn);
    // values[0 .. last - first] = the totals of columns first..last for `row`, less
    // rowConstant(row); returns their least value. values has room for kColumnPadding more.
    double rowValues(int row, int first, int last, double* values) const;
    double rowConstant(int row) const { return squareSum_[row]; }

  private:
    int count_;
    const std::vector<double>& squareSum_;
    // Indexed by column and padded by kColumnPadding, so that a row's columns can be taken
    // four at a time.
    std::vector<double> sum_;
    std::vector<double> base_;  // previous total of column a less the square sum up to a
    // reciprocal_[j] = 1 / (N + 1 - j): for row b and column a it holds 1 / (b - a) at
    // j = a + N + 1 - b, an index that rises with a like those of the other arrays.
    std::vector<double> reciprocal_;
    double noisePerLayer_;
};

// Accurate totals: the cost of a type is formed about its own rounded mean with exact
// products, from the prefix sums as hi + lo, so its error is a few roundings of the cost
// itself, whatever the loads' distance from the median. About five times the work of
// FastTotals; used where the fast totals cannot tell the best groupings apart.
class AccurateTotals {
  public:
    explicit AccurateTotals(const ShiftedLoads& loads);

    double cost(int first, int end) const;
    // Bound on the absolute error left beside a few roundings relative to the total.
    double noisePerLayer() const { return noisePerLayer_; }

    void beginLayer(std::span<const double> previousTotals, int firstColumn, int lastColumn);
    double rowValues(int row, int first, int last, double* values) const;
    double rowConstant(int) const { return 0; }

  private:
    const ShiftedLoads& loads_;
    std::span<const double> previousTotals_;
    double noisePerLayer_;
};

}  // namespace tamsor::optimal

#endif
