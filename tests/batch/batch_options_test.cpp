// SPDX-License-Identifier: GPL-3.0-or-later
// tamsor-batch's techniques and outputs run as a script runs them: the exact
// technique on every sample, every technique compared, the isolator
// schedule as text and as CSV read back by a strict reader.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "batch_test_support.h"
#include "strict_csv.h"

namespace {

namespace fs = std::filesystem;
using tamsor::testing::batch;
using tamsor::testing::kHallLoads;
using tamsor::testing::ProgramRun;
using tamsor::testing::read_file;
using tamsor::testing::readCsv;
using tamsor::testing::Records;
using tamsor::testing::ScratchFolder;
using tamsor::testing::write_file;

std::string loadLines(int count, double first, double step) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += std::to_string(first + step * i) + "\n";
    return text;
}

std::size_t lineCount(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST(OptimalMethod, CompletesNineTypesOnEverySampleAndTakesLargeBuildings) {
    ScratchFolder folder;
    std::vector<std::string> arguments = {"--method", "optimal"};
    for (const auto& entry : fs::directory_iterator(TAMSOR_EXAMPLES_DIR)) {
        if (entry.path().extension() != ".DAT") continue;
        fs::copy_file(entry.path(), folder.file(entry.path().filename().string()));
        arguments.push_back(folder.file(entry.path().filename().string()).string());
    }
    ASSERT_EQ(arguments.size(), 2u + 7u);
    ProgramRun run = batch(arguments, folder);
    EXPECT_EQ(run.end.exitStatus, 0) << run.err;
    EXPECT_EQ(run.err, "");
    for (std::size_t i = 2; i < arguments.size(); ++i) {
        const std::string& data = arguments[i];
        const std::size_t start = run.out.find(data + ": ");
        ASSERT_NE(start, std::string::npos) << data;
        const std::string block = run.out.substr(start, run.out.find("\n\n", start) - start);
        EXPECT_NE(block.find("isolators, Optimal (the best grouping)\n"), std::string::npos);
        EXPECT_NE(block.find("\n      9 "), std::string::npos) << block;
        EXPECT_NE(block.find("\n  report "), std::string::npos) << block;
        EXPECT_EQ(lineCount(read_file(fs::path(data).replace_extension(".out"))), 18u) << data;
    }

    // More than the classic techniques take; figures too wide for the report
    // show as asterisks, as they do for those.
    const std::string data = folder.file("big.DAT").string();
    write_file(data, loadLines(150, 1000, 10));
    run = batch({"--method", "optimal", data}, folder);
    EXPECT_EQ(run.end.exitStatus, 0) << run.err;
    EXPECT_NE(run.out.find(": 150 isolators, Optimal"), std::string::npos);
    run = batch({"--method", "1", data}, folder);
    EXPECT_EQ(run.err, data + ": 150 isolators, at most 100\n");

    std::string wide = loadLines(20, 1e17, 0) + "3e17\n";
    write_file(data, wide);
    run = batch({"--method", "optimal", data}, folder);
    EXPECT_EQ(run.end.exitStatus, 0) << run.err;
    // Spread figures come from the loads: (3e17 - 1e17) / 3e17 = 66.7 %; 20 x 2e17 above need
    // of the loads' 23e17, 173.9 %.
    EXPECT_NE(run.out.find("\n      1      ************        66.7 %              173.9 %    21 x "
                           "*********\n"),
              std::string::npos)
        << run.out;
}

// Refused before the run (a line, the count) and by the run itself (loads
// that overflow, a plot file beyond the file size limit of 3000 bytes: the
// report is 1467 bytes, 100 loads make 200 points of 29): in the classic
// techniques' words.
TEST(OptimalMethod, RefusesWithTheClassicTechniquesMessages) {
    ScratchFolder folder;
    const std::string data = folder.file("b.DAT").string();
    const std::pair<std::string, tamsor::testing::ChildLimits> cases[] = {
        {"1250 kN\r\n1300\r\nabc\r\n", {}},
        {loadLines(9, 100, 10), {}},
        {loadLines(19, 1e30, 0) + "2e30\n", {}},
        {loadLines(100, 100, 10), {.fileSizeLimit = 3000}},
    };
    for (const auto& [loads, limits] : cases) {
        write_file(data, loads);
        const ProgramRun classic = batch({"--method", "1", data}, folder, limits);
        const ProgramRun exact = batch({"--method", "optimal", data}, folder, limits);
        EXPECT_EQ(exact.end.exitStatus, 1);
        EXPECT_EQ(exact.err, classic.err);
        EXPECT_NE(exact.err, "");
        EXPECT_EQ(exact.out, "");
    }
    EXPECT_FALSE(fs::exists(folder.file("b.out")));
}

// The hall compared. Method 1 cuts at 1000|1600 for two types, as the best
// grouping does, and stops at three. Method2 starts from equal numbers of
// isolators; for 3 and 6 types these stay: {500 500 500 520} {900 900 1000
// 1000} {1600 1600 1640 2400}, sums of squares 300 + 10000 + 465200 = 475500,
// / 12 = 39625; and six pairs, 0 + 200 + 0 + 0 + 0 + 2 x 380^2 = 289000,
// / 12 = 24083.33. Above the optimum: (39625 - 33951.39) / 33951.39 = 16.71 %,
// (24083.33 - 25) / 25 = 96233.32 %. For one type the classic techniques' own
// single-precision sums give a figure a little below the optimum's: 0.00 %.
// Worst spreads: one type (2400 - 500) / 2400 = 79.2 %; the cut 1000|1600
// leaves (1000 - 500) / 1000 = 50.0 %; Method2's three types 800 / 2400 =
// 33.3 %, its six 760 / 2400 = 31.7 % ({1640 2400}). Least spread takes
// Method2's grouping for three types, the least worst spread there is (the
// heaviest type must start at 1600 to keep 2400 within 50 %); for six it
// parts 500 from 520 rather than 1600 from 1640: {1600 1600 1640} spreads
// 40 / 1640 = 2.4 %, at a sum of squares of 3200 / 3, / 12 = 88.89, (88.89 -
// 25) / 25 = 255.56 % above the optimum, whose six types leave 20 / 520 =
// 3.8 %. Within 10 %: the four types {500..520} {900..1000} (100 / 1000)
// {1600..1640} {2400} of both exact techniques; none of the classic ones'.
TEST(Compare, PrintsTheHandWorkedTableAndLeavesTheLastTechniquesFiles) {
    ScratchFolder folder;
    const std::string data = folder.file("HALL.DAT").string();
    write_file(data, kHallLoads);
    const ProgramRun run = batch({"--compare", "--tolerance", "10", data}, folder);
    EXPECT_EQ(run.end.exitStatus, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const std::string expectedRows[] = {
        data +
            ": 12 isolators, the four techniques compared\n"
            "  types  pooled variance and worst spread                                          "
            "                                          above the optimum\n"
            "                        Method 1                  Method2                  Optimal "
            "            Least spread   Method 1    Method2 Least spread\n"
            "      1      333030.53    79.2 %      333030.53    79.2 %      333030.56    79.2 %"
            "      333030.56    79.2 %     0.00 %     0.00 %       0.00 %\n"
            "      2       72629.16    50.0 %       72629.16    50.0 %       72629.16    50.0 %"
            "       72629.16    50.0 %     0.00 %     0.00 %       0.00 %\n"
            "      3              not reached       39625.00    33.3 %       33951.39    50.0 %"
            "       39625.00    33.3 %          -    16.71 %      16.71 %\n",
        "      6              not reached       24083.33    31.7 %          25.00     3.8 %"
        "          88.89     2.4 %          - 96233.32 %     255.56 %\n"
        "      7              not reached              not reached           0.00     0.0 %"
        "           0.00     0.0 %          -          -       0.00 %\n",
        "  Method 1: Fewest types within 10.0 %: none of 1 to 9\n"
        "  Method2: Fewest types within 10.0 %: none of 1 to 9\n"
        "  Optimal: Fewest types within 10.0 %: 4\n"
        "  Least spread: Fewest types within 10.0 %: 4\n"
        "  report " +
            folder.file("HALL.out").string() + ", plot " + folder.file("HALL.plt").string() +
            " (Least spread)\n\n",
    };
    for (const std::string& rows : expectedRows)
        EXPECT_NE(run.out.find(rows), std::string::npos) << rows << "\nin\n" << run.out;

    // The result files are those the last technique writes on its own.
    ScratchFolder alone;
    write_file(alone.file("HALL.DAT"), kHallLoads);
    ASSERT_EQ(batch({"--method", "spread", alone.file("HALL.DAT").string()}, alone).end.exitStatus,
              0);
    EXPECT_EQ(read_file(folder.file("HALL.out")), read_file(alone.file("HALL.out")));
    EXPECT_EQ(read_file(folder.file("HALL.plt")), read_file(alone.file("HALL.plt")));
}

TEST(Options, ThatDoNotFitAreUsageErrors) {
    ScratchFolder folder;
    const std::vector<std::vector<std::string>> misuses = {
        {"--compare", "--method", "2", "x.DAT"},
        {"--compare", "--types", "3", "x.DAT"},
        {"--method", "3", "x.DAT"},
        {"--types", "0", "x.DAT"},
        {"--types", "10", "x.DAT"},
        {"--format", "xml", "x.DAT"},
        {"--types", "3"},
        {"--tolerance", "100", "x.DAT"},
        {"--tolerance", "-1", "x.DAT"},
        {"--tolerance", "10%", "x.DAT"},
        {"--types", "fewest", "--method", "spread", "x.DAT"},
        {"--types", "fewest", "--tolerance", "10", "--method", "optimal", "x.DAT"},
        {"--compare", "--types", "fewest", "--tolerance", "10", "x.DAT"},
    };
    for (const auto& arguments : misuses) {
        const ProgramRun run = batch(arguments, folder);
        EXPECT_EQ(run.end.exitStatus, 2) << arguments[1];
        EXPECT_EQ(run.out, "");
        // One line of reason, one of where to read more.
        EXPECT_EQ(run.err.rfind("tamsor-batch: ", 0), 0u) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 2) << run.err;
        EXPECT_TRUE(run.err.ends_with("\nTry 'tamsor-batch --help'.\n")) << run.err;
    }
}

// The hall in four types: {500 500 500 520} mean 505, largest 15 / 505 =
// 3.0 % above it; {900 900 1000 1000} mean 950, 50 / 950 = 5.3 %; {1600 1600
// 1640} mean 1613.33, 26.67 / 1613.33 = 1.7 %; {2400} alone. Spreads 20 /
// 520 = 3.8 %, 100 / 1000 = 10.0 %, 40 / 1640 = 2.4 %; capacity above need
// 3 x 20 + 2 x 100 + 2 x 40 = 340 of the loads' 13060, 2.6 %.
TEST(Types, ScheduleOfTheHallAsTextAfterTheSummary) {
    ScratchFolder folder;
    const std::string data = folder.file("HALL.DAT").string();
    write_file(data, kHallLoads);
    ProgramRun run = batch({"--method", "optimal", "--types", "4", data}, folder);
    EXPECT_EQ(run.end.exitStatus, 0) << run.err;
    // clang-format off
    const std::string schedule =
        "  report " + folder.file("HALL.out").string() + ", plot " +
        folder.file("HALL.plt").string() + "\n"
        "\n"
        "  Isolator schedule for 4 types\n"
        "\n"
        "  Isolator types\n"
        "  type  isolators  smallest  largest (design load)     mean  spread  largest above mean %  spread %\n"
        "     1          4     500.0                  520.0   505.00   20.00                   3.0       3.8\n"
        "     2          4     900.0                 1000.0   950.00  100.00                   5.3      10.0\n"
        "     3          3    1600.0                 1640.0  1613.33   40.00                   1.7       2.4\n"
        "     4          1    2400.0                 2400.0  2400.00    0.00                   0.0       0.0\n"
        "  Worst spread 10.0 %  \xC2\xB7  capacity above need 2.6 %\n"
        "\n"
        "  Isolators in data file order\n"
        "  line    load  type  label\n"
        "     1  1600.0     3  kN  axis A/1, north\n"
        "     2   500.0     1  corner \"C1\"\n"
        "     4  2400.0     4  kN core wall\n"
        "     5   900.0     2\n"
        "     6   500.0     1  axis B/2\n"
        "     8  1000.0     2  \"pier, east\"\n"
        "     9   520.0     1\n"
        "    10  1640.0     3  kN\n"
        "    11   900.0     2  axis C/3\n"
        "    12   500.0     1\n"
        "    13  1000.0     2\n"
        "    14  1600.0     3  last, \"quoted\" and more\n"
        "\n";
    // clang-format on
    ASSERT_GT(run.out.size(), schedule.size());
    EXPECT_EQ(run.out.substr(run.out.size() - schedule.size()), schedule) << run.out;
    const std::string fourTypes =
        "\n      4            947.22        10.0 %                2.6 %     4 x    505.00   4 x    "
        "950.00   3 x   1613.33   1 x   2400.00\n";
    EXPECT_NE(run.out.find(fourTypes), std::string::npos);

    // Method 1 stops at three types: no schedule for three, and the run fails.
    run = batch({"--method", "1", "--types", "3", data}, folder);
    EXPECT_EQ(run.end.exitStatus, 1);
    EXPECT_NE(run.out.find("  stopped at 3 types"), std::string::npos);
    EXPECT_EQ(run.out.find("Isolator schedule"), std::string::npos);
    EXPECT_NE(run.err.find(data + ": no schedule for 3 types: the run stopped at 3 types\n"),
              std::string::npos)
        << run.err;
}

// Eight types split the three loads of 500: line 2 alone, lines 6 and 12 together.
TEST(Types, CsvReadsBackWithAStrictReader) {
    ScratchFolder folder;
    const std::string data = folder.file("HALL.DAT").string();
    write_file(data, kHallLoads);
    const ProgramRun run =
        batch({"--method", "optimal", "--types", "8", "--format", "csv", data}, folder);
    EXPECT_EQ(run.end.exitStatus, 0) << run.err;
    EXPECT_EQ(run.err, "");
    Records records;
    ASSERT_NO_THROW(records = readCsv(run.out)) << run.out;

    // The summary: one row per type of each of the nine groupings.
    ASSERT_EQ(records.size(), 1 + 45 + 1 + (1 + 8) + 1 + (1 + 12) + 1u);
    EXPECT_EQ(records[0], (std::vector<std::string>{"data file", "technique", "type count",
                                                    "status", "pooled variance", "type",
                                                    "isolators", "smallest", "largest", "mean",
                                                    "worst spread %", "capacity above need %"}));
    // One type: 1900 / 2400 = 79.2 %; 12 x 2400 - 13060 = 15740 above need, 120.5 %.
    EXPECT_EQ(records[1],
              (std::vector<std::string>{data, "Optimal", "1", "ok", "333030.56", "1", "12", "500.0",
                                        "2400.0", "1088.33", "79.2", "120.5"}));
    // n = 4 starts after the 1 + 2 + 3 rows of n = 1..3.
    EXPECT_EQ(records[7], (std::vector<std::string>{data, "Optimal", "4", "ok", "947.22", "1", "4",
                                                    "500.0", "520.0", "505.00", "10.0", "2.6"}));
    EXPECT_EQ(records[46], std::vector<std::string>{""});

    // The three loads of 500 split: one in type 1, two in type 2.
    // Eight types of equal loads each: no spread, no capacity above need.
    EXPECT_EQ(records[48], (std::vector<std::string>{"1", "1", "500.0", "500.0", "500.00", "0.00",
                                                     "0.0", "0.0", "0.0", "0.0"}));
    EXPECT_EQ(records[49], (std::vector<std::string>{"2", "2", "500.0", "500.0", "500.00", "0.00",
                                                     "0.0", "0.0", "0.0", "0.0"}));
    EXPECT_EQ(records[56], std::vector<std::string>{""});
    const std::vector<std::vector<std::string>> isolators = {
        {"line", "load", "type", "label"},
        {"1", "1600.0", "6", "kN  axis A/1, north"},
        {"2", "500.0", "1", "corner \"C1\""},
        {"4", "2400.0", "8", "kN core wall"},
        {"5", "900.0", "4", ""},
        {"6", "500.0", "2", "axis B/2"},
        {"8", "1000.0", "5", "\"pier, east\""},
        {"9", "520.0", "3", ""},
        {"10", "1640.0", "7", "kN"},
        {"11", "900.0", "4", "axis C/3"},
        {"12", "500.0", "2", ""},
        {"13", "1000.0", "5", ""},
        {"14", "1600.0", "6", "last, \"quoted\" and more"},
    };
    EXPECT_EQ(Records(records.begin() + 57, records.begin() + 70), isolators);
    EXPECT_EQ(records.back(), std::vector<std::string>{""});
}

}  // namespace
