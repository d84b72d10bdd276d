// SPDX-License-Identifier: GPL-3.0-or-later
// The whole run through the library's C entry, checked byte for byte against
// result files worked out by hand.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine_test_support.h"

namespace {

using tamsor::testing::call_engine;
using tamsor::testing::load_lines;
using tamsor::testing::read_file;
using tamsor::testing::ScratchFolder;
using tamsor::testing::write_file;

const std::vector<double> kTenToHundredTen = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110};

// Result sets 1 to 3 of the eleven loads 10..110 with the equal-count start.
// Set 1: mean 60, squared differences 11000 / 11 = 1000, 11 + 11 steps.
// Set 2: partitions 1..5 and 6..11 (means 30, 85; 1000 + 1750 = 2750 / 11).
// Set 3: partitions 1..3, 4..7, 8..11 (means 20, 55, 95; 1200 / 11 = 109.09).
const std::string kSetsOneToThree =
    "   1     1000.00       22         1        12\r\n"
    "                         60.00\r\n"
    "   2      250.00      237         1         6        12\r\n"
    "                         30.00      85.00\r\n"
    "   3      109.09      531         1         4         8        12\r\n"
    "                         20.00      55.00      95.00\r\n";

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start) + "<no CR LF>");
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

TEST(EngineRun, EqualCountStartOnElevenLoadsStopsAtSixTypes) {
    ScratchFolder folder;
    write_file(folder.file("b.DAT"), load_lines(kTenToHundredTen));
    ASSERT_EQ(call_engine(folder.file("b.DAT"), 1), 2);

    const std::string report = read_file(folder.file("b.out"));
    EXPECT_EQ(report.substr(0, kSetsOneToThree.size()), kSetsOneToThree);
    // Sets 4 and 5 follow; the sixth starts with a one-load partition that the
    // first move of the search empties.
    const auto lines = lines_of(report);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[6].substr(0, 16),
              "   4       72.73");  // {10,20}{30,40}{50..70}{80..110}: 800/11
    EXPECT_EQ(lines[6].substr(25), "         1         3         5         8        12");
    EXPECT_EQ(lines[7], "                         15.00      35.00      60.00      95.00");
    EXPECT_EQ(lines[8].substr(0, 4), "   5");
    EXPECT_EQ(lines[8].size(), 25u + 60u);
    // The plot file is written only by a complete run.
    EXPECT_FALSE(std::filesystem::exists(folder.file("b.plt")));
}

TEST(EngineRun, AnyNonZeroMethodFlagIsTheEqualCountStart) {
    ScratchFolder folder;
    write_file(folder.file("b.DAT"), load_lines(kTenToHundredTen));
    ASSERT_EQ(call_engine(folder.file("b.DAT"), 1), 2);
    const std::string with_one = read_file(folder.file("b.out"));
    ASSERT_EQ(call_engine(folder.file("b.DAT"), 7), 2);
    EXPECT_EQ(read_file(folder.file("b.out")), with_one);
    ASSERT_EQ(call_engine(folder.file("b.DAT"), -1), 2);
    EXPECT_EQ(read_file(folder.file("b.out")), with_one);
}

TEST(EngineRun, CompleteRunWritesNineSetsAndTheStepCurve) {
    // Eight isolators each at 100, 150, 200, 250 and 300 kN: five types fit exactly.
    std::vector<double> loads;
    for (const double load : {300, 100, 250, 150, 200})
        for (int i = 0; i < 8; ++i)
            loads.push_back(load);
    ScratchFolder folder;
    write_file(folder.file("b.DAT"), load_lines(loads));
    ASSERT_EQ(call_engine(folder.file("b.DAT"), 1), 0);

    const auto report = lines_of(read_file(folder.file("b.out")));
    ASSERT_EQ(report.size(), 18u);
    // Mean 200, squared differences 8 * (2*100^2 + 2*50^2) = 200000 / 40 = 5000.
    EXPECT_EQ(report[0], "   1     5000.00       80         1        41");
    EXPECT_EQ(report[1], "                        200.00");
    EXPECT_EQ(report[8].substr(0, 16), "   5         .00");
    EXPECT_EQ(report[8].substr(25), "         1         9        17        25        33        41");
    EXPECT_EQ(report[9],
              "                        100.00     150.00     200.00     250.00     300.00");
    for (int n = 1; n <= 9; ++n) {
        EXPECT_EQ(report[2 * (n - 1)].size(), 25u + 10u * (n + 1)) << "set " << n;
        EXPECT_EQ(report[2 * (n - 1)].substr(0, 4), "   " + std::to_string(n));
        EXPECT_EQ(report[2 * n - 1].size(), 19u + 11u * n) << "set " << n;
    }

    // A point per isolator, plus one at the position after the last isolator
    // of each value, where the step rises: 40 + 5 lines.
    std::string expected_plot;
    const auto point = [&](int position, const char* load) {
        const std::string field = std::to_string(position);
        expected_plot += std::string(11 - field.size(), ' ') + field + "      " + load + "\r\n";
    };
    const char* values[] = {"100.000000", "150.000000", "200.000000", "250.000000", "300.000000"};
    for (int position = 1; position <= 40; ++position) {
        point(position, values[(position - 1) / 8]);
        if (position % 8 == 0) point(position + 1, values[(position - 1) / 8]);
    }
    EXPECT_EQ(read_file(folder.file("b.plt")), expected_plot);
}

