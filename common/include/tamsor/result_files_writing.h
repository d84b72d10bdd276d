// SPDX-License-Identifier: GPL-3.0-or-later
// The result files of a technique computed in-process, written as the
// classic engine writes its own: both under temporary names, moved into
// place only when both are complete.
#ifndef TAMSOR_RESULT_FILES_WRITING_H
#define TAMSOR_RESULT_FILES_WRITING_H

#include <cstdint>
#include <span>

#include "tamsor/data_file.h"
#include "tamsor/result_names.h"
#include "tamsor/result_set_format.h"
#include "tamsor/run_diagnosis.h"

namespace tamsor {

// Writes `sets` as the partition report and the step curve of `sortedLoads`
// as the load plot file, under `names`, beside the data file `dataFile`.
// Returns ok() when both are in place; otherwise a kResultFile diagnosis, and
// the earlier result files are as they were.
RunDiagnosis writeResultFiles(const ResultNames& names, const FileIdentity& dataFile,
                              std::span<const ResultSetRecord> sets,
                              std::span<const float> sortedLoads);
// The same, setting `plotDigest` to the digest (TextDigest) of the plot file's text as
// written, by which its reading back recognises it.
RunDiagnosis writeResultFiles(const ResultNames& names, const FileIdentity& dataFile,
                              std::span<const ResultSetRecord> sets,
                              std::span<const float> sortedLoads, std::uint64_t& plotDigest);

}  // namespace tamsor

#endif
