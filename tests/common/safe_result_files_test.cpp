// SPDX-License-Identifier: GPL-3.0-or-later
// The safe writing of a result pair and the lock on a data file, on real
// files.
#include "tamsor/safe_result_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "child_process.h"
#include "scratch_folder.h"
#include "tamsor/data_file.h"
#include "tamsor/data_file_lock.h"

namespace {

namespace fs = std::filesystem;
using tamsor::ResultFault;
using tamsor::testing::read_file;
using tamsor::testing::ScratchFolder;
using tamsor::testing::write_file;

class SafeResultFiles : public ::testing::Test {
  protected:
    SafeResultFiles() {
        write_file(data_, "100\n");
        write_file(report_, "earlier report\r\n");
        write_file(plot_, "earlier plot\r\n");
        tamsor::DataFile file;
        EXPECT_TRUE(file.open(data_.c_str()));
        identity_ = file.identity();
    }
    ResultFault faultOf(const fs::path& name) {
        tamsor::ResultFile file;
        file.check(name.c_str(), identity_);
        return file.failure().fault;
    }
    // Only the data file and the two result files: no temporary left over.
    std::size_t filesInFolder() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(folder_.path()), fs::directory_iterator()));
    }

    ScratchFolder folder_;
    fs::path data_ = folder_.file("b.DAT");
    fs::path report_ = folder_.file("b.out");
    fs::path plot_ = folder_.file("b.plt");
    tamsor::FileIdentity identity_;
};

TEST_F(SafeResultFiles, RefusesANameThatIsTheDataFileOrCannotBeReplacedSafely) {
    EXPECT_EQ(faultOf(report_), ResultFault::kNone);
    EXPECT_EQ(faultOf(folder_.file("new.out")), ResultFault::kNone);
    EXPECT_EQ(faultOf(data_), ResultFault::kIsTheDataFile);

    fs::create_symlink("b.DAT", folder_.file("link.out"));
    EXPECT_EQ(faultOf(folder_.file("link.out")), ResultFault::kIsTheDataFile);
    fs::create_hard_link(data_, folder_.file("hard.out"));
    EXPECT_EQ(faultOf(folder_.file("hard.out")), ResultFault::kIsTheDataFile);

    // A link elsewhere would be replaced by a file, a folder cannot be.
    fs::create_symlink("b.out", folder_.file("other.out"));
    EXPECT_EQ(faultOf(folder_.file("other.out")), ResultFault::kNotARegularFile);
    fs::create_symlink("nowhere", folder_.file("dangling.out"));
    EXPECT_EQ(faultOf(folder_.file("dangling.out")), ResultFault::kNotARegularFile);
    fs::create_directory(folder_.file("folder.out"));
    EXPECT_EQ(faultOf(folder_.file("folder.out")), ResultFault::kNotARegularFile);

    // Write-protected, for root too.
    fs::permissions(plot_, fs::perms::owner_read | fs::perms::group_read);
    EXPECT_EQ(faultOf(plot_), ResultFault::kReadOnly);
    EXPECT_EQ(faultOf(folder_.file("b.DAT/b.out")), ResultFault::kCannotCheck);
}

TEST_F(SafeResultFiles, ReplacesBothOnlyWhenBothAreCompleteAndKeepsPermissions) {
    fs::permissions(report_, fs::perms::owner_read | fs::perms::owner_write);
    {
        tamsor::ResultFilePair pair(report_.c_str(), plot_.c_str());
        ASSERT_TRUE(pair.check(identity_));
        ASSERT_TRUE(pair.openReport() && pair.openPlot());
        pair.report().write("new report\r\n");
        pair.plot().write(std::string(20000, 'p'));  // more than one buffer
        // Nothing is replaced before the commit.
        EXPECT_EQ(read_file(report_), "earlier report\r\n");
        EXPECT_EQ(filesInFolder(), 5u);
        ASSERT_TRUE(pair.commit());
    }
    EXPECT_EQ(read_file(report_), "new report\r\n");
    EXPECT_EQ(read_file(plot_), std::string(20000, 'p'));
    EXPECT_EQ(fs::status(report_).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(filesInFolder(), 3u);

    // A pair given up on, or dropped, leaves the files as they were.
    {
        tamsor::ResultFilePair pair(report_.c_str(), plot_.c_str());
        ASSERT_TRUE(pair.check(identity_) && pair.openReport() && pair.openPlot());
        pair.report().write("half");
    }
    EXPECT_EQ(read_file(report_), "new report\r\n");
    EXPECT_EQ(filesInFolder(), 3u);

    // A report alone keeps the earlier plot file.
    tamsor::ResultFilePair reportOnly(report_.c_str(), plot_.c_str());
    ASSERT_TRUE(reportOnly.check(identity_) && reportOnly.openReport());
    reportOnly.report().write("stopped\r\n");
    ASSERT_TRUE(reportOnly.commit());
    EXPECT_EQ(read_file(report_), "stopped\r\n");
    EXPECT_EQ(read_file(plot_), std::string(20000, 'p'));
}

TEST_F(SafeResultFiles, AWriteThatFailsReplacesNothingAndSaysWhy) {
    // The plot file grows beyond the file size limit after the report is done.
    const auto end = tamsor::testing::runInChild(
        [&] {
            tamsor::ResultFilePair pair(report_.c_str(), plot_.c_str());
            if (!pair.check(identity_) || !pair.openReport() || !pair.openPlot()) return 10;
            pair.report().write("new report\r\n");
            pair.plot().write(std::string(50000, 'p'));
            if (pair.commit()) return 11;
            const auto& failure = pair.failure();
            if (failure.fault != ResultFault::kCannotWrite) return 12;
            if (std::string(failure.file) != plot_.string()) return 13;
            return std::string(tamsor::describeResultFault(failure)) == "File too large" ? 0 : 14;
        },
        {.fileSizeLimit = 20000});
    EXPECT_EQ(end.exitStatus, 0);
    EXPECT_EQ(read_file(report_), "earlier report\r\n");
    EXPECT_EQ(read_file(plot_), "earlier plot\r\n");
    EXPECT_EQ(filesInFolder(), 3u);
}

TEST(DataFileLock, KeepsASecondRunWaitingUntilTheFirstIsDone) {
    ScratchFolder folder;
    const auto data = folder.file("b.DAT");
    write_file(data, "100\n");
    {
        tamsor::DataFileLock first(data.c_str());
        ASSERT_TRUE(first.locked());
        // flock locks belong to an open file, so a second lock in the same
        // process waits like another process's would.
        tamsor::DataFileLock second(data.c_str(), std::chrono::milliseconds(50));
        EXPECT_EQ(second.outcome(), tamsor::DataFileLock::Outcome::kTimedOut);
    }
    tamsor::DataFileLock third(data.c_str(), std::chrono::milliseconds(50));
    EXPECT_TRUE(third.locked());
    EXPECT_EQ(tamsor::DataFileLock(folder.file("none.DAT").c_str()).outcome(),
              tamsor::DataFileLock::Outcome::kCannotOpen);
    EXPECT_EQ(tamsor::DataFileLock(folder.path().c_str()).outcome(),
              tamsor::DataFileLock::Outcome::kNotARegularFile);
}

}  // namespace
