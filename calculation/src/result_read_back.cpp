#include "result_read_back.h"

#include "tamsor/plot_reader.h"
#include "tamsor/report_reader.h"

namespace tamsor {
namespace {

CalculationFailure resultFailure(CalculationFault fault, ResultKind kind, const std::string& file) {
    CalculationFailure failure;
    failure.fault = fault;
    failure.resultKind = kind;
    failure.file = file;
    return failure;
}

CalculationFailure unreadable(ResultKind kind, const std::string& file, const ReadError& error) {
    CalculationFailure failure = resultFailure(CalculationFault::kUnreadableResults, kind, file);
    failure.readError = error.what();
    return failure;
}

CalculationFailure wrongLoadCount(ResultKind kind, const std::string& file, std::size_t held,
                                  std::size_t loadCount) {
    CalculationFailure failure = resultFailure(CalculationFault::kWrongLoadCount, kind, file);
    failure.count = held;
    failure.limit = loadCount;
    return failure;
}

std::optional<CalculationFailure> readBackReport(const std::string& report, std::size_t loadCount,
                                                 TechniqueRun& run) {
    try {
        run.sets = readReport(report);
    } catch (const ReadError& error) {
        return unreadable(ResultKind::kReport, report, error);
    }
    const auto count = static_cast<int>(run.sets.size());
    const bool countFits = run.complete ? count == kMaxTypes : count >= 1 && count < kMaxTypes;
    if (!countFits) {
        CalculationFailure failure =
            resultFailure(CalculationFault::kWrongSetCount, ResultKind::kReport, report);
        failure.count = run.sets.size();
        failure.runComplete = run.complete;
        return failure;
    }
    const auto held = static_cast<std::size_t>(run.sets.front().loadCount());
    if (held != loadCount) return wrongLoadCount(ResultKind::kReport, report, held, loadCount);
    return std::nullopt;
}

std::optional<CalculationFailure> readBackPlot(const std::string& plot, std::size_t loadCount,
                                               TechniqueRun& run) {
    try {
        run.plot = readPlot(plot);
    } catch (const ReadError& error) {
        return unreadable(ResultKind::kPlot, plot, error);
    }
    const auto held = static_cast<std::size_t>(plottedLoadCount(run.plot));
    if (held != loadCount) return wrongLoadCount(ResultKind::kPlot, plot, held, loadCount);
    return std::nullopt;
}

}  // namespace

std::optional<CalculationFailure> readBackResults(const ResultNames& names, std::size_t loadCount,
                                                  TechniqueRun& run) {
    if (auto failure = readBackReport(names.report, loadCount, run)) return failure;
    if (!run.complete) return std::nullopt;
    return readBackPlot(names.plot, loadCount, run);
}

}  // namespace tamsor
