// SPDX-License-Identifier: GPL-3.0-or-later
// tamsor-batch run as a script runs it: its messages word for word, its exit
// status, and what it leaves on disk.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <future>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "batch_test_support.h"

namespace {

namespace fs = std::filesystem;
using tamsor::testing::batch;
using tamsor::testing::ProgramRun;
using tamsor::testing::read_file;
using tamsor::testing::ScratchFolder;
using tamsor::testing::write_file;

std::string lines(const std::vector<double>& loads) {
    std::ostringstream text;
    for (const double load : loads)
        text << load << "\r\n";
    return text.str();
}

std::string hundredLoads() {
    std::vector<double> loads;
    for (int i = 1; i <= 100; ++i)
        loads.push_back(1000 + 7 * i + (i % 5) * 300);
    return lines(loads);
}

// Files of the folder other than the captured output.
std::set<std::string> namesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(".std", 0) != 0) names.insert(name);
    }
    return names;
}

TEST(Messages, ARefusedDataFileSaysWhichLineAndWhy) {
    ScratchFolder folder;
    const std::string data = folder.file("b.DAT").string();
    struct Case {
        std::string loads;
        std::string message;
    };
    const Case cases[] = {
        {"1250 kN\r\n1300\r\nabc\r\n", ":3: \"abc\" is not a number\n"},
        {"1250\n\n1e39 kN\n", ":3: \"1e39\" is beyond the range of a load\n"},
        {lines(std::vector<double>(101, 250)), ": 101 isolators, at most 100\n"},
        {lines({1, 2, 3, 4, 5, 6, 7, 8, 9}), ": 9 isolators, at least 11\n"},
        {"", ": 0 isolators, at least 11\n"},
    };
    for (const auto& c : cases) {
        write_file(data, c.loads);
        const auto run = batch({data}, folder);
        EXPECT_EQ(run.end.exitStatus, 1) << c.message;
        EXPECT_EQ(run.err, data + c.message);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(namesIn(folder.path()), std::set<std::string>{"b.DAT"}) << c.message;
    }
    const auto missing = batch({folder.file("none.DAT").string()}, folder);
    EXPECT_EQ(missing.end.exitStatus, 1);
    EXPECT_EQ(missing.err,
              folder.file("none.DAT").string() + ": cannot be opened: No such file or directory\n");
}