TEST(EngineRun, TwentyEqualLoadsMoveEachBoundaryDownOnceASweep) {
    ScratchFolder folder;
    write_file(folder.file("b.DAT"), load_lines(std::vector<double>(20, 500)));
    ASSERT_EQ(call_engine(folder.file("b.DAT"), 1), 0);

    const auto report = lines_of(read_file(folder.file("b.out")));
    ASSERT_EQ(report.size(), 18u);
    // Starting boundary 10; each of the two sweeps keeps the first move down.
    EXPECT_EQ(report[2].substr(0, 16), "   2         .00");
    EXPECT_EQ(report[2].substr(25), "         1         9        21");
    EXPECT_EQ(report[3], "                        500.00     500.00");

    std::string expected_plot;
    for (int position = 1; position <= 21; ++position) {
        std::string field = std::to_string(position);
        expected_plot += std::string(11 - field.size(), ' ') + field + "      500.000000\r\n";
    }
    EXPECT_EQ(read_file(folder.file("b.plt")), expected_plot);
}

TEST(EngineRun, EqualRangeStartLeavesTheTopPartitionEmptyForAnOutlier) {
    std::vector<double> loads(10, 100);
    loads.push_back(1000);
    ScratchFolder folder;
    write_file(folder.file("b.DAT"), load_lines(loads));

    // Threshold 550: only the last load reaches it, so partition 2 is empty.
    ASSERT_EQ(call_engine(folder.file("b.DAT"), 0), 2);
    // Mean 181.818..., squared differences 10 * 81.818^2 + 818.18^2 = 736363.6 / 11.
    EXPECT_EQ(read_file(folder.file("b.out")),
              "   1    66942.15       22         1        12\r\n"
              "                        181.82\r\n");

    ASSERT_EQ(call_engine(folder.file("b.DAT"), 1), 2);
    EXPECT_EQ(lines_of(read_file(folder.file("b.out"))).size(), 10u);
}

TEST(EngineRun, LoadOrderInTheFileDoesNotMatter) {
    ScratchFolder folder;
    const std::vector<double> ascending = {95,  120.5, 120.5, 180, 240, 260,
                                           410, 415,   420,   800, 810, 1500};
    const std::vector<double> descending(ascending.rbegin(), ascending.rend());
    write_file(folder.file("up.DAT"), load_lines(ascending));
    write_file(folder.file("down.DAT"), load_lines(descending));
    for (const int method : {0, 1}) {
        const int status = call_engine(folder.file("up.DAT"), method);
        ASSERT_EQ(call_engine(folder.file("down.DAT"), method), status);
        EXPECT_EQ(read_file(folder.file("down.out")), read_file(folder.file("up.out")));
        EXPECT_EQ(read_file(folder.file("down.plt")), read_file(folder.file("up.plt")));
    }
}

TEST(EngineRun, ReadsTheFirstNumberOfEachNonBlankLine) {
    ScratchFolder folder;
    write_file(folder.file("b.DAT"),
               "  10 kN corner\r\n\r\n   \r\n20\r\n\t30,31\r\n40 50\r\n50\r\n60\r\n70\r\n80\r\n"
               "90\r\n100\r\n110");  // last line without line end
    ASSERT_EQ(call_engine(folder.file("b.DAT"), 1), 2);
    EXPECT_EQ(read_file(folder.file("b.out")).substr(0, kSetsOneToThree.size()), kSetsOneToThree);
}

