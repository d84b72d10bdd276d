// One run of the exact technique on an input data file, with the same files
// as a run of the classic techniques: the loads are read by the same reading
// rules, sorted stably, grouped into 1 to 9 isolator types in one run, and the
// partition report (".out") and load plot file (".plt") are written beside
// the data file in the same formats, names and line ends, each under a
// temporary name and moved into place only when both are complete.
//
// A data file that the classic techniques refuse is refused here too, with
// status 1; only the largest number of loads accepted is the caller's choice.
// The run takes no lock on the data file: a caller that reads the result
// files back holds the data file's lock around both, as for the classic run.
#ifndef TAMSOR_OPTIMAL_RUN_H
#define TAMSOR_OPTIMAL_RUN_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "tamsor/load_file_reader.h"
#include "tamsor/result_names.h"
#include "tamsor/safe_result_files.h"

namespace tamsor {

// The most loads a run takes: the report's positions have room for more, the
// computation's time and memory set the limit.
inline constexpr std::size_t kMaxOptimalIsolators = 1'000'000;

enum class OptimalRunFault {
    kNone,
    // The data file cannot be opened, is not a regular file, cannot be read,
    // or a line breaks the reading rules: loadFault says which and where.
    kUnreadableLoads,
    kTooFewLoads,   // loadCount loads, fewer than 11 (an empty file included)
    kTooManyLoads,  // loadCount loads, more than maxLoads
    // A result file would be the data file itself, is not a writable regular
    // file, or cannot be written in full: resultFault, resultFile, systemError.
    kResultFile,
    // The loads are so large that the single-precision figures of the report
    // overflow, where the classic techniques refuse them too.
    kOverflow,
};

struct OptimalRunResult {
    // 0: nine result sets and the load plot written; 1: nothing on disk
    // changed (the earlier result files are as they were), fault says why.
    std::int32_t status = 1;
    OptimalRunFault fault = OptimalRunFault::kNone;
    LoadFault loadFault;                           // kUnreadableLoads
    std::size_t loadCount = 0;                     // the loads read, all of them
    ResultFault resultFault = ResultFault::kNone;  // kResultFile
    int systemError = 0;                           // kResultFile: errno, where the system gave one
    std::string resultFile;                        // kResultFile: the result file's name
    ResultNames resultNames;                       // the report and plot file of this data file

    bool ok() const { return status == 0; }
    // The result file's failure as describeResultFault takes it.
    ResultFailure resultFailure() const { return {resultFault, systemError, resultFile.c_str()}; }
};

// Runs the exact technique on the data file at `dataFilePath` (the name as the
// system takes it), accepting 11 to `maxLoads` loads (at most
// kMaxOptimalIsolators; a larger value counts as that). Result set n holds the
// best grouping into n types: the pooled variance (sum of squares / N rounded
// to single precision), in the operation count column the cost evaluations of
// the run so far, the first positions and the means rounded to single
// precision. Throws only std::bad_alloc.
OptimalRunResult runOptimal(const std::string& dataFilePath, std::size_t maxLoads);

}  // namespace tamsor

#endif
