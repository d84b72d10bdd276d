#include "tamsor/spread_figures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <vector>

namespace {

using tamsor::spreadFigures;
using tamsor::spreadPercent;
using Loads = std::vector<double>;
using Positions = std::vector<int>;

// Worked by hand: types 80, 90, 100 and 150, 200. Spreads 20/100 and 50/200; capacity
// above need (20 + 10 + 0) + (50 + 0) = 80 of 620.
TEST(SpreadFigures, OfAHandWorkedGrouping) {
    const Loads loads{80, 90, 100, 150, 200};
    const auto figures = spreadFigures(loads, Positions{1, 4, 6});
    EXPECT_EQ(figures.typeSpreadPercent, (std::vector<double>{20, 25}));
    EXPECT_EQ(figures.worstSpreadPercent, 25);
    EXPECT_DOUBLE_EQ(figures.capacityAboveNeedPercent, 80.0 / 620 * 100);

    // Each isolator its own type: nothing above need.
    const auto single = spreadFigures(loads, Positions{1, 2, 3, 4, 5, 6});
    EXPECT_EQ(single.worstSpreadPercent, 0);
    EXPECT_EQ(single.capacityAboveNeedPercent, 0);
}

TEST(SpreadFigures, KeepCloseLoadsApartAndTheOrderOfSpreads) {
    // The difference of 1,000,000.1 and 1,000,000.2 is exact: the spread is correct to the
    // last digits, not lost to cancellation.
    EXPECT_NEAR(spreadPercent(1000000.1, 1000000.2), 0.1 / 1000000.2 * 100, 1e-9 * 1e-5);
    EXPECT_GT(spreadPercent(1000000.1, 1000000.2), 0);
    // Spreads beyond a half, and the least and largest there are.
    EXPECT_DOUBLE_EQ(spreadPercent(1, 4), 75);
    EXPECT_EQ(spreadPercent(7, 7), 0);
    EXPECT_NEAR(spreadPercent(3, 3e6), 99.9999, 1e-12);
    // Equal spreads of different loads give equal figures; a hair more spread never less.
    EXPECT_EQ(spreadPercent(100, 110), spreadPercent(200, 220));
    for (double largest = 1.5; largest < 2.6; largest += 0.01) {
        const double smallest = largest / 2;
        EXPECT_LE(spreadPercent(std::nextafter(smallest, 2.0), largest),
                  spreadPercent(smallest, largest));
        EXPECT_LE(spreadPercent(smallest, largest),
                  spreadPercent(std::nextafter(smallest, 0.0), largest));
        EXPECT_LE(spreadPercent(smallest, largest),
                  spreadPercent(smallest, std::nextafter(largest, 3.0)));
    }
}

TEST(SpreadFigures, RefuseGroupingsThatAreNotOfTheseLoads) {
    const Loads loads{80, 90, 100, 150, 200};
    EXPECT_THROW(spreadFigures(loads, Positions{1, 4, 5}), std::invalid_argument);
    EXPECT_THROW(spreadFigures(loads, Positions{2, 4, 6}), std::invalid_argument);
    EXPECT_THROW(spreadFigures(loads, Positions{1, 4, 4, 6}), std::invalid_argument);
    EXPECT_THROW(spreadFigures(loads, Positions{1, 5, 4, 6}), std::invalid_argument);
    EXPECT_THROW(spreadFigures(loads, Positions{6}), std::invalid_argument);
    EXPECT_THROW(spreadFigures(Loads{80, 0, 100}, Positions{1, 4}), std::invalid_argument);
    EXPECT_THROW(spreadFigures(Loads{100, 80}, Positions{1, 3}), std::invalid_argument);
    EXPECT_THROW(
        spreadFigures(Loads{80, std::numeric_limits<double>::quiet_NaN()}, Positions{1, 3}),
        std::invalid_argument);
}

}  // namespace
