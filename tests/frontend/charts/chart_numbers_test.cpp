// SPDX-License-Identifier: GPL-3.0-or-later
// Value axes and value texts.
#include <gtest/gtest.h>

#include <cmath>

#include "charts/chart_numbers.h"

namespace tamsor {
namespace {

TEST(ChartNumbersTest, ScaleHoldsZeroAndEveryValueOnRoundTicks) {
    struct Case {
        QList<double> values;
        double minimum;
        double maximum;
        double step;
    };
    const Case cases[] = {
        {{412.5, 868.3, 1225.0, 1640.2, 2210.8}, 0.0, 2500.0, 500.0},
        {{12, 18, 9, 14, 7}, 0.0, 20.0, 5.0},
        {{45210.5, 2101.7}, 0.0, 50000.0, 10000.0},
        {{-120.5, 1225.75}, -500.0, 1500.0, 500.0},
        {{-3, -1}, -4.0, 0.0, 1.0},
        {{}, 0.0, 1.0, 0.2},
        {{0, 0}, 0.0, 1.0, 0.2},
    };
    for (const Case& c : cases) {
        const ValueScale scale = valueScaleFor(c.values);
        EXPECT_DOUBLE_EQ(scale.minimum, c.minimum);
        EXPECT_DOUBLE_EQ(scale.maximum, c.maximum);
        EXPECT_DOUBLE_EQ(scale.step, c.step);
        EXPECT_EQ(scale.tickCount(), std::lround((c.maximum - c.minimum) / c.step) + 1);
    }
}

TEST(ChartNumbersTest, TextsShowTheValueAsTheResultsTableDoes) {
    EXPECT_EQ(valueText(1225.75, 2), "1225.75");
    EXPECT_EQ(valueText(static_cast<float>(1640.2), 2), "1640.20");
    EXPECT_EQ(valueText(12, 0), "12");
    EXPECT_EQ(valueText(-120.5, 2), "-120.50");
    EXPECT_EQ(valueText(12345678.0, 2), "12345678.00");  // large variances: no exponent
    // A variance of 29368.58 in the report is 29368.580078125 in single precision.
    EXPECT_EQ(valueText(static_cast<float>(29368.58), 2), "29368.58");
    EXPECT_EQ(sliceText("3", "9", 0.15), "3: 9 (15.0 %)");

    EXPECT_EQ((ValueScale{0, 10, 2.5}).tickText(7.5), "7.5");
    EXPECT_EQ((ValueScale{0, 1, 0.2}).tickText(0.4), "0.4");
    EXPECT_EQ((ValueScale{-500, 1500, 500}).tickText(-500), "-500");
    EXPECT_EQ((ValueScale{0, 0.5, 0.05}).tickText(0.15), "0.15");
}

}  // namespace
}  // namespace tamsor
