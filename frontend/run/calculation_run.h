// One calculation run on the chosen data file, with the data file locked
// from before the technique runs until its results have been read back, so
// that a run of tamsor-batch or another window on the same file never mixes
// its results into this one. Every refusal and failure comes back as its
// message, with the cause as the detail.
#ifndef TAMSOR_CALCULATION_RUN_H
#define TAMSOR_CALCULATION_RUN_H

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QString>

#include "run/run_messages.h"
#include "tamsor/data_file_lock.h"
#include "tamsor/load_file.h"

namespace tamsor {

class EngineBinding;

// How long a calculation waits for another run on the same data file.
inline constexpr std::chrono::milliseconds kDataFileLockPatience = std::chrono::seconds(30);

// The chosen data file found on disk by the bytes of its name and locked for
// one calculation; unlocked when the object goes.
class LockedDataFile {
  public:
    LockedDataFile(const QString& chosenPath, std::chrono::milliseconds patience);

    // Why the file cannot be calculated: several files answer to its name, it
    // cannot be opened, is not a regular file, or another run holds it.
    // Nothing when it is locked.
    const std::optional<RunMessage>& refusal() const { return refusal_; }
    const std::string& path() const { return path_; }  // the bytes naming it
    DataFile& file() { return lock_->file(); }         // open while locked

  private:
    std::string path_;
    std::optional<DataFileLock> lock_;
    std::optional<RunMessage> refusal_;
};

// A calculation by the technique of `methodFlag`: 0 "Method 1" and 1
// "Method2" by the classic engine, kOptimalMethodFlag the exact technique,
// run in-process on the same 11 to 100 loads. The data file is locked, its
// loads and result names checked as every technique takes them, the
// technique run and, after a run that did not fail, `readBack` run while the
// lock is still held. Returns the message of a refusal or failure; nothing
// when the results were read back. Lines that look like a decimal comma are
// added to `warnings` whenever the loads were read. Run-time errors of the
// engine binding and of `readBack` pass to the caller.
std::optional<RunMessage> runCalculation(const QString& chosenPath, std::int16_t methodFlag,
                                         EngineBinding& engine, std::chrono::milliseconds patience,
                                         std::vector<DecimalCommaWarning>& warnings,
                                         const std::function<void()>& readBack);

}  // namespace tamsor

#endif
