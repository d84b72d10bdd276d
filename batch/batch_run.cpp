// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch_run.h"

#include <chrono>
#include <cstdint>
#include <cstring>
#include <vector>

#include "run_figures.h"
#include "tamsor/calculation.h"
#include "vorbeck1.h"

namespace tamsor {
namespace {

// How long a run waits for another run on the same data file.
constexpr std::chrono::seconds kLockPatience{30};

// More warnings than this for one file would bury the summary.
constexpr std::size_t kWarningsShown = 20;

// The engine linked into tamsor-batch, handed the path blank padded; the
// calculation has checked that it fits.
std::int32_t runLinkedEngine(std::int32_t methodFlag, const std::string& path) {
    char name[VORBECK1_PATH_LENGTH];
    std::memset(name, ' ', sizeof name);
    std::memcpy(name, path.data(), path.size());
    std::int32_t status = 0;
    vorbeck1(&methodFlag, &status, name);
    return status;
}

void printWarnings(const std::string& path, const std::vector<DecimalCommaWarning>& warnings,
                   std::ostream& messages) {
    for (std::size_t i = 0; i < warnings.size() && i < kWarningsShown; ++i)
        messages << path << ':' << warnings[i].line << ": warning: \"" << warnings[i].text
                 << "\" looks like a decimal comma; read as " << warnings[i].readAs << '\n';
    if (warnings.size() > kWarningsShown)
        messages << path << ": warning: " << warnings.size() - kWarningsShown
                 << " more lines look like a decimal comma\n";
}

// "FILE:LINE: cause"; a name with a blank at its end in quotes, to show it.
void printFailure(const std::string& path, const CalculationFailure& failure,
                  std::ostream& messages) {
    if (failure.fault == CalculationFault::kNameEndsWithBlank) {
        messages << '"' << path << '"';
    } else {
        messages << path;
        if (const std::int64_t line = failureLine(failure); line > 0) messages << ':' << line;
    }
    messages << ": " << describeCalculationFailure(failure) << '\n';
}

// The number of types whose schedule is asked for: N, or with --types fewest
// the fewest within the tolerance; 0, said why, where no grouping of the run
// has that many.
int scheduledTypeCount(const BatchOptions& options, const FileResults& results,
                       std::ostream& messages) {
    if (!options.scheduleFewest) return options.scheduleTypes;
    const CalculationOutcome& calculation = *results.calculation;
    const ToleranceFinding finding = runToleranceFinding(
        calculation.runs.back(), calculation.sortedLoads, *options.tolerancePercent);
    if (finding.fewestTypes && *finding.fewestTypes <= kMaxTypes) return *finding.fewestTypes;
    messages << results.path
             << ": no schedule for the fewest types: " << toleranceStatement(finding) << '\n';
    return 0;
}

// The schedule for the number of types asked for, from the last run's report.
bool makeSchedule(const BatchOptions& options, FileResults& results, std::ostream& messages) {
    const CalculationOutcome& calculation = *results.calculation;
    const TechniqueRun& run = calculation.runs.back();
    const int typeCount = scheduledTypeCount(options, results, messages);
    if (typeCount == 0) return false;
    if (typeCount > static_cast<int>(run.sets.size())) {
        messages << results.path << ": no schedule for " << typeCount
                 << " types: the run stopped at " << run.stoppedAt() << " types\n";
        return false;
    }
    std::vector<IsolatorLoad> isolators;
    isolators.reserve(calculation.loads.size());
    for (std::size_t i = 0; i < calculation.loads.size(); ++i)
        isolators.push_back({static_cast<int>(calculation.loads.line(i)), calculation.loads.load(i),
                             std::string(calculation.loads.label(i))});
    const ReportSet& set = run.sets[static_cast<std::size_t>(typeCount - 1)];
    results.schedule = makeIsolatorSchedule(isolators, set.firstPositions);
    // Every mean as the report writes it, as in the summary above the schedule.
    useReportMeans(*results.schedule, set.means);
    return true;
}

}  // namespace

bool partitionFile(const std::string& path, const BatchOptions& options, BatchOutput& output,
                   std::ostream& messages) {
    CalculationRequest request;
    request.path = path;
    request.techniques = options.techniques;
    // The notes on the isolators are shown in the schedule alone.
    request.keepLabels = options.scheduleTypes != 0;
    // It checks the load plot file but draws no plot.
    request.keepPlot = false;
    request.engine.run = runLinkedEngine;
    request.waitForLock = waitAtMost(kLockPatience);
    const CalculationOutcome calculation = calculate(request);
    printWarnings(path, calculation.warnings, messages);
    if (calculation.failure) {
        printFailure(path, *calculation.failure, messages);
        return false;
    }

    FileResults results;
    results.path = path;
    results.calculation = &calculation;
    results.tolerancePercent = options.tolerancePercent;
    // Compared, a classic technique that stops is one of the findings.
    bool succeeded = true;
    const TechniqueRun& last = calculation.runs.back();
    if (!options.compare && !last.complete) {
        messages << path << ": cannot calculate the optimum solution for " << last.stoppedAt()
                 << " types; try --method optimal\n";
        succeeded = false;
    }
    if (options.scheduleTypes != 0 || options.scheduleFewest)
        succeeded = makeSchedule(options, results, messages) && succeeded;
    output.write(results);
    return succeeded;
}

}  // namespace tamsor
