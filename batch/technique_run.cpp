#include "technique_run.h"

#include <cstdint>
#include <cstring>

#include "checked_loads.h"
#include "tamsor/optimal_run.h"
#include "vorbeck1.h"

namespace tamsor {
namespace {

constexpr int kSetsOfACompleteRun = 9;

const char* const kOverflowMessage =
    ": the loads are too large: their single-precision sums overflow\n";

// The classic engine says only that the run failed. With the loads and the
// result names found sound beforehand, either a result file could not be
// written (a full disk, a file size limit) or the loads overflow single
// precision. Writing files of the size the engine writes, and removing them
// again, tells the two apart and gives the system's reason.
void explainFailedRun(const std::string& path, const ResultNames& names,
                      const FileIdentity& dataFile, std::size_t loads, std::ostream& messages) {
    ResultFilePair probe(names.report.c_str(), names.plot.c_str());
    if (probe.check(dataFile) && probe.openReport()) {
        // Nine result sets: 58 + 21 n characters each for n = 1..9.
        probe.report().write(std::string(9 * 58 + 21 * 45, ' '));
        if (probe.openPlot()) probe.plot().write(std::string(loads * 2 * 29, ' '));
        probe.report().close();
        probe.plot().close();
    }
    const ResultFailure failure = probe.failure();
    probe.discard();
    if (failure.fault != ResultFault::kNone)
        reportResultFailure(path, names, failure, messages);
    else
        messages << path << kOverflowMessage;
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

// Whether the exact run completed; says why not where it did not. The loads
// were checked under the lock, so a load fault here means the data file was
// changed by a program that does not take the lock.
bool runExact(const std::string& path, const ResultNames& names, std::size_t loadCount,
              std::ostream& messages) {
    const OptimalRunResult result = runOptimal(path, kMaxOptimalIsolators);
    switch (result.fault) {
        case OptimalRunFault::kNone:
            return true;
        case OptimalRunFault::kUnreadableLoads:
            reportLoadFault(path, result.loadFault, messages);
            break;
        case OptimalRunFault::kTooFewLoads:
        case OptimalRunFault::kTooManyLoads:
            messages << path << ": the data file changed while it was read: " << loadCount
                     << " isolators, then " << result.loadCount << '\n';
            break;
        case OptimalRunFault::kResultFile:
            reportResultFailure(path, names, result.resultFailure(), messages);
            break;
        case OptimalRunFault::kOverflow:
            messages << path << kOverflowMessage;
            break;
    }
    return false;
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
    if (technique == Technique::kOptimal) {
        if (!runExact(path, names, loadCount, messages)) return std::nullopt;
        run.complete = true;
    } else {
        const std::int32_t status = callEngine(path, technique);
        if (status != VORBECK1_SUCCESS && status != VORBECK1_EMPTY_PARTITION) {
            explainFailedRun(path, names, dataFile, loadCount, messages);
            return std::nullopt;
        }
        run.complete = status == VORBECK1_SUCCESS;
    }
    if (!readBack(path, names.report, run.complete, loadCount, run.sets, messages))
        return std::nullopt;
    return run;
}

}  // namespace tamsor
