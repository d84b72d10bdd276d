// SPDX-License-Identifier: GPL-3.0-or-later
// Fields of the result files, against values worked out by hand from the
// exact binary value of each float.
#include "tamsor/number_fields.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

using tamsor::FieldLine;

std::string fixed2(int width, float value) {
    FieldLine line;
    line.fixed2(width, value);
    return std::string(line.text());
}

std::string integer(int width, long long value) {
    FieldLine line;
    line.integer(width, value);
    return std::string(line.text());
}

std::string plotLoad(float value) {
    FieldLine line;
    line.plotLoad(value);
    return std::string(line.text());
}

TEST(FixedField, RoundsTheExactBinaryValueHalfAwayFromZero) {
    EXPECT_EQ(fixed2(12, 1000.0f), "     1000.00");
    EXPECT_EQ(fixed2(10, 30.125f), "     30.13");  // exact tie
    EXPECT_EQ(fixed2(10, -30.125f), "    -30.13");
    EXPECT_EQ(fixed2(10, 0.125f), "       .13");
    EXPECT_EQ(fixed2(10, -0.125f), "      -.13");
    EXPECT_EQ(fixed2(10, 109.090904f), "    109.09");
    // 2.675f is 2.67499995..., below the tie; 0.995f is 0.99500000476..., above.
    EXPECT_EQ(fixed2(10, 2.675f), "      2.67");
    EXPECT_EQ(fixed2(10, 0.995f), "      1.00");
    EXPECT_EQ(fixed2(10, 1.005f), "      1.00");  // 1.00499999...
}

TEST(FixedField, WritesNoZeroBeforeThePointAndNoMinusOnZeroDigits) {
    EXPECT_EQ(fixed2(10, 0.5f), "       .50");
    EXPECT_EQ(fixed2(10, -0.5f), "      -.50");
    EXPECT_EQ(fixed2(12, 0.0f), "         .00");
    EXPECT_EQ(fixed2(12, -0.0f), "         .00");
    EXPECT_EQ(fixed2(12, -0.004f), "         .00");
    EXPECT_EQ(fixed2(10, -0.005f), "       .00");  // -0.00499999988
    EXPECT_EQ(fixed2(10, -0.015625f), "      -.02");
    EXPECT_EQ(fixed2(10, 0.994f), "       .99");
}

TEST(FixedField, FillsWithAsterisksWhatDoesNotFit) {
    EXPECT_EQ(fixed2(10, 9999999.0f), "9999999.00");
    EXPECT_EQ(fixed2(10, -999999.9375f), "-999999.94");
    EXPECT_EQ(fixed2(10, 10000000.0f), "**********");
    EXPECT_EQ(fixed2(10, 12345678.9f), "**********");
    EXPECT_EQ(fixed2(10, -1000000.0f), "**********");
    EXPECT_EQ(fixed2(12, 999999936.0f), "999999936.00");
    EXPECT_EQ(fixed2(12, 1e9f), "************");
    EXPECT_EQ(fixed2(12, std::numeric_limits<float>::max()), "************");
    EXPECT_EQ(fixed2(12, std::numeric_limits<float>::infinity()), "************");
    EXPECT_EQ(fixed2(12, std::numeric_limits<float>::quiet_NaN()), "************");
}

TEST(IntegerField, RightJustifiesOrFillsWithAsterisks) {
    EXPECT_EQ(integer(4, 9), "   9");
    EXPECT_EQ(integer(4, -5), "  -5");
    EXPECT_EQ(integer(9, 999999999), "999999999");
    EXPECT_EQ(integer(9, 1000000000), "*********");
    EXPECT_EQ(integer(10, 12), "        12");
}

TEST(PlotLoadField, UsesFixedPointFromOneToTenMillion) {
    EXPECT_EQ(plotLoad(100.0f), "      100.000000");
    EXPECT_EQ(plotLoad(123.456787f), "      123.456800");
    EXPECT_EQ(plotLoad(1234567.0f), "  1234567.000000");
    EXPECT_EQ(plotLoad(1.0f), "        1.000000");
    EXPECT_EQ(plotLoad(9999999.0f), "  9999999.000000");
    EXPECT_EQ(plotLoad(-2.5f), "       -2.500000");
    EXPECT_EQ(plotLoad(-1234567.0f), " -1234567.000000");
    // 4194304.5 is an exact tie at the seventh digit: away from zero.
    EXPECT_EQ(plotLoad(4194304.5f), "  4194305.000000");
    // 99999.99609375 rounds up into a carry.
    EXPECT_EQ(plotLoad(99999.99609375f), "   100000.000000");
    EXPECT_EQ(plotLoad(250.5f), "      250.500000");
    EXPECT_EQ(plotLoad(0.1f * 30.0f), "        3.000000");
}

TEST(PlotLoadField, UsesExponentFormOutsideThatRange) {
    EXPECT_EQ(plotLoad(0.5f), "    5.000000E-01");
    EXPECT_EQ(plotLoad(-0.5f), "   -5.000000E-01");
    EXPECT_EQ(plotLoad(12345678.0f), "    1.234568E+07");
    EXPECT_EQ(plotLoad(10000000.0f), "    1.000000E+07");
    EXPECT_EQ(plotLoad(0.0f), "    0.000000E+00");
    EXPECT_EQ(plotLoad(-0.0f), "    0.000000E+00");
    EXPECT_EQ(plotLoad(0.99999994f), "    9.999999E-01");
    EXPECT_EQ(plotLoad(1.5e-7f), "    1.500000E-07");  // 1.49999996e-07
    EXPECT_EQ(plotLoad(std::numeric_limits<float>::max()), "    3.402823E+38");
    EXPECT_EQ(plotLoad(-std::numeric_limits<float>::max()), "   -3.402823E+38");
    EXPECT_EQ(plotLoad(std::numeric_limits<float>::denorm_min()), "    1.401298E-45");
    // 2^24 + 2 = 16777218: 1.677721|8 rounds up.
    EXPECT_EQ(plotLoad(16777218.0f), "    1.677722E+07");
    // 2^25 + 4 = 33554436: 3.355443|6 rounds up; 2^25 = 33554432: 3.355443|2 down.
    EXPECT_EQ(plotLoad(33554436.0f), "    3.355444E+07");
    EXPECT_EQ(plotLoad(33554432.0f), "    3.355443E+07");
    // 12500000.5 is no float; 1.25e7 is, and 1.25000005e7 rounds to it.
    EXPECT_EQ(plotLoad(12500002.0f), "    1.250000E+07");
}

TEST(FieldLine, EndsLinesWithCarriageReturnAndLineFeed) {
    FieldLine line;
    line.integer(4, 1);
    line.blanks(2);
    line.endLine();
    EXPECT_EQ(line.text(), "   1  \r\n");
}

}  // namespace
