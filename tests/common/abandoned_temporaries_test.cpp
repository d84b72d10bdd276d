// SPDX-License-Identifier: GPL-3.0-or-later
// Temporaries left beside a result or export by a writer that ended before it
// finished: removed by the next writer of the same name, and only those.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <set>
#include <string>

#include "scratch_folder.h"
#include "tamsor/safe_result_files.h"
#include "tamsor/whole_file.h"

namespace {

namespace fs = std::filesystem;
using tamsor::testing::read_file;
using tamsor::testing::ScratchFolder;
using tamsor::testing::write_file;

using tamsor::testing::namesIn;

// The number of a process that has ended.
pid_t endedProcess() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

// A process that lives until the test ends.
class LiveProcess {
  public:
    LiveProcess() : pid_(::fork()) {
        if (pid_ == 0) {
            ::pause();
            ::_exit(0);
        }
    }
    ~LiveProcess() {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    pid_t pid() const { return pid_; }

  private:
    pid_t pid_;
};

// Written long before any process of this test started.
void dateBack(const fs::path& file) {
    fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::hours(24 * 365 * 20));
}

TEST(AbandonedTemporaries, OnlyThoseOfTheSameNameWhoseWriterEndedAreRemoved) {
    ScratchFolder folder;
    write_file(folder.file("schedule.csv"), "earlier\r\n");
    const LiveProcess live;
    const std::string ended = std::to_string(endedProcess());
    const std::string own = std::to_string(::getpid());
    const std::string other = std::to_string(live.pid());
    const auto temporary = [&](const std::string& name) {
        write_file(folder.file(name), "torn");
        return name;
    };

    const std::set<std::string> abandoned = {
        temporary("schedule.csv." + ended + "-0.tmp"),
        temporary("schedule.csv." + ended + "-99.tmp"),
    };
    // A number used again: by this process, by another that lives, each
    // started after the temporary was last written.
    const std::set<std::string> reused = {
        temporary("schedule.csv." + own + "-5.tmp"),
        temporary("schedule.csv." + other + "-0.tmp"),
    };
    for (const auto& name : reused)
        dateBack(folder.file(name));

    const std::set<std::string> kept = {
        // Being written: by this process, by another that lives, and by one
        // whose number says nothing here (another machine on a shared
        // folder), which holds it locked.
        temporary("schedule.csv." + own + "-6.tmp"),
        temporary("schedule.csv." + other + "-1.tmp"),
        temporary("schedule.csv." + ended + "-1.tmp"),
        // Not temporaries of this name.
        temporary("schedule.csv." + ended + "-0.tmp.bak"),
        temporary("schedule.csv." + ended + ".tmp"),
        temporary("schedule.csv." + ended + "-100.tmp"),
        temporary("schedule.csv.0" + ended + "-0.tmp"),
        temporary("schedule.csv.+" + ended + "-0.tmp"),
        temporary("schedule.csv." + ended + "--1.tmp"),
        temporary("schedule.csv.0-0.tmp"),
        temporary("schedule.csvx." + ended + "-0.tmp"),
        temporary("other.csv." + ended + "-0.tmp"),
        temporary("schedule.csv." + ended + "-0.TMP"),
        "schedule.csv." + ended + "-2.tmp",
        "schedule.csv." + ended + "-3.tmp",
    };
    fs::create_directory(folder.file("schedule.csv." + ended + "-2.tmp"));
    fs::create_symlink("schedule.csv", folder.file("schedule.csv." + ended + "-3.tmp"));
    const int held = ::open(folder.file("schedule.csv." + ended + "-1.tmp").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);

    ASSERT_TRUE(tamsor::writeWholeFile(folder.file("schedule.csv").string(), "new\r\n").ok());
    ::close(held);
    std::set<std::string> expected = kept;
    expected.insert("schedule.csv");
    EXPECT_EQ(namesIn(folder.path()), expected);
    EXPECT_EQ(read_file(folder.file("schedule.csv")), "new\r\n");
    EXPECT_EQ(read_file(folder.file("schedule.csv." + ended + "-3.tmp")), "new\r\n");
}

TEST(AbandonedTemporaries, ARunRemovesThoseOfItsResultFilesAndNeverReadsThem) {
    ScratchFolder folder;
    write_file(folder.file("b.DAT"), "100\n");
    write_file(folder.file("b.out"), "earlier report\r\n");
    const std::string ended = std::to_string(endedProcess());
    // Left by a run that crashed, one under the number this run will use.
    write_file(folder.file("b.out." + ended + "-0.tmp"), "torn report");
    write_file(folder.file("b.plt." + ended + "-0.tmp"), "torn plot");
    const std::string own = "b.out." + std::to_string(::getpid()) + "-0.tmp";
    write_file(folder.file(own), "torn report of a run with this number");
    dateBack(folder.file(own));

    const fs::path report = folder.file("b.out");
    const fs::path plot = folder.file("b.plt");
    tamsor::ResultFilePair pair(report.c_str(), plot.c_str());
    ASSERT_TRUE(pair.check({}) && pair.openReport() && pair.openPlot());
    pair.report().write("new report\r\n");
    pair.plot().write("new plot\r\n");
    ASSERT_TRUE(pair.commit());
    EXPECT_EQ(namesIn(folder.path()), (std::set<std::string>{"b.DAT", "b.out", "b.plt"}));
    EXPECT_EQ(read_file(folder.file("b.out")), "new report\r\n");
    EXPECT_EQ(read_file(folder.file("b.plt")), "new plot\r\n");
}

TEST(AbandonedTemporaries, TwoWritersOfOneNameLeaveEachOtherAlone) {
    ScratchFolder folder;
    const std::string schedule = folder.file("schedule.csv").string();
    tamsor::WholeFileWriter first;
    ASSERT_TRUE(first.open(schedule) && first.write("first\r\n"));
    ASSERT_TRUE(tamsor::writeWholeFile(schedule, "second\r\n").ok());
    EXPECT_EQ(namesIn(folder.path()).size(), 2u);
    ASSERT_TRUE(first.commit());
    EXPECT_EQ(read_file(schedule), "first\r\n");
    EXPECT_EQ(namesIn(folder.path()), std::set<std::string>{"schedule.csv"});
}

}  // namespace
