// SPDX-License-Identifier: GPL-3.0-or-later
// Files for the user and result files on a full disk: whatever write, flush,
// sync or rename fails, the earlier file stays byte for byte and the system's
// reason is reported. First on a real file system that fills up (a small
// tmpfs in a private mount namespace, where the machine allows mounting),
// then with system calls that fail at a chosen byte or step.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "scratch_folder.h"
#include "tamsor/safe_result_files.h"
#include "tamsor/whole_file.h"

namespace {

namespace fs = std::filesystem;
using tamsor::ResultFault;
using tamsor::WholeFileFault;
using tamsor::testing::read_file;
using tamsor::testing::ScratchFolder;
using tamsor::testing::write_file;

using tamsor::testing::namesIn;

// A schedule CSV of a few hundred bytes and a PDF report of tens of KiB.
const std::string kEarlierCsv = "type,isolators\r\n1,12\r\n2,24\r\n";
const std::string kNewCsv(300, 'c');
const std::string kEarlierPdf(20000, 'e');
const std::string kNewPdf(40000, 'p');
const std::string kEarlierReport = "earlier report\r\n";
const std::string kEarlierPlot = "earlier plot\r\n";
const std::string kNewReport(600, 'r');
const std::string kNewPlot(40000, 'l');

// A tmpfs of 256 KiB and 64 files, mounted over a scratch folder in a mount
// namespace of this test's own, so that nothing is seen outside it.
class SmallDisk : public ::testing::Test {
  protected:
    void SetUp() override {
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            GTEST_SKIP() << "no private mount namespace here (" << std::strerror(errno)
                         << "); the injected failures below cover the same paths";
        fs::create_directory(disk_);
        if (::mount("tamsor-test", disk_.c_str(), "tmpfs", 0, "size=256k,nr_inodes=64") != 0)
            GTEST_SKIP() << "cannot mount a tmpfs here (" << std::strerror(errno)
                         << "); the injected failures below cover the same paths";
        mounted_ = true;
    }
    void TearDown() override {
        if (mounted_) ::umount2(disk_.c_str(), MNT_DETACH);
    }

