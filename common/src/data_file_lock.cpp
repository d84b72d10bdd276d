// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/data_file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <thread>

#include "tamsor/result_names.h"

namespace tamsor {
namespace {

// Room for "." and ".tamsor-lock" within the 255 bytes a file name may take.
constexpr std::size_t kLongestLockBase = 200;

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Opened for writing where it may be, as a network file system locks only
// such files; else read-only, which flock takes elsewhere, for a lock file
// another user's run made. Never through a link, never waiting on a FIFO.
int openLockFile(const char* name) {
    constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
    const int descriptor = ::open(name, O_RDWR | O_CREAT | kFlags, 0666);
    if (descriptor >= 0 || errno != EACCES) return descriptor;
    return ::open(name, O_RDONLY | kFlags);
}

}  // namespace

std::string resultNamesLockFile(std::string_view inputPath) {
    const std::string_view stem = resultStem(inputPath);
    const std::size_t slash = stem.rfind('/');
    const std::size_t baseStart = slash == std::string_view::npos ? 0 : slash + 1;
    const std::string_view base = stem.substr(baseStart, kLongestLockBase);
    std::string name(stem.substr(0, baseStart));
    name += '.';
    name += base;
    name += ".tamsor-lock";
    return name;
}

ResultNamesLock::Attempt ResultNamesLock::tryLock() {
    if (held_) return Attempt::kHeld;
    // Each start again follows a holder that let go; a few in one try, the
    // rest in the caller's next.
    for (int start = 0; start < 4; ++start) {
        if (descriptor_ < 0) {
            descriptor_ = openLockFile(lockFile_.c_str());
            if (descriptor_ < 0) return Attempt::kUnavailable;
            struct stat status {};
            if (::fstat(descriptor_, &status) != 0 || !S_ISREG(status.st_mode)) {
                closeFile();
                return Attempt::kUnavailable;
            }
        }
        if (::flock(descriptor_, LOCK_EX | LOCK_NB) != 0) {
            if (errno == EWOULDBLOCK || errno == EINTR) return Attempt::kBusy;
            closeFile();
            return Attempt::kUnavailable;
        }
        // Still the file under the name, or one its holder removed meanwhile?
        struct stat locked {};
        struct stat named {};
        if (::fstat(descriptor_, &locked) == 0 && ::lstat(lockFile_.c_str(), &named) == 0 &&
            sameFile(locked, named)) {
            held_ = true;
            return Attempt::kHeld;
        }
        closeFile();
    }
    return Attempt::kBusy;
}

void ResultNamesLock::release() {
    if (held_) {
        // Removed while still locked, so that a run waiting on this file
        // starts again on a new one. Only an empty file: a lock file never
        // holds anything, and a file of the user's under this name stays.
        struct stat locked {};
        struct stat named {};
        if (::fstat(descriptor_, &locked) == 0 && locked.st_size == 0 &&
            ::lstat(lockFile_.c_str(), &named) == 0 && sameFile(locked, named))
            ::unlink(lockFile_.c_str());
    }
    closeFile();
}

void ResultNamesLock::closeFile() {
    // Closing the descriptor lets go of the lock.
    if (descriptor_ >= 0) ::close(descriptor_);
    descriptor_ = -1;
    held_ = false;
}

bool DataFileLock::tryLockDataFile() {
    if (::flock(file_.descriptor(), LOCK_EX | LOCK_NB) == 0) return true;
    // A file system without locks: run unlocked, as before locks existed.
    return errno != EWOULDBLOCK && errno != EINTR;
}

DataFileLock::DataFileLock(const char* path, const KeepWaiting& keepWaiting)
    : names_(resultNamesLockFile(path)) {
    if (!file_.open(path)) {
        outcome_ = file_.fault() == LoadFaultKind::kNotARegularFile ? Outcome::kNotARegularFile
                                                                    : Outcome::kCannotOpen;
        return;
    }
    // Polled rather than blocking, so that a run that never lets go cannot
    // keep this one waiting for ever, and the caller is asked in between.
    // The data file first, then the names: a run holds at most one names
    // lock, and waits for it holding only its own data file, so two runs
    // never wait for each other.
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    auto nextQuestion = start;
    auto pause = std::chrono::microseconds(200);
    bool dataFileLocked = false;
    for (;;) {
        if (!dataFileLocked) dataFileLocked = tryLockDataFile();
        if (dataFileLocked && names_.tryLock() != ResultNamesLock::Attempt::kBusy) {
            outcome_ = Outcome::kLocked;
            return;
        }
        const auto now = Clock::now();
        if (now >= nextQuestion) {
            const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(now - start);
            if (!keepWaiting || !keepWaiting(waited)) {
                outcome_ = Outcome::kTimedOut;
                names_.release();
                file_.close();
                return;
            }
            nextQuestion = now + kLockWaitInterval;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::microseconds(20000));
    }
}

DataFileLock::DataFileLock(const char* path, std::chrono::milliseconds patience)
    : DataFileLock(path,
                   [patience](std::chrono::milliseconds waited) { return waited < patience; }) {}

DataFileLock::~DataFileLock() {
    names_.release();
    // Closing the descriptor releases the lock.
    file_.close();
}

}  // namespace tamsor
