// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch_output.h"

#include "report_summary.h"
#include "run_figures.h"
#include "tamsor/domain_limits.h"
#include "tamsor/figure_text.h"
#include "tamsor/run_summary_json.h"
#include "tamsor/schedule_csv.h"
#include "tamsor/schedule_text.h"

namespace tamsor {
namespace {

std::optional<double> widened(const std::optional<float>& value) {
    if (!value) return std::nullopt;
    return *value;
}

// "Method2 (equal numbers of isolators)": the name every output uses, and how it groups.
std::string describedTechnique(const Technique& technique) {
    return std::string(technique.name) + " (" + std::string(technique.approach) + ")";
}

}  // namespace

RunSummary runSummaryOf(const FileResults& results, const TechniqueRun& run) {
    RunSummary summary;
    summary.dataFile = results.path;
    summary.technique = techniqueOf(run.technique).name;
    const std::vector<float>& sorted = results.calculation->sortedLoads;
    summary.loadDecimals = loadDecimals(sorted);
    const std::vector<std::optional<SpreadFigures>> figures = runSpreadFigures(run, sorted);
    if (results.tolerancePercent) {
        summary.tolerancePercent = results.tolerancePercent;
        summary.fewestTypesWithinTolerance =
            runToleranceFinding(run, sorted, *results.tolerancePercent).fewestTypes;
    }
    for (int n = 1; n <= kMaxTypes; ++n) {
        ResultSetSummary set;
        set.typeCount = n;
        if (n > static_cast<int>(run.sets.size())) {
            set.status = ResultSetStatus::kNotReached;
            summary.resultSets.push_back(set);
            continue;
        }
        const ReportSet& reported = run.sets[static_cast<std::size_t>(n - 1)];
        set.pooledVariance = widened(reported.pooledVariance);
        for (int k = 0; k < n; ++k) {
            const auto first = static_cast<std::size_t>(reported.firstPositions[k] - 1);
            const auto end = static_cast<std::size_t>(reported.firstPositions[k + 1] - 1);
            set.types.push_back({reported.isolators(k), sorted[first], sorted[end - 1],
                                 widened(reported.means[static_cast<std::size_t>(k)])});
        }
        if (const auto& grouping = figures[static_cast<std::size_t>(n - 1)]) {
            set.worstSpreadPercent = grouping->worstSpreadPercent;
            set.capacityAboveNeedPercent = grouping->capacityAboveNeedPercent;
        }
        summary.resultSets.push_back(set);
    }
    return summary;
}

void BatchOutput::begin() {
    if (options_.format == OutputFormat::kCsv && options_.scheduleTypes == 0 &&
        !options_.scheduleFewest)
        writeSummaryCsvHeader(out_);
}

void BatchOutput::write(const FileResults& results) {
    switch (options_.format) {
        case OutputFormat::kText:
            writeText(results);
            break;
        case OutputFormat::kCsv:
            writeCsv(results);
            break;
        case OutputFormat::kJson:
            for (const TechniqueRun& run : results.calculation->runs) {
                RunSummary summary = runSummaryOf(results, run);
                // The schedule is drawn from the last run's report.
                if (&run == &results.calculation->runs.back()) summary.schedule = results.schedule;
                writeRunSummaryJson(out_, summary);
            }
            break;
    }
}

void BatchOutput::writeText(const FileResults& results) {
    const CalculationOutcome& calculation = *results.calculation;
    const std::size_t loads = calculation.loads.size();
    const ResultNames& names = calculation.names;
    const std::vector<float>& sorted = calculation.sortedLoads;
    if (options_.compare) {
        out_ << results.path << ": " << loads << " isolators, "
             << comparedTechniques(calculation.runs.size()) << '\n';
        printComparison(out_, calculation.runs, sorted);
        if (results.tolerancePercent)
            for (const TechniqueRun& run : calculation.runs)
                out_ << "  " << techniqueOf(run.technique).name << ": "
                     << toleranceStatement(
                            runToleranceFinding(run, sorted, *results.tolerancePercent))
                     << '\n';
        out_ << "  report " << names.report << ", plot " << names.plot << " ("
             << techniqueOf(calculation.runs.back().technique).name << ")\n\n";
        return;
    }
    const TechniqueRun& run = calculation.runs.back();
    out_ << results.path << ": " << loads << " isolators, "
         << describedTechnique(techniqueOf(run.technique)) << '\n';
    printSummary(out_, run.sets, sorted);
    if (results.tolerancePercent)
        out_ << "  "
             << toleranceStatement(runToleranceFinding(run, sorted, *results.tolerancePercent))
             << '\n';
    if (!run.complete) {
        out_ << "  stopped at " << run.stoppedAt() << " types: an isolator type became empty\n\n";
    } else {
        out_ << "  report " << names.report << ", plot " << names.plot << "\n\n";
    }
    if (results.schedule) {
        out_ << "  Isolator schedule for " << results.schedule->types.size() << " types\n\n";
        writeScheduleText(out_, *results.schedule);
        out_ << '\n';
    }
}

// Without a schedule, the rows of every file form one table under the header
// that begin() wrote. With one, each file gives its own block: its summary
// table, then the types table and the isolators table, each after an empty
// line; an empty line ends the block.
void BatchOutput::writeCsv(const FileResults& results) {
    const bool blocks = options_.scheduleTypes != 0 || options_.scheduleFewest;
    if (blocks) writeSummaryCsvHeader(out_);
    for (const TechniqueRun& run : results.calculation->runs)
        writeSummaryCsvRows(out_, runSummaryOf(results, run));
    if (!blocks) return;
    if (results.schedule) {
        out_ << "\r\n";
        writeScheduleCsv(out_, *results.schedule);
    }
    out_ << "\r\n";
}

}  // namespace tamsor
