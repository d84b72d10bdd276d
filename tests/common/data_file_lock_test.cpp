// SPDX-License-Identifier: GPL-3.0-or-later
// The lock on the result names that two data files of one stem share, on
// real files: it excludes, it leaves nothing behind, and it never removes
// what is not its own.
#include "tamsor/data_file_lock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "scratch_folder.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using tamsor::DataFileLock;
using tamsor::testing::read_file;
using tamsor::testing::ScratchFolder;
using tamsor::testing::write_file;

TEST(ResultNamesLockFile, IsHiddenBesideTheResultsAndNamedByTheirStem) {
    EXPECT_EQ(tamsor::resultNamesLockFile("/data/tower.DAT"), "/data/.tower.tamsor-lock");
    EXPECT_EQ(tamsor::resultNamesLockFile("/data/tower.txt  "), "/data/.tower.tamsor-lock");
    EXPECT_EQ(tamsor::resultNamesLockFile("/my data/b.v2.DAT"), "/my data/.b.v2.tamsor-lock");
    EXPECT_EQ(tamsor::resultNamesLockFile("tower"), ".tower.tamsor-lock");
    // Within the 255 bytes of a file name however long the data file's name.
    const std::string longName = "/d/" + std::string(251, 'x') + ".DAT";
    EXPECT_EQ(tamsor::resultNamesLockFile(longName),
              "/d/." + std::string(200, 'x') + ".tamsor-lock");
}

TEST(DataFileLock, ExcludesDataFilesWhoseResultsShareTheirNamesAndLeavesNothingBehind) {
    ScratchFolder folder;
    const fs::path tower = folder.file("tower.DAT");
    const fs::path copy = folder.file("tower.txt");
    const fs::path other = folder.file("hall.DAT");
    const fs::path lockFile = folder.file(".tower.tamsor-lock");
    for (const fs::path& data : {tower, copy, other})
        write_file(data, "100\n");
    {
        DataFileLock first(tower.c_str());
        ASSERT_TRUE(first.locked());
        EXPECT_TRUE(fs::exists(lockFile));
        // The edited copy writes the same tower.out and tower.plt: it waits.
        EXPECT_EQ(DataFileLock(copy.c_str(), 50ms).outcome(), DataFileLock::Outcome::kTimedOut);
        // A data file with results of its own does not.
        EXPECT_TRUE(DataFileLock(other.c_str(), 50ms).locked());
        // Given up, the wait leaves the holder's lock file in place.
        EXPECT_TRUE(fs::exists(lockFile));
    }
    EXPECT_FALSE(fs::exists(lockFile));
    EXPECT_TRUE(DataFileLock(copy.c_str(), 50ms).locked());

    // A lock file left by a run that crashed holds no one back and goes with
    // the next run.
    write_file(lockFile, "");
    EXPECT_TRUE(DataFileLock(tower.c_str(), 50ms).locked());
    EXPECT_FALSE(fs::exists(lockFile));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 3);
}

TEST(DataFileLock, NeverRemovesWhatIsNotItsOwnAndRunsWhereNoLockFileCanBeMade) {
    ScratchFolder folder;
    const fs::path tower = folder.file("tower.DAT");
    const fs::path copy = folder.file("tower.txt");
    const fs::path lockFile = folder.file(".tower.tamsor-lock");
    write_file(tower, "100\n");
    write_file(copy, "100\n");

    // A file of the user's under the lock file's name still excludes, and stays.
    write_file(lockFile, "notes\n");
    {
        DataFileLock first(tower.c_str());
        ASSERT_TRUE(first.locked());
        EXPECT_FALSE(DataFileLock(copy.c_str(), 50ms).locked());
    }
    EXPECT_EQ(read_file(lockFile), "notes\n");
    fs::remove(lockFile);

    // A folder under that name: the data file's own lock still keeps a second
    // run on the same file waiting.
    fs::create_directory(lockFile);
    {
        DataFileLock first(tower.c_str());
        ASSERT_TRUE(first.locked());
        EXPECT_FALSE(DataFileLock(tower.c_str(), 50ms).locked());
    }
    EXPECT_TRUE(fs::is_directory(lockFile));
    fs::remove(lockFile);

    // A link under that name is not followed, nor is what it leads to removed.
    write_file(folder.file("elsewhere"), "");
    fs::create_symlink("elsewhere", lockFile);
    EXPECT_TRUE(DataFileLock(tower.c_str(), 50ms).locked());
    EXPECT_TRUE(fs::is_symlink(lockFile));
    EXPECT_TRUE(fs::exists(folder.file("elsewhere")));
}

}  // namespace
