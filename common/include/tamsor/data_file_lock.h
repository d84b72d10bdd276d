// An advisory lock on an input data file for one calculation: the engine run
// and the reading back of its result files. Runs on the same data file that
// each take it (tamsor-batch, the program) never see each other's results.
#ifndef TAMSOR_DATA_FILE_LOCK_H
#define TAMSOR_DATA_FILE_LOCK_H

#include <chrono>

#include "tamsor/data_file.h"

namespace tamsor {

class DataFileLock {
  public:
    enum class Outcome {
        kLocked,
        kCannotOpen,       // the data file cannot be opened (see file().systemError())
        kNotARegularFile,  // nothing to lock; such a file is refused anyway
        kTimedOut,         // another run held the lock for longer than the patience given
    };

    // Opens the data file as DataFile does and waits, at most `patience`, for
    // an exclusive lock (flock). The lock lasts as long as this object.
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
