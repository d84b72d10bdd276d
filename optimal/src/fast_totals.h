// SPDX-License-Identifier: GPL-3.0-or-later
// The totals the dynamic program compares, computed fast: for a row b (the first b loads)
// and a column a, the best sum of squares of the loads 0..a-1 in one type fewer plus the
// cost of the last type, loads a..b-1.
#ifndef TAMSOR_OPTIMAL_FAST_TOTALS_H
#define TAMSOR_OPTIMAL_FAST_TOTALS_H

#include <cmath>
#include <limits>
#include <memory>
#include <span>

#include "shifted_loads.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Where the processor has AVX2, long rows are computed four columns to an instruction: the
// same operations on each column, so the same values, chosen once at run time.
#if defined(__x86_64__) && defined(__GNUC__)
#define TAMSOR_WIDE_TOTALS 1
#else
#define TAMSOR_WIDE_TOTALS 0
#endif

namespace tamsor::optimal {

// cost(a, b) = S2 - S1^2 / (b - a) from the prefix sums rounded to double. Each layer adds
// at most noisePerLayer() to the error of a total: the subtraction loses what the loads'
// distance from the median adds to S2, so where the best groupings are very tight against
// that distance, these totals cannot tell them apart (AccurateTotals can).
class FastTotals {
  public:
    explicit FastTotals(const ShiftedLoads& loads);

    // Sum of squares of the loads first..end-1 about their mean.
    double cost(int first, int end) const;
    double noisePerLayer() const { return noisePerLayer_; }
    // Per layer, about nine roundings of square sums (at most Q, the sum of all y^2) in
    // the base and the cost, and the error of S1 (about u max |sum|) in S1^2 / m, whose
    // |S1| / m <= max |y|. 2^-49 is 16 u.
    static double noisePerLayerOf(const ShiftedLoads& loads) {
        return std::ldexp(loads.squareSum() + loads.largestLoad() * loads.largestSum(), -49);
    }

    // The totals of the layer before, for the columns first..last.
    void beginLayer(std::span<const double> previousTotals, int firstColumn, int lastColumn);
    // values[0 .. last - first] = the totals of columns first..last for `row`, less
    // rowConstant(row); returns their least value. values has room for kColumnPadding more,
    // which may be overwritten.
    double rowValues(int row, int first, int last, double* values) const;
    double rowConstant(int row) const { return squareSum_[row]; }
    // Asks the processor for a row's own figures before they are needed.
    void prefetchRow(int row) const {
        __builtin_prefetch(sum_ + row);
        __builtin_prefetch(squareSum_ + row);
    }
    // The total of one column for `row`, less rowConstant(row), computed as rowValues does.
    double value(int row, int column) const {
        const double difference = sum_[row] - sum_[column];
        return base_[column] - difference * difference * reciprocal_[column + count_ + 1 - row];
    }
    // The best total of the layer before at `column`: it never falls as the column grows,
    // so a block of columns can be bounded from its ends (see LayerSearch).
    double previousTotal(int column) const { return previousTotals_[column]; }
    // The runs of equal loads, over which a total is concave in its column (see LayerSearch).
    const ShiftedLoads& loads() const { return loads_; }
    // The total of one column for `row`.
    double total(int row, int column) const {
        const double difference = sum_[row] - sum_[column];
        return base_[column] - difference * difference * reciprocal_[column + count_ + 1 - row] +
               squareSum_[row];
    }

  private:
#if TAMSOR_WIDE_TOTALS
    // rowValues for rows of at least eight columns, with AVX2.
    double wideRowValues(int row, int first, int last, double* values) const;
    bool wide_;
#endif
    const ShiftedLoads& loads_;
    int count_;
    const double* squareSum_;
    // Indexed by column and padded by kColumnPadding, so that a row's columns can be taken
    // four at a time. The sums are the loads' own high prefix sums, not a copy.
    const double* sum_;
    const double* previousTotals_ = nullptr;
    // Previous total of column a less the square sum up to a: written by beginLayer for the
    // columns a layer reads, the rest left uninitialized.
    std::unique_ptr<double[]> base_;
    // reciprocal_[j] = 1 / (N + 1 - j): for row b and column a it holds 1 / (b - a) at
    // j = a + N + 1 - b, an index that rises with a like those of the other arrays.
    std::unique_ptr<double[]> reciprocal_;
    double noisePerLayer_;
};

// Inline: called once per row of every layer, mostly for a handful of columns.
inline double FastTotals::rowValues(int row, int first, int last, double* values) const {
#if TAMSOR_WIDE_TOTALS
    if (wide_ && last - first >= 7) return wideRowValues(row, first, last, values);
#endif
    const double* sum = sum_;
    const double* base = base_.get();
    const double* reciprocal = reciprocal_.get() + (count_ + 1 - row);
#if defined(__SSE2__)
    const __m128d rowSum = _mm_set1_pd(sum[row]);
    // Columns a and a + 1.
    const auto pair = [&](int a) {
        const __m128d difference = _mm_sub_pd(rowSum, _mm_loadu_pd(sum + a));
        return _mm_sub_pd(_mm_loadu_pd(base + a), _mm_mul_pd(_mm_mul_pd(difference, difference),
                                                             _mm_loadu_pd(reciprocal + a)));
    };
    if (last - first < 4) {
        // One step of four columns, those past `last` made +inf.
        const __m128d infinity = _mm_set1_pd(std::numeric_limits<double>::infinity());
        const __m128d lastOffset = _mm_set1_pd(last - first);
        const __m128d inLow = _mm_cmple_pd(_mm_set_pd(1, 0), lastOffset);
        const __m128d inHigh = _mm_cmple_pd(_mm_set_pd(3, 2), lastOffset);
        const __m128d low =
            _mm_or_pd(_mm_and_pd(inLow, pair(first)), _mm_andnot_pd(inLow, infinity));
        const __m128d high =
            _mm_or_pd(_mm_and_pd(inHigh, pair(first + 2)), _mm_andnot_pd(inHigh, infinity));
        _mm_storeu_pd(values, low);
        _mm_storeu_pd(values + 2, high);
        const __m128d least = _mm_min_pd(low, high);
        return _mm_cvtsd_f64(_mm_min_sd(least, _mm_unpackhi_pd(least, least)));
    }
    // Steps of four columns, the last one ending at `last` and repeating some columns of the
    // step before: repeats change neither the least value nor the first offset holding it.
    __m128d leastLow = _mm_set1_pd(std::numeric_limits<double>::infinity());
    __m128d leastHigh = leastLow;
    for (int a = first;; a += 4) {
        if (a > last - 4) a = last - 3;
        const __m128d low = pair(a);
        const __m128d high = pair(a + 2);
        _mm_storeu_pd(values + (a - first), low);
        _mm_storeu_pd(values + (a - first) + 2, high);
        leastLow = _mm_min_pd(low, leastLow);
        leastHigh = _mm_min_pd(high, leastHigh);
        if (a == last - 3) break;
    }
    const __m128d least = _mm_min_pd(leastLow, leastHigh);
    return _mm_cvtsd_f64(_mm_min_sd(least, _mm_unpackhi_pd(least, least)));
#else
    double least = std::numeric_limits<double>::infinity();
    for (int a = first; a <= last; ++a) {
        const double difference = sum[row] - sum[a];
        const double value = base[a] - difference * difference * reciprocal[a];
        values[a - first] = value;
        least = value < least ? value : least;
    }
    return least;
#endif
}

}  // namespace tamsor::optimal

#endif
