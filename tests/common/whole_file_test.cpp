// SPDX-License-Identifier: GPL-3.0-or-later
// Files written for the user whole or not at all, on real files.
#include "tamsor/whole_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "child_process.h"
#include "scratch_folder.h"

namespace {

namespace fs = std::filesystem;
using tamsor::WholeFileFault;
using tamsor::testing::read_file;
using tamsor::testing::ScratchFolder;
using tamsor::testing::write_file;

std::size_t filesIn(const fs::path& folder) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(WholeFile, ReplacesAFileWholeKeepingItsPermissionsAndItsLink) {
    ScratchFolder folder;
    const fs::path schedule = folder.file("schedule.csv");
    write_file(schedule, "earlier\n");
    fs::permissions(schedule,
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    // More than the writer holds back at once.
    const std::string large(200000, 'x');
    EXPECT_TRUE(tamsor::writeWholeFile(schedule.string(), large).ok());
    EXPECT_EQ(read_file(schedule), large);
    EXPECT_EQ(fs::status(schedule).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(filesIn(folder.path()), 1u);

    // Written in pieces, and dropped before the end: nothing changes.
    {
        tamsor::WholeFileWriter writer;
        ASSERT_TRUE(writer.open(schedule.string()));
        writer.write("half");
        EXPECT_EQ(filesIn(folder.path()), 2u);
    }
    EXPECT_EQ(read_file(schedule), large);
    EXPECT_EQ(filesIn(folder.path()), 1u);

    // Through a link, the file it leads to is replaced and the link stays.
    fs::create_symlink("schedule.csv", folder.file("latest.csv"));
    tamsor::WholeFileWriter writer;
    ASSERT_TRUE(writer.open(folder.file("latest.csv").string()));
    EXPECT_TRUE(writer.write("Type,Isolators\n") && writer.write("1,12\n"));
    ASSERT_TRUE(writer.commit());
    EXPECT_EQ(read_file(schedule), "Type,Isolators\n1,12\n");
    EXPECT_TRUE(fs::is_symlink(folder.file("latest.csv")));

    EXPECT_TRUE(tamsor::writeWholeFile(folder.file("new.csv").string(), "").ok());
    EXPECT_EQ(fs::file_size(folder.file("new.csv")), 0u);
}

TEST(WholeFile, ReplacesNothingItMayNotAndSaysWhy) {
    ScratchFolder folder;
    const auto failureOf = [&](const fs::path& path) {
        return tamsor::writeWholeFile(path.string(), "new\n");
    };
    fs::create_directory(folder.file("folder.csv"));
    EXPECT_EQ(failureOf(folder.file("folder.csv")).fault, WholeFileFault::kNotARegularFile);

    const fs::path locked = folder.file("locked.csv");
    write_file(locked, "earlier\n");
    fs::permissions(locked, fs::perms::owner_read);
    const tamsor::WholeFileFailure protectedFile = failureOf(locked);
    EXPECT_EQ(protectedFile.fault, WholeFileFault::kWriteProtected);
    EXPECT_EQ(tamsor::describeWholeFileFailure(protectedFile), "is write-protected");
    EXPECT_EQ(read_file(locked), "earlier\n");

    const tamsor::WholeFileFailure noFolder = failureOf(folder.file("none/b.csv"));
    EXPECT_EQ(noFolder.fault, WholeFileFault::kCannotCreate);
    EXPECT_EQ(tamsor::describeWholeFileFailure(noFolder), "No such file or directory");
    EXPECT_EQ(filesIn(folder.path()), 2u);
}

TEST(WholeFile, AFailedWriteLeavesTheEarlierFileAsItWasAndNoTemporary) {
    ScratchFolder folder;
    const fs::path report = folder.file("report.pdf");
    write_file(report, "earlier report\r\n");
    const auto end = tamsor::testing::runInChild(
        [&] {
            const tamsor::WholeFileFailure failure =
                tamsor::writeWholeFile(report.string(), std::string(50000, 'p'));
            if (failure.fault != WholeFileFault::kCannotWrite) return 10;
            return tamsor::describeWholeFileFailure(failure) == "File too large" ? 0 : 11;
        },
        {.fileSizeLimit = 20000});
    EXPECT_EQ(end.exitStatus, 0);
    EXPECT_EQ(read_file(report), "earlier report\r\n");
    EXPECT_EQ(filesIn(folder.path()), 1u);
}

}  // namespace
