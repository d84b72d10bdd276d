// SPDX-License-Identifier: GPL-3.0-or-later
// One technique run on the locked data file, its failure diagnosed.
#ifndef TAMSOR_CALCULATION_TECHNIQUE_RUNS_H
#define TAMSOR_CALCULATION_TECHNIQUE_RUNS_H

#include <cstdint>
#include <optional>

#include "tamsor/calculation.h"
#include "tamsor/data_file.h"

namespace tamsor {

// Runs `technique` on the data file of `request`, whose loads `outcome`
// holds: a classic one through the caller's engine, which reads the file
// itself, one computed in-process on the sorted loads, its result files
// written by the shared writers. Returns the cause of a failed run, found as
// for every technique; otherwise sets `complete` to whether the run reached
// all nine result sets and `plotDigest` to the digest of the plot file's text
// where the run wrote it in-process (nothing for the classic engine's).
std::optional<CalculationFailure> runTechnique(const Technique& technique,
                                               const CalculationRequest& request,
                                               const FileIdentity& dataFile,
                                               const CalculationOutcome& outcome, bool& complete,
                                               std::optional<std::uint64_t>& plotDigest);

}  // namespace tamsor

#endif
