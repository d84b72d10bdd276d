#include "tamsor/data_file_lock.h"

#include <sys/file.h>

#include <algorithm>
#include <cerrno>
#include <thread>

namespace tamsor {

DataFileLock::DataFileLock(const char* path, const KeepWaiting& keepWaiting) {
    if (!file_.open(path)) {
        outcome_ = file_.fault() == LoadFaultKind::kNotARegularFile ? Outcome::kNotARegularFile
                                                                    : Outcome::kCannotOpen;
        return;
    }
    // Polled rather than blocking, so that a run that never lets go cannot
    // keep this one waiting for ever, and the caller is asked in between.
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    auto nextQuestion = start;
    auto pause = std::chrono::microseconds(200);
    for (;;) {
        if (::flock(file_.descriptor(), LOCK_EX | LOCK_NB) == 0) {
            outcome_ = Outcome::kLocked;
            return;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            // A file system without locks: run unlocked, as before locks existed.
            outcome_ = Outcome::kLocked;
            return;
        }
        const auto now = Clock::now();
        if (now >= nextQuestion) {
            const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(now - start);
            if (!keepWaiting || !keepWaiting(waited)) {
                outcome_ = Outcome::kTimedOut;
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
    // Closing the descriptor releases the lock.
    file_.close();
}

}  // namespace tamsor
