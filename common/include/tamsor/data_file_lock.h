// An advisory lock on an input data file for one calculation: the engine run
// and the reading back of its result files. Runs on the same data file that
// each take it (tamsor-batch, the program) never see each other's results.
#ifndef TAMSOR_DATA_FILE_LOCK_H
#define TAMSOR_DATA_FILE_LOCK_H

#include <chrono>
#include <functional>

#include "tamsor/data_file.h"

namespace tamsor {

// How often a wait for a held data file asks whether to go on.
inline constexpr std::chrono::milliseconds kLockWaitInterval{100};

// Asked while another run holds the data file: once as soon as the lock is
// found held (waited 0), then about every kLockWaitInterval with the time
// waited so far. Returns whether to go on waiting; the caller decides how
// long, and may keep its window alive in between.
using KeepWaiting = std::function<bool(std::chrono::milliseconds waited)>;

class DataFileLock {
  public:
    enum class Outcome {
        kLocked,
        kCannotOpen,       // the data file cannot be opened (see file().systemError())
        kNotARegularFile,  // nothing to lock; such a file is refused anyway
        kTimedOut,         // another run held the lock until the wait was given up
    };

    // Opens the data file as DataFile does and waits for an exclusive lock
    // (flock) for as long as `keepWaiting` says. The lock lasts as long as
    // this object.
    DataFileLock(const char* path, const KeepWaiting& keepWaiting);
    // The same, waiting at most `patience`.
    explicit DataFileLock(const char* path,
                          std::chrono::milliseconds patience = std::chrono::seconds(30));
    DataFileLock(const DataFileLock&) = delete;
    DataFileLock& operator=(const DataFileLock&) = delete;
    ~DataFileLock();

    Outcome outcome() const { return outcome_; }
    bool locked() const { return outcome_ == Outcome::kLocked; }
    // The data file, open for reading while the lock is held.
    DataFile& file() { return file_; }

  private:
    DataFile file_;
    Outcome outcome_ = Outcome::kCannotOpen;
};

}  // namespace tamsor

#endif