TEST(EngineRun, UnreadableInputLeavesEarlierResultsUntouched) {
    ScratchFolder folder;
    const auto data = folder.file("b.DAT");
    write_file(data, load_lines(kTenToHundredTen));
    write_file(folder.file("b.out"), "earlier report\r\n");
    write_file(folder.file("b.plt"), "earlier plot\r\n");

    const auto expect_untouched = [&](const char* what) {
        EXPECT_EQ(read_file(folder.file("b.out")), "earlier report\r\n") << what;
        EXPECT_EQ(read_file(folder.file("b.plt")), "earlier plot\r\n") << what;
    };

    write_file(data, load_lines({10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
    EXPECT_EQ(call_engine(data, 1), 1);
    expect_untouched("ten loads");

    write_file(data, load_lines(kTenToHundredTen) + "twelve\n");
    EXPECT_EQ(call_engine(data, 1), 1);
    expect_untouched("a word after eleven loads");

    write_file(data, load_lines(kTenToHundredTen) + "250kN\n");
    EXPECT_EQ(call_engine(data, 0), 1);
    expect_untouched("text glued to a number");

    write_file(data, load_lines(std::vector<double>(101, 250)));
    EXPECT_EQ(call_engine(data, 1), 1);
    expect_untouched("more than 100 loads");

    write_file(data, "");
    EXPECT_EQ(call_engine(data, 1), 1);
    expect_untouched("an empty file");

    std::filesystem::remove(data);
    EXPECT_EQ(call_engine(data, 1), 1);
    expect_untouched("a missing file");
}

TEST(EngineRun, ExactlyElevenAndExactlyHundredLoadsAreAccepted) {
    ScratchFolder folder;
    std::vector<double> hundred;
    for (int i = 1; i <= 100; ++i)
        hundred.push_back(100 + (i % 7) * 150 + i);
    write_file(folder.file("h.DAT"), load_lines(hundred));
    EXPECT_EQ(call_engine(folder.file("h.DAT"), 1), 0);
    EXPECT_EQ(lines_of(read_file(folder.file("h.out"))).size(), 18u);
    EXPECT_EQ(lines_of(read_file(folder.file("h.plt"))).size(), 200u);

    write_file(folder.file("e.DAT"), load_lines(kTenToHundredTen));
    EXPECT_EQ(call_engine(folder.file("e.DAT"), 1), 2);
    EXPECT_TRUE(std::filesystem::exists(folder.file("e.out")));
}

TEST(EngineRun, MissingInputCreatesNoResultFile) {
    ScratchFolder folder;
    EXPECT_EQ(call_engine(folder.file("none.DAT"), 0), 1);
    EXPECT_EQ(call_engine("", 0), 1);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST(EngineRun, ResultFilesGoBesideTheInputWhateverTheFolderIsCalled) {
    ScratchFolder folder;
    const auto data_folder = folder.file("My Data v1.2");
    std::filesystem::create_directory(data_folder);
    write_file(data_folder / "bldg.DAT", load_lines(std::vector<double>(20, 500)));
    ASSERT_EQ(call_engine(data_folder / "bldg.DAT", 1), 0);
    EXPECT_TRUE(std::filesystem::exists(data_folder / "bldg.out"));
    EXPECT_TRUE(std::filesystem::exists(data_folder / "bldg.plt"));
    EXPECT_FALSE(std::filesystem::exists(folder.file("My.out")));
}

TEST(EngineRun, AResultFileThatCannotBeWrittenIsAFailure) {
    ScratchFolder folder;
    write_file(folder.file("b.DAT"), load_lines(std::vector<double>(20, 500)));

    // A folder where the report should go: it cannot be created.
    std::filesystem::create_directory(folder.file("b.out"));
    EXPECT_EQ(call_engine(folder.file("b.DAT"), 1), 1);
    EXPECT_FALSE(std::filesystem::exists(folder.file("b.plt")));
    std::filesystem::remove(folder.file("b.out"));

    // The plot file cannot be created after a complete report.
    std::filesystem::create_directory(folder.file("b.plt"));
    EXPECT_EQ(call_engine(folder.file("b.DAT"), 1), 1);
    std::filesystem::remove(folder.file("b.plt"));

    // A full disk: every write to /dev/full fails.
    std::filesystem::remove(folder.file("b.out"));
    if (std::filesystem::exists("/dev/full")) {
        std::filesystem::create_symlink("/dev/full", folder.file("b.out"));
        EXPECT_EQ(call_engine(folder.file("b.DAT"), 1), 1);
    }
}

TEST(EngineRun, SecondRunOverwritesBothFilesFromTheStart) {
    ScratchFolder folder;
    write_file(folder.file("b.out"), std::string(5000, 'x'));
    write_file(folder.file("b.plt"), std::string(5000, 'x'));
    write_file(folder.file("b.DAT"), load_lines(std::vector<double>(20, 500)));
    ASSERT_EQ(call_engine(folder.file("b.DAT"), 1), 0);
    EXPECT_EQ(read_file(folder.file("b.out")).find('x'), std::string::npos);
    EXPECT_EQ(read_file(folder.file("b.plt")).size(), 21u * 29u);
}

}  // namespace
