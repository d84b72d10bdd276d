// SPDX-License-Identifier: GPL-3.0-or-later
// The fast totals against the accurate ones.
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

// Loads in clusters far from each other and from the median, where the fast totals lose
// most.
std::vector<double> clusteredLoads(int count, double offset, double gap, double spread) {
    std::mt19937 random(static_cast<unsigned>(count));
    std::uniform_real_distribution<double> unit(0, 1);
    std::vector<double> loads;
    for (int i = 0; i < count; ++i)
        loads.push_back(offset + gap * (i % 4) + spread * unit(random));
    std::sort(loads.begin(), loads.end());
    return loads;
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
