// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/run_summary_json.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "comma_decimal_locale.h"
#include "hand_worked_building.h"

namespace tamsor {
namespace {

TEST(RunSummaryJson, SmallRunByteForByte) {
    const std::vector<IsolatorLoad> loads = {{1204, 10.0f, "a\tb"},
                                             {1205, 15.0f, "\xC3\xA4 \"q\" \\ \x01"}};
    const auto schedule = makeIsolatorSchedule(loads, std::vector{1, 3});
    RunSummary run{"C:\\LOADS\\\"A\".DAT",
                   "Optimal",
                   {{1, ResultSetStatus::kOk, 6.25, typeSummaries(schedule)},
                    {2, ResultSetStatus::kNotReached, std::nullopt, {}}},
                   schedule};
    // One type of 10 and 15: spread 5 / 15 = 33.33 %; capacity above need 5 of the loads' 25,
    // 20 %. Two types are needed within 15 %.
    run.resultSets[0].worstSpreadPercent = 100.0 / 3;
    run.resultSets[0].capacityAboveNeedPercent = 20;
    run.tolerancePercent = 15;
    run.fewestTypesWithinTolerance = 2;
    std::ostringstream out;
    out.imbue(commaDecimalLocale());
    writeRunSummaryJson(out, run);
    EXPECT_EQ(out.str(),
              R"({"data_file":"C:\\LOADS\\\"A\".DAT","technique":"Optimal","result_sets":[)"
              R"({"type_count":1,"status":"ok","pooled_variance":6.25,"types":[)"
              R"({"type":1,"isolators":2,"smallest":10.0,"largest":15.0,"mean":12.50}],)"
              R"("worst_spread_percent":33.3,"capacity_above_need_percent":20.0},)"
              R"({"type_count":2,"status":"not reached","pooled_variance":null,"types":[],)"
              R"("worst_spread_percent":null,"capacity_above_need_percent":null}],)"
              R"("schedule":{"type_count":1,"types":[{"type":1,"isolators":2,"smallest":10.0,)"
              R"("largest":15.0,"mean":12.50,"spread":5.00,"largest_above_mean_percent":20.0,)"
              R"("spread_percent":33.3}],)"
              R"("isolators":[{"line":1204,"load":10.0,"type":1,"label":"a\u0009b"},)"
              R"({"line":1205,"load":15.0,"type":1,"label":"ä \"q\" \\ \u0001"}],)"
              R"("worst_spread_percent":33.3,"capacity_above_need_percent":20.0},)"
              R"("tolerance_percent":15.0,"fewest_types_within_tolerance":2})"
              "\n");
}

QJsonObject readBack(const std::string& text) {
    QJsonParseError error;
    const auto document = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError)
        << error.errorString().toStdString() << " at " << error.offset << " in " << text;
    return document.object();
}

