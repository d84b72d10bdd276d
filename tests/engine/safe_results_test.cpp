// SPDX-License-Identifier: GPL-3.0-or-later
// What a run through the library's entry must never destroy: the data file
// and the result files of an earlier run. Real files, real engine.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "child_process.h"
#include "engine_test_support.h"

namespace {

namespace fs = std::filesystem;
using tamsor::testing::call_engine;
using tamsor::testing::load_lines;
using tamsor::testing::read_file;
using tamsor::testing::runInChild;
using tamsor::testing::ScratchFolder;
using tamsor::testing::write_file;

const std::string kEarlierReport = "earlier report\r\n";
const std::string kEarlierPlot = "earlier plot\r\n";

// Twenty equal loads: a complete run (status 0).
const std::string kTwentyEqual = load_lines(std::vector<double>(20, 500));
// Eleven loads 10..110 with the equal-count start stop at six types (status 2).
const std::string kStopsAtSix = load_lines({10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110});

// A hundred different loads: a report of 1467 bytes and a plot of 5800.
std::string hundredLoads() {
    std::vector<double> loads;
    for (int i = 1; i <= 100; ++i)
        loads.push_back(1000 + 7 * i + (i % 5) * 300);
    return load_lines(loads);
}

using tamsor::testing::namesIn;

// A folder with a data file and the result files of an earlier run.
struct EarlierRun {
    explicit EarlierRun(const std::string& loads, const fs::path& where = {})
        : folder(where.empty() ? scratch.path() : where) {
        write_file(data, loads);
        write_file(report, kEarlierReport);
        write_file(plot, kEarlierPlot);
    }
    // Both earlier result files as they were, and no temporary left behind.
    void expectUntouched(const std::string& what) const {
        EXPECT_EQ(read_file(report), kEarlierReport) << what;
        EXPECT_EQ(read_file(plot), kEarlierPlot) << what;
        EXPECT_EQ(namesIn(folder), (std::set<std::string>{"b.DAT", "b.out", "b.plt"})) << what;
    }

