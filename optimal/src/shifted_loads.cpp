// SPDX-License-Identifier: GPL-3.0-or-later
#include "shifted_loads.h"

#include <algorithm>
#include <cmath>

namespace tamsor::optimal {

template <class Load>
void ShiftedLoads::sumUp(std::span<const Load> sortedLoads, std::span<const int> keptPositions) {
    count_ = static_cast<int>(sortedLoads.size());
    shift_ = sortedLoads[(sortedLoads.size() - 1) / 2];
    keptPositions_.assign(keptPositions.begin(), keptPositions.end());
    const std::size_t sums = keptPositions.empty() ? sortedLoads.size() + 1 : keptPositions.size();
    sumHigh_ = std::make_unique_for_overwrite<double[]>(sums + kColumnPadding);
    sumLow_ = std::make_unique_for_overwrite<double[]>(sums);
    squareSumHigh_ = std::make_unique_for_overwrite<double[]>(sums);
    squareSumLow_ = std::make_unique_for_overwrite<double[]>(sums);
    sumHigh_[0] = sumLow_[0] = squareSumHigh_[0] = squareSumLow_[0] = 0;
    std::fill_n(sumHigh_.get() + sums, kColumnPadding, 0.0);

    // The loads are sorted, so the largest difference from the median is at an end.
    const double spread = std::max(std::abs(static_cast<double>(sortedLoads.front()) - shift_),
                                   std::abs(static_cast<double>(sortedLoads.back()) - shift_));
    if (spread > 0) std::frexp(spread, &scaleExponent_);

    runStarts_.assign(sortedLoads.size() / 64 + 1, 0);
    for (std::size_t i = 0; i < sortedLoads.size(); ++i)
        if (i == 0 || sortedLoads[i] != sortedLoads[i - 1])
            runStarts_[i >> 6] |= std::uint64_t{1} << (i & 63);

    // A power of two: multiplying by it is exact (short of underflow, as with ldexp).
    const double scale = std::ldexp(1.0, -scaleExponent_);
    CompensatedSum sum, squareSum;
    // The next position whose sums are kept, and where they go.
    const bool keepAll = keptPositions.empty();
    std::size_t kept = 1;
    // A run of equal loads adds the same terms load after load: they are formed once a run.
    for (int start = 0; start < count_;) {
        const int end = nextRunStart(start, count_);
        const DoubleDouble offset = twoSum(static_cast<double>(sortedLoads[start]), -shift_);
        const double high = offset.hi * scale;
        const double low = offset.lo * scale;
        // (high + low)^2 with low^2 left out: it lies far below the rounding of the rest.
        const DoubleDouble square = twoProduct(high, high);
        const DoubleDouble squareTerm = {square.hi, square.lo + 2 * high * low};
        largestLoad_ = std::max(largestLoad_, std::abs(high));
        for (int i = start; i < end; ++i) {
            sum.add({high, low});
            squareSum.add(squareTerm);
            const DoubleDouble sumSoFar = sum.value();
            largestSum_ = std::max(largestSum_, std::abs(sumSoFar.hi));
            if (!keepAll && keptPositions[kept] != i + 1) continue;
            const std::size_t at = keepAll ? i + 1 : kept++;
            const DoubleDouble squareSumSoFar = squareSum.value();
            sumHigh_[at] = sumSoFar.hi;
            sumLow_[at] = sumSoFar.lo;
            squareSumHigh_[at] = squareSumSoFar.hi;
            squareSumLow_[at] = squareSumSoFar.lo;
        }
        start = end;
    }
}

ShiftedLoads::ShiftedLoads(std::span<const double> sortedLoads,
                           std::span<const int> keptPositions) {
    sumUp(sortedLoads, keptPositions);
}

ShiftedLoads::ShiftedLoads(std::span<const float> sortedLoads, std::span<const int> keptPositions) {
    sumUp(sortedLoads, keptPositions);
}

TypeStatistics ShiftedLoads::statistics(int first, int end) const {
    // The mean of y as hi + lo, moved back by the median in the same precision: where the
    // type lies far from the median, a rounded mean of y would lose its last digits there.
    const double count = end - first;
    const DoubleDouble sum =
        difference(sumHigh_.get(), sumLow_.get(), keptIndex(end), keptIndex(first));
    const double meanHigh = sum.hi / count;
    const DoubleDouble scaledMean = twoProduct(meanHigh, count);
    const double meanLow = (((sum.hi - scaledMean.hi) - scaledMean.lo) + sum.lo) / count;
    const DoubleDouble mean = twoSum(shift_, std::ldexp(meanHigh, scaleExponent_));
    return {mean.hi + (mean.lo + std::ldexp(meanLow, scaleExponent_)),
            std::ldexp(sumOfSquares(first, end), 2 * scaleExponent_)};
}

}  // namespace tamsor::optimal