TEST(Messages, ADecimalCommaIsReadAsTheRulesSayWithAWarning) {
    ScratchFolder folder;
    const std::string data = folder.file("b.DAT").string();
    std::string loads = lines(std::vector<double>(19, 500));
    loads.insert(4 * 5, "150,75 kN  axis C/2\r\n");
    write_file(data, loads);
    const auto run = batch({"--method", "2", data}, folder);
    EXPECT_EQ(run.end.exitStatus, 0);
    EXPECT_EQ(run.err, data + ":5: warning: \"150,75\" looks like a decimal comma; read as 150\n");
    // Read as 150: mean (19 x 500 + 150) / 20 = 482.50, squared differences
    // 19 x 17.5^2 + 332.5^2 = 116375, / 20 = 5818.75; spread 350 / 500 = 70.0 %,
    // capacity above need 350 of the loads' 9650, 3.6 %.
    EXPECT_NE(run.out.find("20 isolators, Method2 (equal numbers of isolators)"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("\n      1           5818.75        70.0 %                3.6 %    20 x "
                           "   482.50\n"),
              std::string::npos)
        << run.out;
}

TEST(Messages, AResultFileThatCannotBeWrittenIsNamedWithTheSystemsReason) {
    ScratchFolder folder;
    const std::string data = folder.file("b.DAT").string();
    const std::string report = folder.file("b.out").string();
    const std::string plot = folder.file("b.plt").string();
    write_file(data, hundredLoads());
    write_file(report, "earlier\r\n");
    write_file(plot, "earlier\r\n");

    fs::permissions(plot, fs::perms::owner_read);
    auto run = batch({data}, folder);
    EXPECT_EQ(run.end.exitStatus, 1);
    EXPECT_EQ(run.err, data + ": cannot write " + plot + ": is write-protected\n");
    fs::permissions(plot, fs::perms::owner_read | fs::perms::owner_write);

    // A file size limit stops the report (1467 bytes), then the plot file (5800).
    run = batch({data}, folder, {.fileSizeLimit = 1000});
    EXPECT_EQ(run.end.exitStatus, 1);
    EXPECT_EQ(run.err, data + ": cannot write " + report + ": File too large\n");
    run = batch({data}, folder, {.fileSizeLimit = 3000});
    EXPECT_EQ(run.err, data + ": cannot write " + plot + ": File too large\n");
    EXPECT_EQ(read_file(report), "earlier\r\n");
    EXPECT_EQ(read_file(plot), "earlier\r\n");

    // Loads whose squares overflow single precision.
    std::vector<double> huge(20, 1e30);
    huge[0] = 2e30;
    write_file(data, lines(huge));
    run = batch({data}, folder);
    EXPECT_EQ(run.end.exitStatus, 1);
    EXPECT_EQ(run.err, data + ": the loads are too large: their single-precision sums overflow\n");
    EXPECT_EQ(namesIn(folder.path()), (std::set<std::string>{"b.DAT", "b.out", "b.plt"}));

    // A data file named like its own report.
    const std::string named = folder.file("loads.out").string();
    write_file(named, hundredLoads());
    run = batch({named}, folder);
    EXPECT_EQ(run.end.exitStatus, 1);
    EXPECT_EQ(run.err, named + ": the report " + named +
                           " would overwrite the data file itself; give the data file another "
                           "extension, such as .DAT\n");
    EXPECT_EQ(read_file(named), hundredLoads());
}

TEST(Messages, NamesTheEngineCannotTakeAreRefusedAtOnce) {
    ScratchFolder folder;
    const std::string data = folder.file("b.DAT").string();
    write_file(data, hundredLoads());
    // The engine would drop the blank and calculate b.DAT instead.
    auto run = batch({data + " "}, folder);
    EXPECT_EQ(run.end.exitStatus, 1);
    EXPECT_EQ(run.err, "\"" + data +
                           " \": the file name ends with a blank, which the engine would drop; "
                           "rename the file\n");
    EXPECT_EQ(namesIn(folder.path()), std::set<std::string>{"b.DAT"});

    const std::string fifo = folder.file("pipe.DAT").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    run = batch({fifo}, folder, {.fileSizeLimit = {}, .patience = std::chrono::seconds(5)});
    EXPECT_FALSE(run.end.timedOut);
    EXPECT_EQ(run.end.exitStatus, 1);
    EXPECT_EQ(run.err, fifo + ": not a regular file\n");
}

TEST(Output, ThatCannotBeWrittenIsAFailure) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this machine";
    ScratchFolder folder;
    const std::string data = folder.file("b.DAT").string();
    write_file(data, hundredLoads());
    const auto run = batch({"--method", "2", data}, folder, {}, {}, "/dev/full");
    EXPECT_EQ(run.end.exitStatus, 1);
    EXPECT_EQ(run.err, "tamsor-batch: cannot write the output: No space left on device\n");
    const auto help = batch({"--help"}, folder, {}, {}, "/dev/full");
    EXPECT_EQ(help.end.exitStatus, 1);
}

TEST(ReadBack, FiguresTooWideForTheReportShowAsAsterisks) {
    ScratchFolder folder;
    const std::string data = folder.file("b.DAT").string();
    std::vector<double> wide(20, 1e17);
    wide[0] = 3e17;
    write_file(data, lines(wide));
    const auto run = batch({"--method", "2", data}, folder);
    EXPECT_EQ(run.end.exitStatus, 0) << run.err;
    // The spread figures come from the loads: 2e17 / 3e17 = 66.7 %; 19 x 2e17 above need of the
    // loads' 22e17, 172.7 %.
    EXPECT_NE(run.out.find("\n      1      ************        66.7 %              172.7 %    20 x "
                           "*********\n"),
              std::string::npos)
        << run.out;
}

