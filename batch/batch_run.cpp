#include "batch_run.h"

#include <algorithm>
#include <optional>

#include "checked_loads.h"
#include "tamsor/data_file_lock.h"
#include "tamsor/result_names.h"
#include "tamsor/run_diagnosis.h"
#include "technique_run.h"
#include "vorbeck1.h"

namespace tamsor {
namespace {

bool refuseUnlocked(const std::string& path, DataFileLock& lock, std::ostream& messages) {
    switch (lock.outcome()) {
        case DataFileLock::Outcome::kLocked:
            return false;
        case DataFileLock::Outcome::kCannotOpen: {
            LoadFault fault;
            fault.kind = LoadFaultKind::kCannotOpen;
            fault.systemError = lock.file().systemError();
            messages << path << ": " << describeLoadFault(fault) << '\n';
            return true;
        }
        case DataFileLock::Outcome::kNotARegularFile:
            messages << path << ": not a regular file\n";
            return true;
        case DataFileLock::Outcome::kTimedOut:
            messages << path << ": another run on this file did not finish in time\n";
            return true;
    }
    return true;
}

// Names that the classic engine would take for another file's, or cannot take.
bool refuseName(const std::string& path, const BatchOptions& options, std::ostream& messages) {
    if (!path.empty() && path.back() == ' ') {
        messages << '"' << path
                 << "\": the file name ends with a blank, which the engine would drop; "
                    "rename the file\n";
        return true;
    }
    const bool classic =
        std::any_of(options.techniques.begin(), options.techniques.end(),
                    [](Technique technique) { return technique != Technique::kOptimal; });
    if (classic && path.size() > VORBECK1_PATH_LENGTH) {
        messages << path << ": path longer than " << VORBECK1_PATH_LENGTH << " characters\n";
        return true;
    }
    return false;
}

// The schedule for the number of types asked for, from the last run's report.
bool makeSchedule(const BatchOptions& options, FileResults& results, std::ostream& messages) {
    const TechniqueRun& run = results.runs.back();
    const int typeCount = options.scheduleTypes;
    if (typeCount > static_cast<int>(run.sets.size())) {
        messages << results.path << ": no schedule for " << typeCount
                 << " types: the run stopped at " << run.stoppedAt() << " types\n";
        return false;
    }
    results.schedule = makeIsolatorSchedule(
        results.loads->isolators, run.sets[static_cast<std::size_t>(typeCount - 1)].firstPositions);
    return true;
}

}  // namespace

bool partitionFile(const std::string& path, const BatchOptions& options, BatchOutput& output,
                   std::ostream& messages) {
    if (refuseName(path, options, messages)) return false;

    // Held until the results are printed: another run on the same file waits
    // rather than replacing the result files in between, and the loads read
    // here are those the techniques read.
    DataFileLock lock(path.c_str());
    if (refuseUnlocked(path, lock, messages)) return false;
    const std::optional<CheckedLoads> loads = checkLoads(
        path, lock.file(), maxIsolators(options.techniques), options.scheduleTypes != 0, messages);
    if (!loads) return false;

    FileResults results;
    results.path = path;
    results.loads = &*loads;
    results.names = resultNamesFor(path);
    const RunDiagnosis resultFiles = diagnoseResultFiles(results.names, lock.file().identity());
    if (!resultFiles.ok()) {
        reportResultFailure(path, results.names, resultFiles.resultFailure(), messages);
        return false;
    }

    for (const Technique technique : options.techniques) {
        std::optional<TechniqueRun> run = runTechnique(
            technique, path, results.names, lock.file().identity(), loads->count, messages);
        if (!run) return false;
        results.runs.push_back(std::move(*run));
    }

    // Compared, a classic technique that stops is one of the findings.
    bool succeeded = true;
    const TechniqueRun& last = results.runs.back();
    if (!options.compare && !last.complete) {
        messages << path << ": cannot calculate the optimum solution for " << last.stoppedAt()
                 << " types; try --method optimal\n";
        succeeded = false;
    }
    if (options.scheduleTypes != 0)
        succeeded = makeSchedule(options, results, messages) && succeeded;
    output.write(results);
    return succeeded;
}

}  // namespace tamsor
