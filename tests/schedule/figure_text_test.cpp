// SPDX-License-Identifier: GPL-3.0-or-later
// The one format of each figure, against values worked out by hand and
// against the partition report's own field writer.
#include "tamsor/figure_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "tamsor/number_fields.h"

namespace tamsor {
namespace {

// A mean as the report's F10.2 field writes it, with the zero before the
// point that the report leaves out (.50, -.13).
std::string asTheReportWritesIt(float value) {
    FieldLine line;
    line.fixed2(40, value);
    std::string text(line.text());
    text.erase(0, text.find_first_not_of(' '));
    if (text.starts_with('.')) text.insert(0, 1, '0');
    if (text.starts_with("-.")) text.insert(1, 1, '0');
    return text;
}

TEST(FigureText, MeansRoundAsTheReportDoes) {
    // Ties of the exact binary value go away from zero, as in the report:
    // 30.125 and 1515000.125 are exact floats. The mean of OFFICE5's four
    // lightest loads as read (1079.6, 1104.9, 1146.2, 1146.4 in single
    // precision) is 1119.274993896484375, below its tie; the report's
    // single-precision mean 1119.28 is 1119.280029296875.
    EXPECT_EQ(meanText(30.125f), "30.13");
    EXPECT_EQ(meanText(-30.125f), "-30.13");
    EXPECT_EQ(meanText(1515000.125), "1515000.13");
    EXPECT_EQ(meanText(1119.274993896484375), "1119.27");
    EXPECT_EQ(meanText(1119.28f), "1119.28");
    EXPECT_EQ(meanText(905), "905.00");
    EXPECT_EQ(meanText(0.5), "0.50");
    EXPECT_EQ(meanText(-0.004), "0.00");  // no minus before nothing but zeros
    EXPECT_EQ(meanText(12016666.666666666), "12016666.67");
    EXPECT_EQ(percentText(0.95), "0.9");  // 0.94999999999999995559: below the tie
    EXPECT_EQ(percentText(0.25), "0.3");
    EXPECT_EQ(meanText(1e308 * 10), "");  // infinite: no figure

    // Every float the report writes as a mean reads the same here, ties and
    // figures beyond the float's last digit included.
    int compared = 0;
    for (std::uint32_t bits = std::bit_cast<std::uint32_t>(1e-4f);
         bits < std::bit_cast<std::uint32_t>(9.9e6f); bits += 1237) {
        for (const float value : {std::bit_cast<float>(bits), -std::bit_cast<float>(bits)}) {
            ASSERT_EQ(meanText(value), asTheReportWritesIt(value)) << value;
            ++compared;
        }
    }
    for (int hundredths = 0; hundredths < 40000; ++hundredths) {
        const float tie = static_cast<float>(hundredths) / 8;  // x.125, x.375, ...: exact
        ASSERT_EQ(meanText(tie), asTheReportWritesIt(tie)) << tie;
    }
    EXPECT_GT(compared, 400'000);
}

TEST(FigureText, LoadsWithTheDecimalsOfTheDataFile) {
    // The file's 1569.0 beside 1440.2: one decimal for both.
    const std::vector<float> office = {1569.0f, 1440.2f, 905.0f};
    ASSERT_EQ(loadDecimals(office), 1);
    EXPECT_EQ(loadText(1569.0f, 1), "1569.0");
    EXPECT_EQ(loadText(1440.2f, 1), "1440.2");  // 1440.199951171875 as read

    // The most any load needs; trailing zeros in the file do not count.
    EXPECT_EQ(loadDecimals(std::vector<float>{1500.0f, 1440.25f}), 2);
    EXPECT_EQ(loadText(1440.2f, 2), "1440.20");
    EXPECT_EQ(loadText(-42.5f, 2), "-42.50");
    // Whole loads, in newtons: one decimal all the same.
    EXPECT_EQ(loadDecimals(std::vector<float>{12000000.0f, 11950000.0f}), 1);
    EXPECT_EQ(loadText(12090000.0f, 1), "12090000.0");
    EXPECT_EQ(loadText(1500000.5f, 1), "1500000.5");
    // At most six: a millionth of the unit; a load that needs more is rounded.
    EXPECT_EQ(loadDecimals(std::vector<float>{1e-7f, 250.0f}), 6);
    EXPECT_EQ(loadText(0.1234567f, 6), "0.123457");
    EXPECT_EQ(loadText(250.0f, 6), "250.000000");
    EXPECT_EQ(loadDecimals(std::vector<float>{}), 1);
}

}  // namespace
}  // namespace tamsor