// 60,000 isolators of 1000.0 and 40,000 of 2000.0: one type of 100,000 with
// the mean 1400, two types without spread. The counts' column widens to six
// figures instead of running into the means.
TEST(Summary, ColumnsWidenToTheirFigures) {
    ScratchFolder folder;
    const std::string data = folder.file("TERMINAL.DAT").string();
    std::vector<double> loads(60000, 1000.0);
    loads.resize(100000, 2000.0);
    write_file(data, lines(loads));
    const auto run = batch({"--method", "optimal", data}, folder);
    ASSERT_EQ(run.end.exitStatus, 0) << run.err;
    // One type: (60000 x 400² + 40000 x 600²) / 100000 = 240000; the 1000s
    // lie 50.0 % below the design load 2000, and 60000 x 1000 / 140,000,000
    // = 42.9 % of the load is capacity above need.
    EXPECT_NE(run.out.find("\n      1         240000.00        50.0 %               42.9 %   "
                           "100000 x   1400.00\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("\n      2              0.00         0.0 %                0.0 %    "
                           "60000 x   1000.00  40000 x   2000.00\n"),
              std::string::npos)
        << run.out;
}

// tamsor-batch with the stand-in engine, which "writes" the given report.
class UntrustedReport : public ::testing::Test {
  protected:
    UntrustedReport() {
        write_file(data_, lines(std::vector<double>(36, 500)));
        // A sound report of 36 isolators to start from.
        const auto sound = batch({"--method", "2", data_}, folder_);
        EXPECT_EQ(sound.end.exitStatus, 0);
        goodReport_ = read_file(report_);
    }
    ProgramRun runWith(const std::string& reportText, int status) {
        write_file(prepared_, reportText);
        return batch(
            {data_}, folder_, {},
            {"LD_LIBRARY_PATH=" TAMSOR_FAKE_ENGINE_DIR, "TAMSOR_FAKE_REPORT_FROM=" + prepared_,
             "TAMSOR_FAKE_REPORT_TO=" + report_, "TAMSOR_FAKE_STATUS=" + std::to_string(status)});
    }
    std::string firstLines(int count) const {
        std::size_t end = 0;
        for (int i = 0; i < count; ++i)
            end = goodReport_.find('\n', end) + 1;
        return goodReport_.substr(0, end);
    }

    ScratchFolder folder_;
    std::string data_ = folder_.file("b.DAT").string();
    std::string report_ = folder_.file("b.out").string();
    std::string prepared_ = folder_.file("prepared").string();
    std::string goodReport_;
};

TEST_F(UntrustedReport, IsAnErrorNeverASummary) {
    // The stand-in is in use: the sound report comes back as it is.
    auto run = runWith(goodReport_, 0);
    EXPECT_EQ(run.end.exitStatus, 0) << run.err;

    run = runWith(firstLines(10), 0);
    EXPECT_EQ(run.end.exitStatus, 1);
    EXPECT_EQ(run.err, data_ + ": the report " + report_ + " holds 5 result sets, not 9\n");
    EXPECT_EQ(run.out, "");

    run = runWith("", 2);
    EXPECT_EQ(run.err, data_ + ": the report " + report_ + " holds 0 result sets, not 1 to 8\n");
    EXPECT_EQ(run.out, "");

    // A status the engine never gives: the sound report is not used.
    run = runWith(goodReport_, 3);
    EXPECT_EQ(run.end.exitStatus, 1);
    EXPECT_EQ(run.err, data_ +
                           ": the engine ended with status 3, which it never gives; its "
                           "result files are not used\n");
    EXPECT_EQ(run.out, "");

    write_file(data_, lines(std::vector<double>(35, 500)));
    run = runWith(goodReport_, 0);
    EXPECT_EQ(run.end.exitStatus, 1);
    EXPECT_EQ(run.err,
              data_ + ": the report " + report_ + " holds 36 isolators, the data file 35\n");
    EXPECT_EQ(run.out, "");

    std::string starred = goodReport_;
    starred.replace(35, 10, std::string(10, '*'));  // the end position of set 1
    run = runWith(starred, 0);
    EXPECT_EQ(run.end.exitStatus, 1);
    EXPECT_EQ(run.err, data_ + ": unreadable report " + report_ +
                           ": line 1: asterisks where a position must be\n");
    EXPECT_EQ(run.out, "");
}

