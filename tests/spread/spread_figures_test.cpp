// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/spread_figures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <vector>

namespace {

using tamsor::spreadFigures;
using tamsor::spreadPercent;
using Loads = std::vector<double>;
using Positions = std::vector<int>;

// Worked by hand: types 80, 90, 100 and 150, 200 spread 20/100 and 50/200; capacity above
// need (20 + 10 + 0) + (50 + 0) = 80 of 620. Each isolator its own type: nothing above need.
TEST(SpreadFigures, OfHandWorkedGroupings) {
    const Loads loads{80, 90, 100, 150, 200};
    const auto figures = spreadFigures(loads, Positions{1, 4, 6});
    EXPECT_EQ(figures.typeSpreadPercent, (std::vector<double>{20, 25}));
    EXPECT_EQ(figures.worstSpreadPercent, 25);
    EXPECT_DOUBLE_EQ(figures.capacityAboveNeedPercent, 80.0 / 620 * 100);
    const auto single = spreadFigures(loads, Positions{1, 2, 3, 4, 5, 6});
    EXPECT_EQ(single.worstSpreadPercent, 0);
    EXPECT_EQ(single.capacityAboveNeedPercent, 0);

    EXPECT_THROW(spreadFigures(loads, Positions{1, 4, 5}), std::invalid_argument);
    EXPECT_THROW(spreadFigures(loads, Positions{2, 4, 6}), std::invalid_argument);
    EXPECT_THROW(spreadFigures(loads, Positions{1, 4, 4, 6}), std::invalid_argument);
    EXPECT_THROW(spreadFigures(loads, Positions{6}), std::invalid_argument);
    EXPECT_THROW(spreadFigures(Loads{80, 0, 100}, Positions{1, 4}), std::invalid_argument);
}

// The loads checked and summed once serve every grouping alike, in any order: each grouping's
// figures are those worked by hand above, whatever was asked before.
TEST(SpreadFigures, OfManyGroupingsOfTheSameLoads) {
    const Loads loads{80, 90, 100, 150, 200};
    const tamsor::LoadSpreadFigures figuresOf(loads);
    const auto single = figuresOf.of(Positions{1, 2, 3, 4, 5, 6});
    const auto two = figuresOf.of(Positions{1, 4, 6});
    EXPECT_EQ(two.typeSpreadPercent, (std::vector<double>{20, 25}));
    EXPECT_DOUBLE_EQ(two.capacityAboveNeedPercent, 80.0 / 620 * 100);
    EXPECT_EQ(figuresOf.of(Positions{1, 2, 3, 4, 5, 6}).capacityAboveNeedPercent, 0);
    EXPECT_EQ(figuresOf.of(Positions{1, 6}).capacityAboveNeedPercent, 380.0 / 620 * 100);
    EXPECT_EQ(single.worstSpreadPercent, 0);
    EXPECT_THROW(figuresOf.of(Positions{1, 4, 5}), std::invalid_argument);
    EXPECT_THROW(tamsor::LoadSpreadFigures(Loads{100, 90}), std::invalid_argument);
}

TEST(SpreadFigures, SpreadsKeepCloseLoadsApartAndTheirOrder) {
    // The difference of 1,000,000.1 and 1,000,000.2 is exact, not lost to cancellation.
    EXPECT_NEAR(spreadPercent(1000000.1, 1000000.2), 0.1 / 1000000.2 * 100, 1e-9 * 1e-5);
    EXPECT_DOUBLE_EQ(spreadPercent(1, 4), 75);
    EXPECT_NEAR(spreadPercent(3, 3e6), 99.9999, 1e-12);
    EXPECT_EQ(spreadPercent(100, 110), spreadPercent(200, 220));
    // Around a spread of one half, where the two ways of computing it meet, a hair more
    // spread never gives less.
    for (double largest = 1.5; largest < 2.6; largest += 0.01) {
        const double half = largest / 2;
        EXPECT_LE(spreadPercent(std::nextafter(half, 2.0), largest), spreadPercent(half, largest));
        EXPECT_LE(spreadPercent(half, largest), spreadPercent(std::nextafter(half, 0.0), largest));
    }
}

}  // namespace