    // Fills the disk with a file of its own but `freeBytes` (whole pages).
    void fill(std::size_t freeBytes) {
        const int filler = ::open(file("filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(filler, 0);
        const std::string page(4096, 'f');
        off_t size = 0;
        while (::write(filler, page.data(), page.size()) == static_cast<ssize_t>(page.size()))
            size += static_cast<off_t>(page.size());
        EXPECT_EQ(errno, ENOSPC);
        ASSERT_EQ(::ftruncate(filler, size - static_cast<off_t>(freeBytes)), 0);
        ::close(filler);
    }
    void empty() { fs::remove(file("filler")); }
    fs::path file(const std::string& name) const { return disk_ / name; }

    ScratchFolder folder_;
    fs::path disk_ = folder_.file("disk");
    fs::path report_ = disk_ / "b.out";  // the result names outlive the writers
    fs::path plot_ = disk_ / "b.plt";
    bool mounted_ = false;
};

TEST_F(SmallDisk, AFileForTheUserStaysAsItWasWhenTheDiskIsFull) {
    struct Case {
        std::string name, earlier, content;
        std::size_t freeBytes;
    };
    for (const Case& c : {Case{"schedule.csv", kEarlierCsv, kNewCsv, 0},
                          Case{"report.pdf", kEarlierPdf, kNewPdf, 0},
                          Case{"report.pdf", kEarlierPdf, kNewPdf, 8192}}) {
        SCOPED_TRACE(c.name + " with " + std::to_string(c.freeBytes) + " bytes free");
        write_file(file(c.name), c.earlier);
        fill(c.freeBytes);
        const tamsor::WholeFileFailure failure = tamsor::writeWholeFile(file(c.name), c.content);
        EXPECT_EQ(failure.fault, WholeFileFault::kCannotWrite);
        EXPECT_EQ(tamsor::describeWholeFileFailure(failure), "No space left on device");
        EXPECT_EQ(read_file(file(c.name)), c.earlier);
        EXPECT_EQ(namesIn(disk_), (std::set<std::string>{c.name, "filler"}));

        // With room again, the next export goes through.
        empty();
        EXPECT_TRUE(tamsor::writeWholeFile(file(c.name), c.content).ok());
        EXPECT_EQ(read_file(file(c.name)), c.content);
        fs::remove(file(c.name));
    }
}

TEST_F(SmallDisk, ResultFilesStayAsTheyWereWhenTheDiskIsFull) {
    struct Case {
        std::size_t plotSize, freeBytes;
        std::string failing;
    };
    // No room: the plot file's first 8 KiB and the report fail, the report is
    // named. One page: the report fits, the plot file not.
    for (const Case& c : {Case{kNewPlot.size(), 0, "b.out"}, Case{6000, 4096, "b.plt"}}) {
        SCOPED_TRACE(std::to_string(c.freeBytes) + " bytes free");
        write_file(report_, kEarlierReport);
        write_file(plot_, kEarlierPlot);
        fill(c.freeBytes);
        tamsor::ResultFilePair pair(report_.c_str(), plot_.c_str());
        ASSERT_TRUE(pair.check({}) && pair.openReport() && pair.openPlot());
        pair.report().write(kNewReport);
        pair.plot().write(kNewPlot.substr(0, c.plotSize));
        EXPECT_FALSE(pair.commit());
        EXPECT_EQ(pair.failure().fault, ResultFault::kCannotWrite);
        EXPECT_EQ(pair.failure().systemError, ENOSPC);
        EXPECT_EQ(fs::path(pair.failure().file).filename().string(), c.failing);
        EXPECT_EQ(read_file(report_), kEarlierReport);
        EXPECT_EQ(read_file(plot_), kEarlierPlot);
        EXPECT_EQ(namesIn(disk_), (std::set<std::string>{"b.out", "b.plt", "filler"}));
        empty();
    }
}

TEST_F(SmallDisk, NoFileCanBeMadeWhenTheDiskHasNoneLeft) {
    write_file(file("schedule.csv"), kEarlierCsv);
    write_file(file("b.out"), kEarlierReport);
    for (int i = 0;; ++i) {
        const int made = ::open(file("f" + std::to_string(i)).c_str(), O_CREAT | O_WRONLY, 0644);
        if (made < 0) break;
        ::close(made);
    }
    ASSERT_EQ(errno, ENOSPC);
    const tamsor::WholeFileFailure failure = tamsor::writeWholeFile(file("schedule.csv"), kNewCsv);
    EXPECT_EQ(failure.fault, WholeFileFault::kCannotCreate);
    EXPECT_EQ(failure.systemError, ENOSPC);
    EXPECT_EQ(read_file(file("schedule.csv")), kEarlierCsv);

    tamsor::ResultFilePair pair(report_.c_str(), plot_.c_str());
    ASSERT_TRUE(pair.check({}));
    EXPECT_FALSE(pair.openReport());
    EXPECT_EQ(pair.failure().fault, ResultFault::kCannotCreate);
    EXPECT_EQ(pair.failure().systemError, ENOSPC);
    EXPECT_EQ(read_file(file("b.out")), kEarlierReport);
}

// System calls that fail for one file (named by its final name) at one step:
// a write once `atByte` bytes of it are written, its sync or its rename.
class FaultyFiles : public tamsor::FileOperations {
  public:
    enum class Step { kWrite, kShortWrite, kSync, kRename };
    FaultyFiles(std::string file, Step step, int error, std::size_t atByte = 0)
        : file_(std::move(file)), step_(step), error_(error), atByte_(atByte) {}

    ssize_t write(int descriptor, const char* data, std::size_t size) override {
        if (!isTheFile(descriptor) || (step_ != Step::kWrite && step_ != Step::kShortWrite))
            return FileOperations::write(descriptor, data, size);
        std::size_t& written = written_[descriptor];
        if (step_ == Step::kShortWrite) {
            // Claims every byte but leaves the last one out.
            if (FileOperations::write(descriptor, data, size - 1) < 0) return -1;
            written += size;
            return static_cast<ssize_t>(size);
        }
        if (written >= atByte_) {
            errno = error_;
            return -1;
        }
        const ssize_t result =
            FileOperations::write(descriptor, data, std::min(size, atByte_ - written));
        if (result > 0) written += static_cast<std::size_t>(result);
        return result;
    }
    int sync(int descriptor) override {
        if (step_ == Step::kSync && isTheFile(descriptor)) {
            errno = error_;
            return -1;
        }
        return FileOperations::sync(descriptor);
    }
    int rename(const char* from, const char* to) override {
        if (step_ == Step::kRename && fs::path(to).filename() == file_) {
            errno = error_;
            return -1;
        }
        return FileOperations::rename(from, to);
    }

  private:
    // Whether `descriptor` is open on a temporary of the file.
    bool isTheFile(int descriptor) const {
        const fs::path open = fs::read_symlink("/proc/self/fd/" + std::to_string(descriptor));
        return open.filename().string().starts_with(file_ + ".");
    }

    std::string file_;
    Step step_;
    int error_;
    std::size_t atByte_;
    std::map<int, std::size_t> written_;
};

using Step = FaultyFiles::Step;

TEST(InjectedFailures, AFileForTheUserStaysAsItWasWhateverStepFails) {
    struct Case {
        Step step;
        std::size_t atByte;
        int error;
        WholeFileFault fault;
    };
    const std::vector<Case> cases = {
        {Step::kWrite, 0, ENOSPC, WholeFileFault::kCannotWrite},
        {Step::kWrite, 100, ENOSPC, WholeFileFault::kCannotWrite},
        {Step::kWrite, 299, EDQUOT, WholeFileFault::kCannotWrite},
        {Step::kWrite, 20000, EIO, WholeFileFault::kCannotWrite},
        {Step::kShortWrite, 0, EIO, WholeFileFault::kCannotWrite},
        {Step::kSync, 0, ENOSPC, WholeFileFault::kCannotSync},
        {Step::kSync, 0, EIO, WholeFileFault::kCannotSync},
        {Step::kRename, 0, ENOSPC, WholeFileFault::kCannotReplace},
        {Step::kRename, 0, EROFS, WholeFileFault::kCannotReplace},
    };
    ScratchFolder folder;
    for (const auto& [earlier, content] :
         {std::pair{kEarlierCsv, kNewCsv}, {kEarlierPdf, kNewPdf}}) {
        const fs::path path = folder.file(content.size() < 1000 ? "schedule.csv" : "report.pdf");
        write_file(path, earlier);
        for (const Case& c : cases) {
            if (c.atByte >= content.size()) continue;
            SCOPED_TRACE(path.filename().string() + ", step " +
                         std::to_string(static_cast<int>(c.step)) + " at byte " +
                         std::to_string(c.atByte) + ": " + std::strerror(c.error));
            FaultyFiles files(path.filename().string(), c.step, c.error, c.atByte);
            const tamsor::WholeFileFailure failure = tamsor::writeWholeFile(path, content, files);
            EXPECT_EQ(failure.fault, c.fault);
            EXPECT_EQ(tamsor::describeWholeFileFailure(failure), std::strerror(c.error));
            EXPECT_EQ(read_file(path), earlier);
            EXPECT_EQ(namesIn(folder.path()), std::set<std::string>{path.filename().string()});
        }
        fs::remove(path);
    }
}

TEST(InjectedFailures, ResultFilesStayAsTheyWereWhateverStepFails) {
    struct Case {
        std::string file;
        Step step;
        std::size_t atByte;
        ResultFault fault;
    };
    const std::vector<Case> cases = {
        {"b.out", Step::kWrite, 0, ResultFault::kCannotWrite},
        {"b.out", Step::kWrite, 599, ResultFault::kCannotWrite},
        {"b.plt", Step::kWrite, 0, ResultFault::kCannotWrite},
        {"b.plt", Step::kWrite, 20000, ResultFault::kCannotWrite},
        {"b.plt", Step::kWrite, 39999, ResultFault::kCannotWrite},
        {"b.out", Step::kShortWrite, 0, ResultFault::kCannotWrite},
        {"b.out", Step::kSync, 0, ResultFault::kCannotSync},
        {"b.plt", Step::kSync, 0, ResultFault::kCannotSync},
        {"b.out", Step::kRename, 0, ResultFault::kCannotReplace},
        // The report is in place when the plot file's rename fails: the
        // earlier report is put back.
        {"b.plt", Step::kRename, 0, ResultFault::kCannotReplace},
    };
    ScratchFolder folder;
    const fs::path report = folder.file("b.out");
    const fs::path plot = folder.file("b.plt");
    write_file(report, kEarlierReport);
    write_file(plot, kEarlierPlot);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file + ", step " + std::to_string(static_cast<int>(c.step)) + " at byte " +
                     std::to_string(c.atByte));
        FaultyFiles files(c.file, c.step, ENOSPC, c.atByte);
        tamsor::ResultFilePair pair(report.c_str(), plot.c_str(), files);
        ASSERT_TRUE(pair.check({}) && pair.openReport() && pair.openPlot());
        pair.report().write(kNewReport);
        pair.plot().write(kNewPlot);
        EXPECT_FALSE(pair.commit());
        EXPECT_EQ(pair.failure().fault, c.fault);
        EXPECT_EQ(fs::path(pair.failure().file).filename(), c.file);
        EXPECT_EQ(std::string(tamsor::describeResultFault(pair.failure())),
                  c.step == Step::kShortWrite ? std::strerror(EIO) : std::strerror(ENOSPC));
        EXPECT_EQ(read_file(report), kEarlierReport);
        EXPECT_EQ(read_file(plot), kEarlierPlot);
        EXPECT_EQ(namesIn(folder.path()), (std::set<std::string>{"b.out", "b.plt"}));
    }

    // Failing elsewhere changes nothing for these two.
    FaultyFiles elsewhere("c.out", Step::kWrite, ENOSPC);
    tamsor::ResultFilePair pair(report.c_str(), plot.c_str(), elsewhere);
    ASSERT_TRUE(pair.check({}) && pair.openReport() && pair.openPlot());
    pair.report().write(kNewReport);
    pair.plot().write(kNewPlot);
    ASSERT_TRUE(pair.commit());
    EXPECT_EQ(read_file(report), kNewReport);
    EXPECT_EQ(read_file(plot), kNewPlot);
    EXPECT_EQ(namesIn(folder.path()), (std::set<std::string>{"b.out", "b.plt"}));
}

}  // namespace
