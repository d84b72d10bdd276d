// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "results/cell_text.h"

namespace {

TEST(CellText, WritesIntegersAndRealsAsTheResultsTableShowsThem) {
    EXPECT_EQ(tamsor::cellText(std::int64_t{12}), " 12");
    EXPECT_EQ(tamsor::cellText(std::int64_t{0}), " 0");
    EXPECT_EQ(tamsor::cellText(std::int64_t{-3}), "-3");
    EXPECT_EQ(tamsor::cellText(1234.5f), " 1234.5");
    EXPECT_EQ(tamsor::cellText(0.5f), " .5");
    EXPECT_EQ(tamsor::cellText(-0.5f), "-.5");
    EXPECT_EQ(tamsor::cellText(3.0f), " 3");
    EXPECT_EQ(tamsor::cellText(1500.0f), " 1500");
    EXPECT_EQ(tamsor::cellText(0.0f), " 0");
    EXPECT_EQ(tamsor::cellText(109.09f), " 109.09");
    EXPECT_EQ(tamsor::cellText(1234567.0f), " 1234567");
    EXPECT_EQ(tamsor::cellText(0.000012f), " .000012");
    // Seven significant digits: 2750 / 11 = 250 exactly, 1000 / 3 is cut.
    EXPECT_EQ(tamsor::cellText(1000.0f / 3.0f), " 333.3333");
    EXPECT_EQ(tamsor::cellText(99999.99609375f), " 100000");
    // Beyond seven digits or very small: exponent form.
    EXPECT_EQ(tamsor::cellText(12345678.0f), " 1.234568E+07");
    EXPECT_EQ(tamsor::cellText(10000000.0f), " 1E+07");
    EXPECT_EQ(tamsor::cellText(-0.000001f), "-1E-06");
}

}  // namespace
