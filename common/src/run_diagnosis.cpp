// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/run_diagnosis.h"

#include <limits>

#include "tamsor/load_file.h"
#include "tamsor/report_layout.h"

namespace tamsor {
namespace {

// The size of a report of every result set, each line with its CR LF.
constexpr std::size_t fullReportSize() {
    std::size_t size = 0;
    for (int n = 1; n <= kMaxTypes; ++n)
        size += report_layout::firstLineLength(n) + report_layout::secondLineLength(n) + 4;
    return size;
}

}  // namespace

RunDiagnosis resultFileDiagnosis(const ResultFailure& failure) {
    RunDiagnosis diagnosis;
    diagnosis.fault = RunFault::kResultFile;
    diagnosis.resultFault = failure.fault;
    diagnosis.systemError = failure.systemError;
    diagnosis.resultFile = failure.file != nullptr ? failure.file : "";
    return diagnosis;
}

RunDiagnosis diagnoseLoads(DataFile& file, LoadSink& sink, std::size_t maxLoads) {
    // Every load is counted, so that a file of too many says how many.
    LoadFileReader reader(sink, std::numeric_limits<std::size_t>::max());
    RunDiagnosis diagnosis;
    if (!file.isOpen() || !file.readLoads(reader)) {
        diagnosis.fault = RunFault::kUnreadableLoads;
        diagnosis.loadFault = reader.fault();
        if (diagnosis.loadFault.kind == LoadFaultKind::kNone) {
            diagnosis.loadFault.kind = file.fault();
            diagnosis.loadFault.systemError = file.systemError();
        }
        return diagnosis;
    }
    diagnosis.loadCount = reader.loadCount();
    if (diagnosis.loadCount > maxLoads)
        diagnosis.fault = RunFault::kTooManyLoads;
    else if (diagnosis.loadCount < kMinIsolators)
        diagnosis.fault = RunFault::kTooFewLoads;
    return diagnosis;
}

RunDiagnosis diagnoseResultFiles(const ResultNames& names, const FileIdentity& dataFile) {
    ResultFilePair results(names.report.c_str(), names.plot.c_str());
    if (!results.check(dataFile)) return resultFileDiagnosis(results.failure());
    return {};
}

RunDiagnosis diagnoseFailedRun(const ResultNames& names, const FileIdentity& dataFile,
                               std::size_t loadCount) {
    ResultFilePair probe(names.report.c_str(), names.plot.c_str());
    if (probe.check(dataFile) && probe.openReport()) {
        probe.report().write(std::string(fullReportSize(), ' '));
        if (probe.openPlot()) probe.plot().write(std::string(loadCount * 2 * 29, ' '));
        probe.report().close();
        probe.plot().close();
    }
    const ResultFailure failure = probe.failure();
    RunDiagnosis diagnosis =
        failure.fault != ResultFault::kNone ? resultFileDiagnosis(failure) : RunDiagnosis{};
    probe.discard();
    if (diagnosis.ok()) diagnosis.fault = RunFault::kOverflow;
    diagnosis.loadCount = loadCount;
    return diagnosis;
}

}  // namespace tamsor
