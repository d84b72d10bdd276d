// SPDX-License-Identifier: GPL-3.0-or-later
// An advisory lock for one calculation: the engine run and the reading back
// of its result files. It is taken on the input data file and on the names of
// its result files, so that runs that each take it (tamsor-batch, the
// program) never see each other's results: neither two runs on one data file
// nor runs on two data files whose results share their names (tower.DAT and
// tower.txt in one folder both write tower.out and tower.plt).
#ifndef TAMSOR_DATA_FILE_LOCK_H
#define TAMSOR_DATA_FILE_LOCK_H

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "tamsor/data_file.h"

namespace tamsor {

// How often a wait for a held data file asks whether to go on.
inline constexpr std::chrono::milliseconds kLockWaitInterval{100};

// Asked while another run holds the data file: once as soon as the lock is
// found held (waited 0), then about every kLockWaitInterval with the time
// waited so far. Returns whether to go on waiting; the caller decides how
// long, and may keep its window alive in between.
using KeepWaiting = std::function<bool(std::chrono::milliseconds waited)>;

// The lock file of the result names of the data file at `inputPath`: hidden,
// in the results' folder, named by their stem, so "/data/tower.DAT" and
// "/data/tower.txt" both give "/data/.tower.tamsor-lock". No result file or
// temporary of a writer takes such a name. A very long stem is cut, which at
// worst makes two runs wait for each other that need not.
std::string resultNamesLockFile(std::string_view inputPath);

// The lock on a data file's result names: an empty lock file beside the
// results, locked with flock. The run that holds it removes it before it lets
// go, so that lock files do not pile up; a run that then finds the file it
// locked no longer under the name starts again on the one that is, so that
// every run locks the same file.
class ResultNamesLock {
  public:
    enum class Attempt {
        kHeld,
        kBusy,  // another run holds it
        // No lock file can be made or locked here: the folder may not be
        // written (nor then can the results be), or its file system has no
        // locks. The run goes on under the data file's lock alone.
        kUnavailable,
    };

    explicit ResultNamesLock(std::string lockFile) : lockFile_(std::move(lockFile)) {}
    ResultNamesLock(const ResultNamesLock&) = delete;
    ResultNamesLock& operator=(const ResultNamesLock&) = delete;
    ~ResultNamesLock() { release(); }

    // One try, without waiting.
    Attempt tryLock();
    // Removes the lock file if it is held, then lets go.
    void release();

  private:
    void closeFile();

    std::string lockFile_;
    int descriptor_ = -1;
    bool held_ = false;
};

class DataFileLock {
  public:
    enum class Outcome {
        kLocked,
        kCannotOpen,       // the data file cannot be opened (see file().systemError())
        kNotARegularFile,  // nothing to lock; such a file is refused anyway
        kTimedOut,         // another run held the lock until the wait was given up
    };

    // Opens the data file as DataFile does and waits for an exclusive lock
    // (flock) on it and on its result names for as long as `keepWaiting`
    // says. The lock lasts as long as this object.
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
    bool tryLockDataFile();

    DataFile file_;
    ResultNamesLock names_;
    Outcome outcome_ = Outcome::kCannotOpen;
};

}  // namespace tamsor

#endif
