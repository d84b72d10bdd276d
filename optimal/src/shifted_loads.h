// SPDX-License-Identifier: GPL-3.0-or-later
// The sorted loads as the dynamic program sees them, and their prefix sums.
#ifndef TAMSOR_OPTIMAL_SHIFTED_LOADS_H
#define TAMSOR_OPTIMAL_SHIFTED_LOADS_H

#include <algorithm>
#include <bit>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "exact_arithmetic.h"

namespace tamsor::optimal {

// Room beyond the last prefix sum, and beyond the last column of the totals, that the
// totals may read four columns at a time.
inline constexpr int kColumnPadding = 3;

struct TypeStatistics {
    double mean = 0;
    double sumOfSquares = 0;  // of the differences from the mean
};

// Each load x becomes y = (x - median) * 2^-e, held exactly as hi + lo. Moving the loads by
// a value inside them keeps loads such as 1,000,000.1 and 1,000,000.2 apart in the sums of
// squares, which would otherwise be swamped by the square of their common offset; the
// power of two (exact) brings the largest |y| into [0.5, 1), so that no square overflows or
// underflows whatever the unit. Prefix sums of y and y^2 are kept as hi + lo, so the sum
// over any run of loads is as accurate as the run's own magnitude allows.
class ShiftedLoads {
  public:
    // Single-precision loads, as read from a data file, give the same sums as their double
    // values: no copy of a large building's loads in double precision is needed.
    //
    // keptPositions: where given (ascending, from 0 to N), the prefix sums are kept at these
    // numbers of loads only, as the search over runs of equal loads needs them; the sums there
    // are those of all positions kept, to the bit.
    explicit ShiftedLoads(std::span<const double> sortedLoads,
                          std::span<const int> keptPositions = {});
    explicit ShiftedLoads(std::span<const float> sortedLoads,
                          std::span<const int> keptPositions = {});

    int count() const { return count_; }

    // Sums over the loads 0..b-1 (b = 0..N, or the b kept at index i), hi rounded to double
    // and lo the remainder. The high sums are followed by kColumnPadding zeros.
    const double* sumHigh() const { return sumHigh_.get(); }
    const double* squareSumHigh() const { return squareSumHigh_.get(); }

    // Magnitudes that bound the rounding error of sums formed from the prefix sums:
    // max |y|, max |sum of y over 0..b-1|, and the sum of all y^2.
    double largestLoad() const { return largestLoad_; }
    double largestSum() const { return largestSum_; }
    double squareSum() const {
        return squareSumHigh_[keptPositions_.empty() ? count_ : keptPositions_.size() - 1];
    }

    // Whether load a (0-based) differs from the load before it: a run of equal loads starts
    // there. Load 0 starts one.
    bool startsRun(int a) const { return (runStarts_[a >> 6] >> (a & 63) & 1) != 0; }
    // The first load after `a` that starts a run, or `end` if none does before it.
    int nextRunStart(int a, int end) const {
        for (int word = (a + 1) >> 6, bit = (a + 1) & 63; (word << 6) < end; ++word, bit = 0) {
            const std::uint64_t starts = runStarts_[word] >> bit << bit;
            if (starts != 0) return std::min(end, (word << 6) + std::countr_zero(starts));
        }
        return end;
    }

    // Where the sums for `position` loads are held; it must be kept.
    int keptIndex(int position) const {
        if (keptPositions_.empty()) return position;
        return static_cast<int>(
            std::lower_bound(keptPositions_.begin(), keptPositions_.end(), position) -
            keptPositions_.begin());
    }

    // e in y = (x - median) * 2^-e.
    int scaleExponent() const { return scaleExponent_; }

    // Sum of squares about their mean of the loads first..end-1, in the units of y: its
    // error is a few roundings of the result plus a few u^2 of the prefix sums (exactly 0
    // for a single load).
    double sumOfSquares(int first, int end) const {
        if (end - first == 1) return 0;
        const double count = end - first;
        first = keptIndex(first);
        end = keptIndex(end);
        const DoubleDouble sum = difference(sumHigh_.get(), sumLow_.get(), end, first);
        const DoubleDouble squares =
            difference(squareSumHigh_.get(), squareSumLow_.get(), end, first);
        // For any c, S2 - S1^2 / m = S2 - c S1 - c r - r^2 / m with r = S1 - m c. With c the
        // rounded mean, S2 and c S1 nearly cancel, so c S1 is formed exactly; r is tiny.
        const double mean = sum.hi / count;
        const DoubleDouble product = twoProduct(mean, sum.hi);
        const DoubleDouble scaledMean = twoProduct(mean, count);
        const double remainder = ((sum.hi - scaledMean.hi) - scaledMean.lo) + sum.lo;
        const double small = squares.lo - product.lo - mean * sum.lo - mean * remainder -
                             remainder * remainder / count;
        return std::max(0.0, (squares.hi - product.hi) + small);
    }

    // Mean and sum of squared differences of the loads first..end-1, in load units.
    TypeStatistics statistics(int first, int end) const;

  private:
    template <class Load>
    void sumUp(std::span<const Load> sortedLoads, std::span<const int> keptPositions);

    // (high + low)[end] - (high + low)[first] as hi + lo.
    static DoubleDouble difference(const double* high, const double* low, int end, int first) {
        const DoubleDouble highs = twoSum(high[end], -high[first]);
        return {highs.hi, highs.lo + (low[end] - low[first])};
    }

    int count_ = 0;
    double shift_ = 0;
    int scaleExponent_ = 0;
    // Every entry is written before it is read: left uninitialized, a large building's
    // sums take no time to clear.
    std::unique_ptr<double[]> sumHigh_, sumLow_, squareSumHigh_, squareSumLow_;
    // Empty where every position is kept.
    std::vector<int> keptPositions_;
    // One bit per load, set where a run of equal loads starts.
    std::vector<std::uint64_t> runStarts_;
    double largestLoad_ = 0;
    double largestSum_ = 0;
};

}  // namespace tamsor::optimal

#endif
