// SPDX-License-Identifier: GPL-3.0-or-later
// One run of the exact technique on an input data file, with the same files
// as a run of the classic techniques: the loads are read by the same reading
// rules, sorted stably, grouped into 1 to 9 isolator types in one run, and the
// partition report (".out") and load plot file (".plt") are written beside
// the data file in the same formats, names and line ends, each under a
// temporary name and moved into place only when both are complete.
//
// A data file that the classic techniques refuse is refused here too (their
// status 1), for the same cause; only the largest number of loads accepted
// is the caller's choice. The run never stops at an empty type (their
// status 2).
//
// The run takes no lock on the data file: a caller that reads the result
// files back holds the data file's lock around both, as for the classic run.
// It reads the loads itself; a caller that holds them read and sorted
// computes with optimalResultSets and writes with writeResultFiles instead.
#ifndef TAMSOR_OPTIMAL_RUN_H
#define TAMSOR_OPTIMAL_RUN_H

#include <cstddef>
#include <string>

#include "tamsor/domain_limits.h"
#include "tamsor/run_diagnosis.h"

namespace tamsor {

// Runs the exact technique on the data file at `dataFilePath` (the name as the
// system takes it), accepting 11 to `maxLoads` loads (at most
// kMaxOptimalIsolators; a larger value counts as that). Result set n holds the
// best grouping into n types: the pooled variance (sum of squares / N rounded
// to single precision), in the operation count column the cost evaluations of
// the run so far, the first positions and the means rounded to single
// precision. The report and plot file are named by resultNamesFor.
//
// Returns ok() when the nine result sets and the load plot are written
// (loadCount says how many loads). Otherwise nothing on disk changed (the earlier result
// files are as they were) and the diagnosis says why, as for a classic run:
// unreadable loads, too few or too many, a result file that cannot be
// written, or loads so large that the report's figures overflow. Throws only
// std::bad_alloc.
RunDiagnosis runOptimal(const std::string& dataFilePath, std::size_t maxLoads);

}  // namespace tamsor

#endif
