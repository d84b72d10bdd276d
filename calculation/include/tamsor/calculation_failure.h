// SPDX-License-Identifier: GPL-3.0-or-later
// Why a calculation on a data file failed: typed, so that each program words
// the cause in its own way, with its plain-English description here for both.
#ifndef TAMSOR_CALCULATION_FAILURE_H
#define TAMSOR_CALCULATION_FAILURE_H

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "tamsor/load_file_reader.h"
#include "tamsor/safe_result_files.h"
#include "tamsor/technique.h"

namespace tamsor {

enum class CalculationFault {
    // The data file's name, looked at before anything is opened.
    kNameEndsWithBlank,  // the classic engine would drop the blank and calculate another file
    kNameTooLong,        // `count` bytes, more than the `limit` the classic engine takes
    // The wait for another run on the data file.
    kLockCancelled,  // the caller stopped waiting after `waited`
    kLockTimedOut,   // the caller gave up waiting after `waited`
    // The loads, read once under the lock.
    kUnreadableLoads,  // `loadFault`: cannot be opened or read, not a regular file, or a line
                       // that breaks the reading rules
    kTooFewLoads,      // `count` loads, fewer than `limit`
    kTooManyLoads,     // `count` loads, more than the `limit` the techniques asked for take
    kLoadNotPositive,  // `technique` takes positive loads only; `loadFault` holds the line and
                       // the load of the first that is zero or less
    // The run of `technique`.
    kResultFile,  // `file` would be the data file itself, is not a writable regular file or
                  // cannot be written in full: `resultFault`, `systemError`
    kOverflow,    // the loads are so large that their single-precision sums overflow
    // The classic engine set `engineStatus`, none of the outcomes it gives:
    // what it left on disk is not trusted, however it reads.
    kUnknownEngineStatus,
    // The result files read back after the run of `technique`.
    kUnreadableResults,  // `file` breaks its layout: `readError` says where
    kWrongSetCount,      // the report holds `count` result sets, not what the run gives
    kWrongLoadCount,     // `file` holds `count` isolators, the data file `limit`
    kOtherLoads,         // `file` was not written for these loads: `mismatch` says where
};

// Which of the two result files a fault concerns.
enum class ResultKind { kReport, kPlot };

struct CalculationFailure {
    CalculationFault fault = CalculationFault::kUnreadableLoads;
    std::optional<TechniqueId> technique;  // for a fault of a run or its read-back
    std::size_t count = 0;
    std::size_t limit = 0;
    std::chrono::milliseconds waited{0};
    LoadFault loadFault;
    ResultKind resultKind = ResultKind::kReport;
    std::string file;  // the result file's name
    ResultFault resultFault = ResultFault::kNone;
    int systemError = 0;
    std::int32_t engineStatus = 0;
    bool runComplete = false;  // kWrongSetCount: the run gave all nine sets
    std::string readError;     // kUnreadableResults: the reader's words, from the file's name on
    std::string mismatch;      // kOtherLoads: the first figure that does not fit the loads
};

// The cause in plain English, without the data file's name or line in front:
// "the file name ends with a blank, which the engine would drop; rename the
// file", "\"abc\" is not a number", "101 isolators, at most 100", "cannot
// write b.plt: is write-protected".
std::string describeCalculationFailure(const CalculationFailure& failure);

// The data file's line that the cause concerns; 0 for none.
std::int64_t failureLine(const CalculationFailure& failure);

}  // namespace tamsor

#endif
