// The two ways of computing the dynamic program's totals, against each other and against
// sums in extended precision.
#include "accurate_totals.h"
#include "fast_totals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "shifted_loads.h"

namespace {

using tamsor::optimal::AccurateTotals;
using tamsor::optimal::FastTotals;
using tamsor::optimal::kColumnPadding;
using tamsor::optimal::ShiftedLoads;

long double typeSquares(const std::vector<double>& loads, int first, int end) {
    long double mean = 0;
    for (int i = first; i < end; ++i)
        mean += loads[i];
    mean /= end - first;
    // The sum of the differences corrects for the rounding of the mean.
    long double squares = 0;
    long double differences = 0;
    for (int i = first; i < end; ++i) {
        squares += (loads[i] - mean) * (loads[i] - mean);
        differences += loads[i] - mean;
    }
    return squares - differences * differences / (end - first);
}

// Loads in tight clusters far from each other and from the median: where the fast totals
// lose most and the accurate ones must not.
std::vector<double> clusteredLoads(int count, double offset, double gap, double spread) {
    std::mt19937 random(static_cast<unsigned>(count));
    std::uniform_real_distribution<double> unit(0, 1);
    std::vector<double> loads;
    for (int i = 0; i < count; ++i)
        loads.push_back(offset + gap * (i % 4) + spread * unit(random));
    std::sort(loads.begin(), loads.end());
    return loads;
}

TEST(CandidateTotals, AccurateCostsHoldWhateverTheOffset) {
    for (const double offset : {0.0, 1e6, 1e9}) {
        const auto loads = clusteredLoads(40, offset, 1e5, 1e-2);
        const ShiftedLoads shifted(loads);
        // Beside roundings of the result, about u^2 of the squared differences from the
        // median remain.
        double floor = 0;
        for (const double load : loads)
            floor += 1e-30 * (load - loads[19]) * (load - loads[19]);
        for (int first = 0; first < 40; ++first) {
            for (int end = first + 1; end <= 40; ++end) {
                const double expected = static_cast<double>(typeSquares(loads, first, end));
                const auto type = shifted.statistics(first, end);
                EXPECT_NEAR(type.sumOfSquares, expected, 1e-12 * expected + floor)
                    << offset << ": " << first << ".." << end;
            }
        }
    }
}

// Every window of every row, so that each length of the four-column steps is met, and the
// fast totals stay within the error bound the run relies on to trust them.
TEST(CandidateTotals, FastTotalsStayWithinTheirErrorBound) {
    for (const double offset : {0.0, 1e6}) {
        const int count = 40;
        const auto loads = clusteredLoads(count, offset, 1000, 50);
        const ShiftedLoads shifted(loads);
        FastTotals fast(shifted);
        AccurateTotals accurate(shifted);
        const double bound = fast.noisePerLayer();
        std::vector<double> previous(count + 1);
        for (int b = 1; b <= count; ++b) {
            EXPECT_NEAR(fast.cost(0, b), accurate.cost(0, b), bound);
            previous[b] = accurate.cost(0, b);
        }
        fast.beginLayer(previous, 1, count - 1);
        accurate.beginLayer(previous, 1, count - 1);
        std::vector<double> fastValues(count + kColumnPadding), accurateValues(count);
        for (int row = 2; row <= count; ++row) {
            for (int first = 1; first < row; ++first) {
                for (int last = first; last < row; ++last) {
                    const double least = fast.rowValues(row, first, last, fastValues.data());
                    accurate.rowValues(row, first, last, accurateValues.data());
                    const int width = last - first + 1;
                    EXPECT_EQ(least,
                              *std::min_element(fastValues.begin(), fastValues.begin() + width));
                    for (int t = 0; t < width; ++t)
                        ASSERT_NEAR(fastValues[t] + fast.rowConstant(row), accurateValues[t], bound)
                            << row << ": " << first + t;
                }
            }
        }
    }
}

}  // namespace
