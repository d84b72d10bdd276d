// SPDX-License-Identifier: GPL-3.0-or-later
#include "technique_runs.h"

#include "run_failure.h"
#include "tamsor/result_files_writing.h"
#include "tamsor/run_diagnosis.h"
#include "vorbeck1.h"

namespace tamsor {
namespace {

std::optional<CalculationFailure> runClassic(const Technique& technique,
                                             const CalculationRequest& request,
                                             const FileIdentity& dataFile,
                                             const CalculationOutcome& outcome, bool& complete) {
    const std::int32_t status = request.engine.run(*technique.engineFlag, request.path);
    complete = status == VORBECK1_SUCCESS;
    if (status == VORBECK1_SUCCESS || status == VORBECK1_EMPTY_PARTITION) return std::nullopt;
    if (status != VORBECK1_UNREADABLE) {
        CalculationFailure failure;
        failure.fault = CalculationFault::kUnknownEngineStatus;
        failure.engineStatus = status;
        return failure;
    }
    // The engine says no more than that it failed. Its loads were checked
    // beforehand, so a result file or overflowing sums are left to tell apart.
    const RunDiagnosis diagnosis = diagnoseFailedRun(outcome.names, dataFile, outcome.loads.size());
    return failureOf(diagnosis, outcome.names, technique.maxIsolators);
}

std::optional<CalculationFailure> runInProcess(const Technique& technique,
                                               const FileIdentity& dataFile,
                                               const CalculationOutcome& outcome, bool& complete,
                                               std::optional<std::uint64_t>& plotDigest) {
    const std::vector<ResultSetRecord> sets = technique.algorithm(outcome.sortedLoads);
    if (sets.empty()) {
        CalculationFailure failure;
        failure.fault = CalculationFault::kOverflow;
        return failure;
    }
    std::uint64_t digest = 0;
    const RunDiagnosis written =
        writeResultFiles(outcome.names, dataFile, sets, outcome.sortedLoads, digest);
    if (!written.ok()) return failureOf(written, outcome.names, technique.maxIsolators);
    plotDigest = digest;
    complete = true;
    return std::nullopt;
}

}  // namespace

std::optional<CalculationFailure> runTechnique(const Technique& technique,
                                               const CalculationRequest& request,
                                               const FileIdentity& dataFile,
                                               const CalculationOutcome& outcome, bool& complete,
                                               std::optional<std::uint64_t>& plotDigest) {
    complete = false;
    plotDigest.reset();
    if (technique.classic()) return runClassic(technique, request, dataFile, outcome, complete);
    return runInProcess(technique, dataFile, outcome, complete, plotDigest);
}

}  // namespace tamsor
