// SPDX-License-Identifier: GPL-3.0-or-later
// Why a run of a technique on a data file fails, in terms that name the
// cause: the classic engine itself only reports status 1. tamsor-batch and
// the program find it with the same reader and the same checks for every
// technique, before the run and, for a failed classic run, after it; the
// exact technique's run reports its own failure in the same terms.
#ifndef TAMSOR_RUN_DIAGNOSIS_H
#define TAMSOR_RUN_DIAGNOSIS_H

#include <cstddef>
#include <string>

#include "tamsor/data_file.h"
#include "tamsor/load_file_reader.h"
#include "tamsor/result_names.h"
#include "tamsor/safe_result_files.h"

namespace tamsor {

enum class RunFault {
    kNone,
    // The data file cannot be read or a line breaks the reading rules:
    // loadFault says which line and why.
    kUnreadableLoads,
    kTooFewLoads,   // loadCount loads, fewer than kMinIsolators
    kTooManyLoads,  // loadCount loads, more than the technique takes
    // A result file would be the data file itself, is not a writable regular
    // file, or cannot be written in full: resultFault, systemError, resultFile.
    kResultFile,
    // The loads are so large that their single-precision sums overflow (the
    // exact technique refuses them where the classic ones do).
    kOverflow,
};

struct RunDiagnosis {
    RunFault fault = RunFault::kNone;
    LoadFault loadFault;        // kUnreadableLoads
    std::size_t loadCount = 0;  // the loads read, all of them
    ResultFault resultFault = ResultFault::kNone;
    int systemError = 0;     // kResultFile: errno, where the system gave one
    std::string resultFile;  // kResultFile: the result file's name

    bool ok() const { return fault == RunFault::kNone; }
    // The result file's failure as describeResultFault takes it.
    ResultFailure resultFailure() const { return {resultFault, systemError, resultFile.c_str()}; }
};

// Reads the loads of the data file from where it stands, as every technique
// reads them, handing each to `sink`, and checks their number against the
// 11 to `maxLoads` isolators that the technique takes; every load is
// counted. A data file that could not be opened is unreadable for the fault
// that open() found.
RunDiagnosis diagnoseLoads(DataFile& file, LoadSink& sink, std::size_t maxLoads);

// A result file that cannot be written, as a diagnosis.
RunDiagnosis resultFileDiagnosis(const ResultFailure& failure);

// Whether both result files of the data file may be replaced by a run.
RunDiagnosis diagnoseResultFiles(const ResultNames& names, const FileIdentity& dataFile);

// Why a run on `loadCount` loads and result names found sound beforehand
// failed: either a result file could not be written (a full disk, a file size
// limit, a folder that takes no new files) or the loads overflow single
// precision. Writing files of the size the engine writes beside the data
// file, and removing them again, tells the two apart and gives the system's
// reason.
RunDiagnosis diagnoseFailedRun(const ResultNames& names, const FileIdentity& dataFile,
                               std::size_t loadCount);

}  // namespace tamsor

#endif