TEST(RunSummaryJson, ReadBackByQtsReader) {
    auto loads = handWorkedLoads();
    loads.push_back({11, 5000.0f, std::string("controls \x1F\x7F\r\n and \0 end", 20)});
    loads.push_back({12, 5000.0f, "Latin-1 \xE4, cut UTF-8 \xE2\x82"});
    const auto schedule = makeIsolatorSchedule(loads, std::vector{1, 3, 6, 8, 10});
    auto types = typeSummaries(schedule);
    types[1].mean = std::numeric_limits<double>::quiet_NaN();
    RunSummary run{"b\xC3\xBCro/\tnew.DAT",
                   "Method2",
                   {{4, ResultSetStatus::kOk, std::numeric_limits<double>::infinity(), types},
                    {5, ResultSetStatus::kNotReached, std::nullopt, {}}},
                   schedule};
    std::ostringstream out;
    writeRunSummaryJson(out, run);
    writeRunSummaryJson(out, run);

    // Two runs, two lines, each a document of its own.
    const std::string text = out.str();
    const auto firstEnd = text.find('\n');
    ASSERT_EQ(firstEnd * 2 + 2, text.size());
    const auto document = readBack(text.substr(0, firstEnd));
    EXPECT_EQ(text.substr(0, firstEnd + 1), text.substr(firstEnd + 1));

    EXPECT_EQ(document["data_file"].toString(), QString::fromUtf8("b\xC3\xBCro/\tnew.DAT"));
    EXPECT_EQ(document["technique"].toString(), "Method2");
    const auto sets = document["result_sets"].toArray();
    ASSERT_EQ(sets.size(), 2);
    EXPECT_TRUE(sets[0]["pooled_variance"].isNull());
    EXPECT_TRUE(sets[0]["types"][1]["mean"].isNull());
    EXPECT_EQ(sets[0]["types"][3]["mean"].toDouble(), 5000.0);
    EXPECT_EQ(sets[1]["status"].toString(), "not reached");
    EXPECT_TRUE(sets[1]["types"].toArray().isEmpty());

    const auto scheduled = document["schedule"].toObject();
    EXPECT_EQ(scheduled["type_count"].toInt(), 4);
    EXPECT_EQ(scheduled["types"][1]["mean"].toDouble(), 1110.17);
    EXPECT_EQ(scheduled["types"][2]["largest_above_mean_percent"].toDouble(), 23.3);
    const auto isolators = scheduled["isolators"].toArray();
    ASSERT_EQ(isolators.size(), static_cast<qsizetype>(loads.size()));
    for (qsizetype i = 0; i + 1 < isolators.size(); ++i) {
        const auto& load = loads[static_cast<std::size_t>(i)];
        EXPECT_EQ(isolators[i]["line"].toInt(), load.line);
        EXPECT_EQ(isolators[i]["load"].toDouble(), load.load);
        EXPECT_EQ(isolators[i]["type"].toInt(),
                  schedule.isolators[static_cast<std::size_t>(i)].type);
        EXPECT_EQ(isolators[i]["label"].toString(),
                  QString::fromUtf8(load.label.data(), static_cast<qsizetype>(load.label.size())));
    }
    EXPECT_EQ(isolators.last()["label"].toString(),
              QString::fromUtf8("Latin-1 \xEF\xBF\xBD, cut UTF-8 \xEF\xBF\xBD\xEF\xBF\xBD"));
}

// JSON keeps text exactly: every control character and a label a spreadsheet
// would take as a formula read back as they were, in labels and the file name.
TEST(RunSummaryJson, EveryControlCharacterAndFormulaReadsBackExactly) {
    std::string c0;
    for (int byte = 0; byte < 0x20; ++byte)
        c0 += static_cast<char>(byte);
    c0 += '\x7F';
    std::string c1;
    for (int byte = 0x80; byte < 0xA0; ++byte)
        c1 += std::string{'\xC2', static_cast<char>(byte)};
    std::vector<IsolatorLoad> loads = {{1, 10.0f, c0},
                                       {2, 20.0f, c1},
                                       {3, 30.0f, "=HYPERLINK(\"http://example.invalid/\",\"x\")"},
                                       {4, -40.0f, "-2+3"}};
    const auto schedule = makeIsolatorSchedule(loads, std::vector{1, 5});
    RunSummary run{"\x1b[2J" + c0 + ".DAT", "Optimal", {}, schedule};
    std::ostringstream out;
    writeRunSummaryJson(out, run);
    const std::string text = out.str();
    ASSERT_EQ(text.find('\n'), text.size() - 1) << "one document, one line";

    const auto document = readBack(text);
    const auto fromBytes = [](const std::string& bytes) {
        return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    };
    EXPECT_EQ(document["data_file"].toString(), fromBytes(run.dataFile));
    const auto isolators = document["schedule"]["isolators"].toArray();
    ASSERT_EQ(isolators.size(), 4);
    for (qsizetype i = 0; i < 4; ++i)
        EXPECT_EQ(isolators[i]["label"].toString(),
                  fromBytes(loads[static_cast<std::size_t>(i)].label))
            << "isolator " << i + 1;
    EXPECT_EQ(isolators[3]["load"].toDouble(), -40.0);
}

}  // namespace
}  // namespace tamsor
