#include "technique_run.h"

#include <cstdint>
#include <cstring>

#include "checked_loads.h"
#include "tamsor/optimal_run.h"
#include "tamsor/run_diagnosis.h"
#include "vorbeck1.h"

namespace tamsor {
namespace {

constexpr int kSetsOfACompleteRun = 9;

// Why a run whose loads and result names were checked failed. The loads
// were checked under the lock, so a load fault here means the data file was
// changed by a program that does not take the lock.
void reportRunFault(const std::string& path, const ResultNames& names,
                    const RunDiagnosis& diagnosis, std::size_t loadCount, std::ostream& messages) {
    switch (diagnosis.fault) {
        case RunFault::kNone:
            break;
        case RunFault::kUnreadableLoads:
            reportLoadFault(path, diagnosis.loadFault, messages);
            break;
        case RunFault::kTooFewLoads:
        case RunFault::kTooManyLoads:
            messages << path << ": the data file changed while it was read: " << loadCount
                     << " isolators, then " << diagnosis.loadCount << '\n';
            break;
        case RunFault::kResultFile:
            reportResultFailure(path, names, diagnosis.resultFailure(), messages);
            break;
        case RunFault::kOverflow:
            messages << path << ": the loads are too large: their single-precision sums overflow\n";
            break;
    }
}

// The classic engine's status: 0 complete, 2 stopped at an empty type, 1 failed.
std::int32_t callEngine(const std::string& path, Technique technique) {
    char name[VORBECK1_PATH_LENGTH];
    std::memset(name, ' ', sizeof name);
    std::memcpy(name, path.data(), path.size());
    std::int32_t status = 0;
    std::int32_t flag = technique == Technique::kMethod1 ? 0 : 1;
    vorbeck1(&flag, &status, name);
    return status;
}

// Reads the report back and checks it against the run: nine sets after a
// complete run, one to eight after a stop, and the data file's isolators.
bool readBack(const std::string& path, const std::string& reportName, bool complete,
              std::size_t loads, std::vector<ReportSet>& sets, std::ostream& messages) {
    try {
        sets = readReport(reportName);
    } catch (const ReadError& error) {
        messages << path << ": unreadable report " << error.what() << '\n';
        return false;
    }
    const auto count = static_cast<int>(sets.size());
    const bool countFits =
        complete ? count == kSetsOfACompleteRun : count >= 1 && count < kSetsOfACompleteRun;
    if (!countFits) {
        messages << path << ": the report " << reportName << " holds " << count
                 << " result sets, not " << (complete ? "9" : "1 to 8") << '\n';
        return false;
    }
    if (sets.front().loadCount() != static_cast<long long>(loads)) {
        messages << path << ": the report " << reportName << " holds " << sets.front().loadCount()
                 << " isolators, the data file " << loads << '\n';
        return false;
    }
    return true;
}

}  // namespace

void reportResultFailure(const std::string& path, const ResultNames& names,
                         const ResultFailure& failure, std::ostream& messages) {
    if (failure.fault == ResultFault::kIsTheDataFile) {
        messages << path << ": the " << (names.report == failure.file ? "report " : "plot file ")
                 << failure.file
                 << " would overwrite the data file itself; give the data file another "
                    "extension, such as .DAT\n";
        return;
    }
    messages << path << ": cannot write " << failure.file << ": " << describeResultFault(failure)
             << '\n';
}

std::optional<TechniqueRun> runTechnique(Technique technique, const std::string& path,
                                         const ResultNames& names, const FileIdentity& dataFile,
                                         std::size_t loadCount, std::ostream& messages) {
    TechniqueRun run;
    run.technique = technique;
    RunDiagnosis diagnosis;
    if (technique == Technique::kOptimal) {
        diagnosis = runOptimal(path, kMaxOptimalIsolators);
        run.complete = true;
    } else {
        const std::int32_t status = callEngine(path, technique);
        if (status != VORBECK1_SUCCESS && status != VORBECK1_EMPTY_PARTITION)
            diagnosis = diagnoseFailedRun(names, dataFile, loadCount);
        run.complete = status == VORBECK1_SUCCESS;
    }
    if (!diagnosis.ok()) {
        reportRunFault(path, names, diagnosis, loadCount, messages);
        return std::nullopt;
    }
    if (!readBack(path, names.report, run.complete, loadCount, run.sets, messages))
        return std::nullopt;
    return run;
}

}  // namespace tamsor