    ScratchFolder scratch;
    fs::path folder;
    fs::path data = folder / "b.DAT";
    fs::path report = folder / "b.out";
    fs::path plot = folder / "b.plt";
};

TEST(TheDataFile, IsNeverOverwrittenByItsOwnResults) {
    struct Case {
        const char* data;
        const char* what;
    };
    // Data files whose own name is a result name.
    for (const Case c :
         {Case{"loads.out", "named like the report"}, Case{"loads.plt", "named like the plot file"},
          Case{".out", "a hidden file named like a report"}}) {
        ScratchFolder folder;
        write_file(folder.file(c.data), kTwentyEqual);
        EXPECT_EQ(call_engine(folder.file(c.data), 1), 1) << c.what;
        EXPECT_EQ(read_file(folder.file(c.data)), kTwentyEqual) << c.what;
        EXPECT_EQ(namesIn(folder.path()), std::set<std::string>{c.data}) << c.what;
    }

    // Result names that lead to the data file through links.
    ScratchFolder folder;
    const auto data = folder.file("b.DAT");
    write_file(data, kTwentyEqual);
    fs::create_symlink("b.DAT", folder.file("b.out"));
    EXPECT_EQ(call_engine(data, 1), 1);
    EXPECT_TRUE(fs::is_symlink(folder.file("b.out")));
    fs::remove(folder.file("b.out"));
    fs::create_hard_link(data, folder.file("b.plt"));
    EXPECT_EQ(call_engine(data, 1), 1);
    EXPECT_EQ(fs::hard_link_count(data), 2u);
    fs::remove(folder.file("b.plt"));
    EXPECT_EQ(read_file(data), kTwentyEqual);
    EXPECT_EQ(namesIn(folder.path()), std::set<std::string>{"b.DAT"});

    // A data file that is itself a link to a file named like its report.
    ScratchFolder linked;
    write_file(linked.file("c.out"), kTwentyEqual);
    fs::create_symlink("c.out", linked.file("c.DAT"));
    EXPECT_EQ(call_engine(linked.file("c.DAT"), 1), 1);
    EXPECT_EQ(read_file(linked.file("c.out")), kTwentyEqual);
}

TEST(TheDataFile, ThatIsNoRegularFileIsRefusedAtOnce) {
    ScratchFolder folder;
    const auto fifo = folder.file("pipe.DAT");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    // With no writer an ordinary open waits for ever: the child is stopped
    // after a few seconds if the engine does.
    const auto end = runInChild([&] { return call_engine(fifo, 1); },
                                {.fileSizeLimit = {}, .patience = std::chrono::seconds(5)});
    EXPECT_FALSE(end.timedOut);
    EXPECT_EQ(end.exitStatus, 1);
    EXPECT_EQ(call_engine(folder.path() / "", 1), 1);  // a folder
    EXPECT_EQ(namesIn(folder.path()), std::set<std::string>{"pipe.DAT"});
}

TEST(EarlierResults, StayAsTheyWereWhenAResultFileCannotBeReplaced) {
    EarlierRun run(kTwentyEqual);
    fs::permissions(run.plot, fs::perms::owner_read | fs::perms::group_read);
    EXPECT_EQ(call_engine(run.data, 1), 1);
    run.expectUntouched("a write-protected plot file");
    fs::permissions(run.plot, fs::perms::owner_read | fs::perms::owner_write);

    fs::remove(run.report);
    fs::create_directory(run.report);
    EXPECT_EQ(call_engine(run.data, 1), 1);
    EXPECT_EQ(read_file(run.plot), kEarlierPlot);
    EXPECT_TRUE(fs::is_directory(run.report));
}

TEST(EarlierResults, StayAsTheyWereWhenAWriteFails) {
    EarlierRun run(hundredLoads());
    // The file size limit stops the plot file after a complete report, then
    // the report itself; the run must say so and replace nothing.
    for (const rlim_t limit : {3000, 1000}) {
        const auto end =
            runInChild([&] { return call_engine(run.data, 1); }, {.fileSizeLimit = limit});
        EXPECT_EQ(end.exitStatus, 1) << "limit " << limit;
        run.expectUntouched("file size limit " + std::to_string(limit));
    }
    // A write failure wins over an empty partition.
    write_file(run.data, kStopsAtSix);
    const auto end = runInChild([&] { return call_engine(run.data, 1); }, {.fileSizeLimit = 100});
    EXPECT_EQ(end.exitStatus, 1);
    run.expectUntouched("a run that also stops at six types");
}

// A small file system of its own, where the machine allows one (as root).
class FullDisk : public ::testing::Test {
  protected:
    void SetUp() override {
        mountPoint_ = scratch_.file("disk");
        fs::create_directory(mountPoint_);
        // Four pages: the data file and the two earlier result files take
        // three, so a new report fits but a plot file of two pages does not.
        if (::mount("tamsor-test", mountPoint_.c_str(), "tmpfs", 0, "size=16k") != 0)
            GTEST_SKIP() << "cannot mount a small tmpfs to fill (" << std::strerror(errno)
                         << "); needs root. The file size limit test covers failing writes.";
        mounted_ = true;
    }
    void TearDown() override {
        if (mounted_) ::umount2(mountPoint_.c_str(), MNT_DETACH);
    }
    ScratchFolder scratch_;
    fs::path mountPoint_;
    bool mounted_ = false;
};

TEST_F(FullDisk, LeavesTheEarlierResultsAsTheyWere) {
    EarlierRun run(hundredLoads(), mountPoint_);
    EXPECT_EQ(call_engine(run.data, 1), 1);
    run.expectUntouched("a full disk while writing the plot file");

    // Filled to the last page: not even the report of a run that stops fits.
    write_file(run.data, kStopsAtSix);
    write_file(mountPoint_ / "filler", std::string(4096, 'f'));
    EXPECT_EQ(call_engine(run.data, 1), 1);
    fs::remove(mountPoint_ / "filler");
    run.expectUntouched("a full disk and a run that stops at six types");
}

TEST(EarlierResults, OfARunThatStopsKeepTheirPlotFile) {
    EarlierRun run(kStopsAtSix);
    EXPECT_EQ(call_engine(run.data, 1), 2);
    // Result sets 1 to 5 replace the report; the plot file is not written.
    EXPECT_EQ(read_file(run.report).substr(0, 47),
              "   1     1000.00       22         1        12\r\n");
    EXPECT_EQ(read_file(run.plot), kEarlierPlot);
    EXPECT_EQ(namesIn(run.folder), (std::set<std::string>{"b.DAT", "b.out", "b.plt"}));
}

TEST(EarlierResults, StayWhenTheLoadsOverflowSinglePrecision) {
    // 1e30 squared is beyond single precision: the totals would be infinite.
    std::vector<double> loads(20, 1e30);
    loads[0] = 2e30;
    EarlierRun run(load_lines(loads));
    EXPECT_EQ(call_engine(run.data, 1), 1);
    run.expectUntouched("loads of 1e30");

    // Loads far beyond the report's fields but whose sums stay finite are
    // written, as asterisks where a figure does not fit.
    std::vector<double> wide(20, 1e17);
    wide[0] = 3e17;
    write_file(run.data, load_lines(wide));
    ASSERT_EQ(call_engine(run.data, 1), 0);
    // Mean 1.1e17, squared differences 19 * 1e32 + 3.61e34 = 3.8e34 / 20.
    EXPECT_EQ(read_file(run.report).substr(0, 16), "   1************");
}

}  // namespace