TEST(ParallelRuns, OnOneFileNeverPrintAnotherRunsResults) {
    ScratchFolder folder;
    const std::string data = folder.file("MUSEUM.DAT").string();
    fs::copy_file(fs::path(TAMSOR_EXAMPLES_DIR) / "MUSEUM.DAT", data);
    // Both techniques complete on this building with different groupings.
    const std::string expected[2] = {batch({"--method", "1", data}, folder).out,
                                     batch({"--method", "2", data}, folder).out};
    ASSERT_NE(expected[0].find("report"), std::string::npos);
    ASSERT_NE(expected[1].find("report"), std::string::npos);

    std::vector<std::future<ProgramRun>> runs;
    for (int i = 0; i < 50; ++i)
        runs.push_back(std::async(std::launch::async, [&, i] {
            return batch({"--method", i % 2 == 0 ? "1" : "2", data}, folder);
        }));
    for (int i = 0; i < 50; ++i) {
        const ProgramRun run = runs[static_cast<std::size_t>(i)].get();
        EXPECT_EQ(run.end.exitStatus, 0) << "run " << i << ": " << run.err;
        EXPECT_EQ(run.out, expected[i % 2]) << "run " << i;
    }
}

// tower.DAT and an edited copy tower.txt in one folder write the same
// tower.out and tower.plt. Started at the same moment, round after round,
// each run prints its own file's results, as it does alone.
TEST(ParallelRuns, OnTwoFilesWhoseResultsShareTheirNamesEachPrintTheirOwn) {
    const ScratchFolder folder(tamsor::testing::memoryFolderParent());
    // Three clusters of six isolators, grouped into all nine sets by both
    // techniques; the copy has 918 for 912 on line 15, the same number of loads.
    std::vector<double> loads = {500, 100, 906, 502, 101, 909, 504, 102, 903,
                                 506, 103, 900, 508, 104, 912, 510, 105, 915};
    const std::string tower = folder.file("tower.DAT").string();
    write_file(tower, lines(loads));
    loads[14] = 918;
    const std::string copy = folder.file("tower.txt").string();
    write_file(copy, lines(loads));
    const std::vector<std::string> commands[2] = {{"--method", "2", tower},
                                                  {"--method", "2", copy}};
    const std::string expected[2] = {batch(commands[0], folder).out,
                                     batch(commands[1], folder).out};
    ASSERT_NE(expected[0].find("      9 "), std::string::npos) << expected[0];
    ASSERT_NE(expected[1], expected[0]);

    // Runs under the sanitizers take many times as long; finding races is the
    // optimised build's part.
#ifdef __SANITIZE_ADDRESS__
    constexpr int kRounds = 40;
#else
    constexpr int kRounds = 300;
#endif
    int wrong = 0;
    for (int round = 0; round < kRounds; ++round) {
        std::future<ProgramRun> runs[2];
        for (int side = 0; side < 2; ++side)
            runs[side] =
                std::async(std::launch::async, [&, side] { return batch(commands[side], folder); });
        for (int side = 0; side < 2; ++side) {
            const ProgramRun run = runs[side].get();
            const bool own =
                run.end.exitStatus == 0 && run.out == expected[side] && run.err.empty();
            if (!own && wrong++ == 0)
                ADD_FAILURE() << "round " << round << ", " << commands[side][2] << ": "
                              << run.end.exitStatus << "\n"
                              << run.out << run.err;
        }
    }
    EXPECT_EQ(wrong, 0);
}

}  // namespace
