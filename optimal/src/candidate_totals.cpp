#include "candidate_totals.h"

#include <algorithm>
#include <cmath>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tamsor::optimal {
namespace {

// What the magnitudes of the sums can contribute to the rounding error of a total.
double errorScale(const ShiftedLoads& loads) {
    return loads.squareSum() + loads.largestLoad() * loads.largestSum();
}

}  // namespace

FastTotals::FastTotals(const ShiftedLoads& loads)
    : count_(loads.count()),
      squareSum_(loads.squareSumHigh()),
      sum_(loads.count() + 1 + kColumnPadding),
      base_(loads.count() + 1 + kColumnPadding),
      reciprocal_(loads.count() + 1 + kColumnPadding),
      // Per layer: a few roundings of the square sums (up to Q) in the base and the cost,
      // and of S1^2 / m, whose S1 carries an error of about u max|sum| and whose
      // |S1| / m <= max |y|. 2^-50 is 8 u.
      noisePerLayer_(std::ldexp(errorScale(loads), -50)) {
    std::copy(loads.sumHigh().begin(), loads.sumHigh().end(), sum_.begin());
    for (int j = 0; j <= count_; ++j)
        reciprocal_[j] = 1.0 / (count_ + 1 - j);
}

double FastTotals::cost(int first, int end) const {
    const double sum = sum_[end] - sum_[first];
    const double squares = squareSum_[end] - squareSum_[first];
    return std::max(0.0, squares - sum * sum / (end - first));
}

void FastTotals::beginLayer(std::span<const double> previousTotals, int firstColumn,
                            int lastColumn) {
    for (int a = firstColumn; a <= lastColumn; ++a)
        base_[a] = previousTotals[a] - squareSum_[a];
}

double FastTotals::rowValues(int row, int first, int last, double* values) const {
    const double* sum = sum_.data();
    const double* base = base_.data();
    const double* reciprocal = reciprocal_.data() + (count_ + 1 - row);
#if defined(__SSE2__)
    // Four columns at a time, those past `last` made +inf: a row has few columns deep in
    // the search, and one loop without a remainder keeps its branches predictable.
    const __m128d infinity = _mm_set1_pd(std::numeric_limits<double>::infinity());
    const __m128d rowSum = _mm_set1_pd(sum[row]);
    const __m128d lastOffset = _mm_set1_pd(last - first);
    const __m128d four = _mm_set1_pd(4);
    __m128d offsetsLow = _mm_set_pd(1, 0);
    __m128d offsetsHigh = _mm_set_pd(3, 2);
    __m128d leastLow = infinity;
    __m128d leastHigh = infinity;
    for (int a = first; a <= last; a += 4) {
        const __m128d differenceLow = _mm_sub_pd(rowSum, _mm_loadu_pd(sum + a));
        const __m128d differenceHigh = _mm_sub_pd(rowSum, _mm_loadu_pd(sum + a + 2));
        __m128d low = _mm_sub_pd(
            _mm_loadu_pd(base + a),
            _mm_mul_pd(_mm_mul_pd(differenceLow, differenceLow), _mm_loadu_pd(reciprocal + a)));
        __m128d high = _mm_sub_pd(_mm_loadu_pd(base + a + 2),
                                  _mm_mul_pd(_mm_mul_pd(differenceHigh, differenceHigh),
                                             _mm_loadu_pd(reciprocal + a + 2)));
        const __m128d inLow = _mm_cmple_pd(offsetsLow, lastOffset);
        const __m128d inHigh = _mm_cmple_pd(offsetsHigh, lastOffset);
        low = _mm_or_pd(_mm_and_pd(inLow, low), _mm_andnot_pd(inLow, infinity));
        high = _mm_or_pd(_mm_and_pd(inHigh, high), _mm_andnot_pd(inHigh, infinity));
        _mm_storeu_pd(values + (a - first), low);
        _mm_storeu_pd(values + (a - first) + 2, high);
        leastLow = _mm_min_pd(low, leastLow);
        leastHigh = _mm_min_pd(high, leastHigh);
        offsetsLow = _mm_add_pd(offsetsLow, four);
        offsetsHigh = _mm_add_pd(offsetsHigh, four);
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

AccurateTotals::AccurateTotals(const ShiftedLoads& loads)
    : loads_(loads),
      // Beyond roundings relative to the cost itself, only the hi + lo prefix sums' own
      // error (a few u^2 of their magnitude) remains.
      noisePerLayer_(std::ldexp(errorScale(loads), -96)) {}

double AccurateTotals::cost(int first, int end) const {
    return loads_.sumOfSquares(first, end);
}

void AccurateTotals::beginLayer(std::span<const double> previousTotals, int, int) {
    previousTotals_ = previousTotals;
}

double AccurateTotals::rowValues(int row, int first, int last, double* values) const {
    double least = std::numeric_limits<double>::infinity();
    for (int a = first; a <= last; ++a) {
        const double value = previousTotals_[a] + cost(a, row);
        values[a - first] = value;
        least = std::min(least, value);
    }
    return least;
}

}  // namespace tamsor::optimal
