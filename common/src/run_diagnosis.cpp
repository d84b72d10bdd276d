#include "tamsor/run_diagnosis.h"

#include <limits>

#include "tamsor/load_file.h"

namespace tamsor {

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
        // Nine result sets: 58 + 21 n characters each for n = 1..9.
        probe.report().write(std::string(9 * 58 + 21 * 45, ' '));
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
