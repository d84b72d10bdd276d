// SPDX-License-Identifier: GPL-3.0-or-later
#include "fast_totals.h"

#include <algorithm>
#include <cmath>

#if TAMSOR_WIDE_TOTALS
#include <immintrin.h>
#endif

namespace tamsor::optimal {

FastTotals::FastTotals(const ShiftedLoads& loads)
    :
#if TAMSOR_WIDE_TOTALS
      wide_(__builtin_cpu_supports("avx2")),
#endif
      loads_(loads),
      count_(loads.count()),
      squareSum_(loads.squareSumHigh()),
      sum_(loads.sumHigh()),
      base_(std::make_unique_for_overwrite<double[]>(loads.count() + 1 + kColumnPadding)),
      reciprocal_(std::make_unique_for_overwrite<double[]>(loads.count() + 1 + kColumnPadding)),
      noisePerLayer_(noisePerLayerOf(loads)) {
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
    previousTotals_ = previousTotals.data();
    for (int a = firstColumn; a <= lastColumn; ++a)
        base_[a] = previousTotals[a] - squareSum_[a];
}

#if TAMSOR_WIDE_TOTALS
// As rowValues: steps of four columns, the last one ending at `last` and repeating some
// columns of the step before, which changes neither the least value nor where it first is.
__attribute__((target("avx2"))) double FastTotals::wideRowValues(int row, int first, int last,
                                                                 double* values) const {
    const double* sum = sum_;
    const double* base = base_.get();
    const double* reciprocal = reciprocal_.get() + (count_ + 1 - row);
    const __m256d rowSum = _mm256_set1_pd(sum[row]);
    __m256d least = _mm256_set1_pd(std::numeric_limits<double>::infinity());
    for (int a = first;; a += 4) {
        if (a > last - 4) a = last - 3;
        const __m256d difference = _mm256_sub_pd(rowSum, _mm256_loadu_pd(sum + a));
        const __m256d value = _mm256_sub_pd(
            _mm256_loadu_pd(base + a),
            _mm256_mul_pd(_mm256_mul_pd(difference, difference), _mm256_loadu_pd(reciprocal + a)));
        _mm256_storeu_pd(values + (a - first), value);
        least = _mm256_min_pd(value, least);
        if (a == last - 3) break;
    }
    const __m128d halves =
        _mm_min_pd(_mm256_castpd256_pd128(least), _mm256_extractf128_pd(least, 1));
    return _mm_cvtsd_f64(_mm_min_sd(halves, _mm_unpackhi_pd(halves, halves)));
}
#endif

}  // namespace tamsor::optimal
