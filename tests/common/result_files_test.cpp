// SPDX-License-Identifier: GPL-3.0-or-later
// The result files' contents: written from plain records by the shared
// formatting, and read back by the report reader, which trusts nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scratch_folder.h"
#include "tamsor/report_reader.h"
#include "tamsor/result_set_format.h"

namespace {

using tamsor::ReadError;
using tamsor::ReportSet;

std::string formatted(const tamsor::ResultSetRecord& set) {
    tamsor::FieldLine first;
    tamsor::FieldLine second;
    tamsor::formatResultSet(set, first, second);
    return std::string(first.text()) + std::string(second.text());
}

TEST(ResultSetFormat, WritesTheReportColumns) {
    // Eleven loads 10..110 in two types 1..5 and 6..11.
    tamsor::ResultSetRecord two;
    two.partitionCount = 2;
    two.pooledVariance = 250.0f;
    two.operationCount = 237;
    two.firstPositions = {1, 6, 12};
    two.means = {30.0f, 85.0f};
    EXPECT_EQ(formatted(two),
              "   2      250.00      237         1         6        12\r\n"
              "                         30.00      85.00\r\n");

    // Nine types: ten positions, 125 columns; figures too wide become asterisks.
    tamsor::ResultSetRecord nine;
    nine.partitionCount = 9;
    nine.pooledVariance = 1e9f;
    nine.operationCount = 1000000000;
    nine.firstPositions = {1, 2, 3, 4, 5, 6, 7, 8, 9, 1000001};
    nine.means = {0.5f, 12345678.9f, -1.0f, 0, 0, 0, 0, 0, 7};
    const std::string text = formatted(nine);
    const std::string first = text.substr(0, text.find("\r\n"));
    EXPECT_EQ(first.size(), 125u);
    EXPECT_EQ(first.substr(0, 25), "   9" + std::string(12 + 9, '*'));
    EXPECT_EQ(first.substr(105), "         9   1000001");
    EXPECT_EQ(text.substr(first.size() + 2, 19 + 33),
              std::string(19, ' ') + "        .50 ********** " + "     -1.00");
}

TEST(ResultSetFormat, DrawsTheSortedLoadsAsSteps) {
    tamsor::testing::ScratchFolder folder;
    const std::string name = folder.file("b.plt").string();
    tamsor::ResultFile plot;
    ASSERT_TRUE(plot.check(name.c_str(), {}) && plot.open());
    // A run of equal loads is one flat step; the last load ends at N + 1.
    tamsor::writeLoadPlot(plot, std::vector<float>{100, 100, 150.5f});
    ASSERT_TRUE(plot.close() && plot.replace());
    EXPECT_EQ(tamsor::testing::read_file(name),
              "          1      100.000000\r\n"
              "          2      100.000000\r\n"
              "          3      100.000000\r\n"
              "          3      150.500000\r\n"
              "          4      150.500000\r\n");
}

// A plot file of thousands of points, written in several blocks: positions through every
// carry of their digits, -0 beside 0 (equal loads, one step, each written without a sign),
// the exponent form below 1 and from 10,000,000, a tie at the seventh digit rounded away
// from zero, and a long run of equal loads across a block's end. The digest taken while
// writing is that of the whole text, by which the reading back recognises the file.
TEST(ResultSetFormat, DrawsLongPlotsByteForByte) {
    struct Load {
        float value;
        std::string field;  // as the plot file shows it
        int count;          // loads of this value in a row
    };
    std::vector<Load> loads{{-2.5f, "-2.500000", 1},
                            {-0.0f, "0.000000E+00", 1},
                            {0.0f, "0.000000E+00", 1},
                            {0.5f, "5.000000E-01", 2}};
    for (int kilonewtons = 1; kilonewtons <= 2100; ++kilonewtons)
        loads.push_back(
            {static_cast<float>(kilonewtons), std::to_string(kilonewtons) + ".000000", 1});
    loads.push_back({4194304.5f, "4194305.000000", 3000});
    loads.push_back({12345678.0f, "1.234568E+07", 1});

    std::vector<float> sorted;
    std::string expected;
    const auto point = [&](std::size_t position, const std::string& field) {
        const std::string digits = std::to_string(position);
        expected += std::string(11 - digits.size(), ' ') + digits +
                    std::string(16 - field.size(), ' ') + field + "\r\n";
    };
    for (std::size_t k = 0; k < loads.size(); ++k) {
        for (int i = 0; i < loads[k].count; ++i) {
            sorted.push_back(loads[k].value);
            point(sorted.size(), loads[k].field);
        }
        // -0 and 0 are one load value: no step between them.
        if (k + 1 == loads.size() || loads[k + 1].value != loads[k].value)
            point(sorted.size() + 1, loads[k].field);
    }

    tamsor::testing::ScratchFolder folder;
    const std::string name = folder.file("b.plt").string();
    tamsor::ResultFile plot;
    ASSERT_TRUE(plot.check(name.c_str(), {}) && plot.open());
    tamsor::TextDigest digest;
    tamsor::writeLoadPlot(plot, sorted, digest);
    ASSERT_TRUE(plot.close() && plot.replace());
    const std::string written = tamsor::testing::read_file(name);
    ASSERT_EQ(written.size(), expected.size());
    EXPECT_EQ(written, expected);
    EXPECT_EQ(digest.value(), tamsor::digestOf(expected));
    EXPECT_NE(digest.value(), tamsor::digestOf(expected.substr(29)));
    EXPECT_EQ(written.substr(29 * 2, 29 * 2),
              "          2    0.000000E+00\r\n"
              "          3    0.000000E+00\r\n");
}

// Result sets 1 and 2 of eleven loads 10..110, as the engine writes them.
const std::string kTwoSets =
    "   1     1000.00       22         1        12\r\n"
    "                         60.00\r\n"
    "   2      250.00      237         1         6        12\r\n"
    "                         30.00      85.00\r\n";

TEST(ReportReader, ReadsEachFieldFromItsColumns) {
    const auto sets = tamsor::parseReport(kTwoSets);
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ(sets[1].partitionCount, 2);
    EXPECT_EQ(sets[1].pooledVariance, 250.0f);
    EXPECT_EQ(sets[1].operationCount, 237);
    EXPECT_EQ(sets[1].firstPositions, (std::vector<std::int32_t>{1, 6, 12}));
    EXPECT_EQ(sets[1].isolators(0), 5);
    EXPECT_EQ(sets[1].isolators(1), 6);
    EXPECT_EQ(sets[1].means, (std::vector<std::optional<float>>{30.0f, 85.0f}));
    EXPECT_EQ(sets[0].loadCount(), 11);
    // LF line ends and a missing last line end are read alike.
    EXPECT_EQ(tamsor::parseReport("   1     1000.00       22         1        12\n"
                                  "                         60.00")
                  .size(),
              1u);
    EXPECT_TRUE(tamsor::parseReport("").empty());
}

TEST(ReportReader, ShowsFiguresTooWideForTheirFieldAsNotShownNeverAsZero) {
    const std::string means = std::string(19, ' ') + ' ';
    const auto sets =
        tamsor::parseReport("   1" + std::string(12 + 9, '*') + "         1        12\r\n" + means +
                            std::string(10, '*') + "\r\n" +
                            "   2 12345678.90*********         1         6        12\r\n" + means +
                            "       .50 **********\r\n");
    EXPECT_FALSE(sets[0].pooledVariance.has_value());
    EXPECT_FALSE(sets[0].operationCount.has_value());
    EXPECT_FALSE(sets[0].means[0].has_value());
    EXPECT_EQ(sets[1].pooledVariance, 12345678.9f);
    EXPECT_EQ(sets[1].means[0], 0.5f);
    EXPECT_FALSE(sets[1].means[1].has_value());
}

TEST(ReportReader, RefusesWhatAReportCannotHold) {
    struct Case {
        std::string text;
        ReadError::Kind kind;
        std::string message;
    };
    const std::string set1 = kTwoSets.substr(0, kTwoSets.find("   2      250"));
    const Case cases[] = {
        {"****     1000.00       22         1        12\r\n"
         "                         60.00\r\n",
         ReadError::Kind::kNotANumber, "line 1: asterisks where the number of types must be"},
        {"   1     1000.00       22         1**********\r\n"
         "                         60.00\r\n",
         ReadError::Kind::kNotANumber, "line 1: asterisks where a position must be"},
        {"   2     1000.00       22         1         6        12\r\n"
         "                         30.00      85.00\r\n",
         ReadError::Kind::kMalformed, "line 1: result set 1 is headed by 2"},
        {set1 + "   2      250.00      237         1         6\r\n", ReadError::Kind::kPastEnd,
         "line 3: the report ends inside result set 2"},
        {set1 + "   2      250.00      237         1         6\r\n"
                "                         30.00      85.00\r\n",
         ReadError::Kind::kMalformed, "line 3: 45 characters, not 55 for 2 types"},
        {set1 + "   2      250.00      237         1        13        12\r\n"
                "                         30.00      85.00\r\n",
         ReadError::Kind::kMalformed, "line 3: type 3 does not start after type 2"},
        {set1 + "   2      250.00      237         1         6        13\r\n"
                "                         30.00      85.00\r\n",
         ReadError::Kind::kMalformed,
         "line 3: result set 2 holds another number of loads than result set 1"},
        {"   1     1000.00       22         2        12\r\n"
         "                         60.00\r\n",
         ReadError::Kind::kMalformed, "line 1: the first type does not start at position 1"},
        {"   1    -1000.00       22         1        12\r\n"
         "                         60.00\r\n",
         ReadError::Kind::kMalformed, "line 1: a negative pooled variance"},
        {"   1     1000.00       22         1        12\r\n"
         "                         60,00\r\n",
         ReadError::Kind::kNotANumber, "line 2: \"60,00\" is not a mean load"},
        {"   1     1000.00       22         1        12\r\n"
         "x                        60.00\r\n",
         ReadError::Kind::kMalformed, "line 2: text before the means"},
        {"   1     1000.00      2.2         1        12\r\n"
         "                         60.00\r\n",
         ReadError::Kind::kNotANumber, "line 1: \"2.2\" is not an operation count"},
        {"   1     1000.00       22         1    1    2\r\n"
         "                         60.00\r\n",
         ReadError::Kind::kNotANumber, "line 1: \"1    2\" is not a position"},
        {"   1     1000.00       22         1          \r\n"
         "                         60.00\r\n",
         ReadError::Kind::kNotANumber, "line 1: columns 36-45: blank where a position must be"},
    };
    for (const auto& c : cases) {
        try {
            tamsor::parseReport(c.text);
            ADD_FAILURE() << "read: " << c.text;
        } catch (const ReadError& error) {
            EXPECT_EQ(error.kind(), c.kind) << c.text;
            EXPECT_EQ(error.what(), c.message) << c.text;
        }
    }
}

}  // namespace
