#include "tamsor/data_file_lock.h"

#include <sys/file.h>

#include <algorithm>
#include <cerrno>
#include <thread>

namespace tamsor {

DataFileLock::DataFileLock(const char* path, std::chrono::milliseconds patience) {
    if (!file_.open(path)) {
        outcome_ = file_.fault() == LoadFaultKind::kNotARegularFile ? Outcome::kNotARegularFile
                                                                    : Outcome::kCannotOpen;
        return;
    }
    // Polled rather than blocking, so that a run that never lets go cannot
    // keep this one waiting for ever.
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + patience;
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
        if (Clock::now() >= deadline) {
            outcome_ = Outcome::kTimedOut;
            file_.close();
            return;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::microseconds(20000));
    }
}

DataFileLock::~DataFileLock() {
    // Closing the descriptor releases the lock.
    file_.close();
}

}  // namespace tamsor
