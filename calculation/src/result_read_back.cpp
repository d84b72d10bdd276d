// SPDX-License-Identifier: GPL-3.0-or-later
#include "result_read_back.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "plot_as_written.h"
#include "tamsor/number_fields.h"
#include "tamsor/plot_reader.h"
#include "tamsor/report_layout.h"
#include "tamsor/report_reader.h"

namespace tamsor {
namespace {

// The unit roundoff of single precision.
constexpr double kSingleRoundoff = 0x1p-24;
constexpr double kDoubleRoundoff = 0x1p-53;

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

CalculationFailure otherLoads(ResultKind kind, const std::string& file, std::string mismatch) {
    CalculationFailure failure = resultFailure(CalculationFault::kOtherLoads, kind, file);
    failure.mismatch = std::move(mismatch);
    return failure;
}

// Figures in the messages, whatever the process locale.
std::string twoDecimals(double value) {
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2);
    return {text, end.ptr};
}

std::string shortest(float value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value);
    return {text, end.ptr};
}

// How far the mean a report shows may lie from the exact mean of its type's
// loads: half a unit of the report's second decimal, the reading of the shown
// figure into single precision, the summing here in double, and what the
// technique's own arithmetic may lose. A classic technique adds the loads one
// by one in single precision, each sum rounded, then divides; the others
// compute in double and round the mean once.
double meanTolerance(bool classic, std::size_t count, double meanMagnitude, double shown) {
    const auto n = static_cast<double>(count);
    const double technique = classic ? 2 * (n + 1) * kSingleRoundoff * meanMagnitude
                                     : 2 * kSingleRoundoff * meanMagnitude;
    return 0.005 * (1 + 1e-9) + kSingleRoundoff * std::fabs(shown) +
           2 * n * kDoubleRoundoff * meanMagnitude + technique;
}

struct LoadSums {
    double sum = 0;
    double magnitude = 0;  // of the loads' absolute values
};

// The sums of `loads` in double, in four running sums that the processor adds side by
// side; the rounding error stays within that of a single running sum.
LoadSums sumsOf(std::span<const float> loads) {
    std::array<double, 4> sums{};
    std::array<double, 4> magnitudes{};
    std::size_t i = 0;
    for (; i + 4 <= loads.size(); i += 4)
        for (std::size_t lane = 0; lane < 4; ++lane) {
            sums[lane] += loads[i + lane];
            magnitudes[lane] += std::fabs(loads[i + lane]);
        }
    for (; i < loads.size(); ++i) {
        sums[0] += loads[i];
        magnitudes[0] += std::fabs(loads[i]);
    }
    return {(sums[0] + sums[1]) + (sums[2] + sums[3]),
            (magnitudes[0] + magnitudes[1]) + (magnitudes[2] + magnitudes[3])};
}

// The sums of the sorted loads between every two neighbouring type boundaries of all the
// report's sets: each load is added once, and a type's sums are those of the pieces it
// spans. The boundaries must lie within the loads.
class PieceSums {
  public:
    PieceSums(const std::vector<ReportSet>& sets, std::span<const float> sortedLoads) {
        for (const ReportSet& set : sets)
            for (const std::int32_t position : set.firstPositions)
                starts_.push_back(static_cast<std::size_t>(position - 1));
        std::sort(starts_.begin(), starts_.end());
        starts_.erase(std::unique(starts_.begin(), starts_.end()), starts_.end());
        for (std::size_t j = 0; j + 1 < starts_.size(); ++j)
            pieces_.push_back(sumsOf(sortedLoads.subspan(starts_[j], starts_[j + 1] - starts_[j])));
    }

    // The sums of the `count` loads from `first`, a type of one of the sets.
    LoadSums of(std::size_t first, std::size_t count) const {
        LoadSums total;
        auto j = static_cast<std::size_t>(std::lower_bound(starts_.begin(), starts_.end(), first) -
                                          starts_.begin());
        for (; starts_[j] < first + count; ++j) {
            total.sum += pieces_[j].sum;
            total.magnitude += pieces_[j].magnitude;
        }
        return total;
    }

  private:
    std::vector<std::size_t> starts_;
    std::vector<LoadSums> pieces_;
};

// The first mean of `set` that is not that of its type's loads; nothing when
// all fit. A mean too wide for its field (asterisks) is not checked.
std::optional<std::string> meanMismatch(const ReportSet& set, const PieceSums& loadSums,
                                        bool classic) {
    for (int k = 0; k < set.partitionCount; ++k) {
        if (!set.means[k]) continue;
        const auto first = static_cast<std::size_t>(set.firstPositions[k] - 1);
        const auto count = static_cast<std::size_t>(set.isolators(k));
        const auto [sum, magnitude] = loadSums.of(first, count);
        const double mean = sum / static_cast<double>(count);
        const double shown = *set.means[k];
        const double tolerance =
            meanTolerance(classic, count, magnitude / static_cast<double>(count), shown);
        if (!(std::fabs(shown - mean) <= tolerance))
            return "with " + std::to_string(set.partitionCount) +
                   (set.partitionCount == 1 ? " type, type " : " types, type ") +
                   std::to_string(k + 1) + " has the mean " + twoDecimals(shown) + " where its " +
                   std::to_string(count) + " loads have " + twoDecimals(mean);
    }
    return std::nullopt;
}

std::optional<CalculationFailure> readBackReport(const std::string& report,
                                                 std::span<const float> sortedLoads,
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
    // The reader has checked that the positions of every set rise from 1 to
    // one end: that end must be this run's number of loads.
    const auto held = static_cast<std::size_t>(run.sets.front().loadCount());
    if (held != sortedLoads.size())
        return wrongLoadCount(ResultKind::kReport, report, held, sortedLoads.size());
    const bool classic = techniqueOf(run.technique).classic();
    const PieceSums loadSums(run.sets, sortedLoads);
    for (const ReportSet& set : run.sets)
        if (auto mismatch = meanMismatch(set, loadSums, classic))
            return otherLoads(ResultKind::kReport, report, std::move(*mismatch));
    return std::nullopt;
}

// The step curve of the sorted loads, as every technique writes it: each load
// at its position, and again at the next position where the next load is
// another or where the loads end.
std::optional<std::string> plotMismatch(const std::vector<PlotPoint>& points,
                                        std::span<const float> sortedLoads) {
    std::size_t next = 0;
    const auto mismatch = [&](std::size_t position, float load) {
        if (next == points.size()) return "it ends at point " + std::to_string(next);
        const PlotPoint& point = points[next];
        const std::string where = "its point " + std::to_string(next + 1) + " ";
        if (static_cast<std::size_t>(point.position) != position)
            return where + "is at position " + std::to_string(point.position) + ", not " +
                   std::to_string(position);
        return where + "shows " + shortest(point.load) + " at position " +
               std::to_string(position) + " where the data file has " + shortest(load);
    };
    const std::size_t count = sortedLoads.size();
    for (std::size_t i = 0; i < count; ++i) {
        const float load = sortedLoads[i];
        const bool step = i + 1 == count || sortedLoads[i + 1] != load;
        // The load as the file shows it; one that its seven digits give back
        // exactly needs no formatting.
        float shown = load;
        for (std::size_t position = i + 1; position <= i + (step ? 2 : 1); ++position) {
            if (next == points.size() ||
                static_cast<std::size_t>(points[next].position) != position)
                return mismatch(position, load);
            if (points[next].load != shown && points[next].load != (shown = asPlotted(load)))
                return mismatch(position, load);
            ++next;
        }
    }
    if (next != points.size())
        return "it has " + std::to_string(points.size()) + " points, not " + std::to_string(next);
    return std::nullopt;
}

std::optional<CalculationFailure> readBackPlot(const std::string& plot,
                                               std::span<const float> sortedLoads,
                                               std::uint64_t digest, bool keepPlot,
                                               TechniqueRun& run) {
    // A run's own plot file is the text its loads give; anything else is read strictly.
    if (holdsPlotText(plot, sortedLoads, digest)) {
        if (keepPlot) run.plot = plottedPoints(sortedLoads);
        return std::nullopt;
    }
    try {
        run.plot = readPlot(plot);
    } catch (const ReadError& error) {
        return unreadable(ResultKind::kPlot, plot, error);
    }
    const auto held = static_cast<std::size_t>(plottedLoadCount(run.plot));
    if (held != sortedLoads.size())
        return wrongLoadCount(ResultKind::kPlot, plot, held, sortedLoads.size());
    if (auto mismatch = plotMismatch(run.plot, sortedLoads))
        return otherLoads(ResultKind::kPlot, plot, std::move(*mismatch));
    if (!keepPlot) run.plot = {};
    return std::nullopt;
}

}  // namespace

std::optional<CalculationFailure> readBackResults(const ResultNames& names,
                                                  std::span<const float> sortedLoads,
                                                  std::optional<std::uint64_t> plotDigest,
                                                  bool keepPlot, TechniqueRun& run) {
    if (auto failure = readBackReport(names.report, sortedLoads, run)) return failure;
    if (!run.complete) return std::nullopt;
    // The classic engine's plot files hold at most a few hundred points: their text is
    // made again here.
    const std::uint64_t digest = plotDigest ? *plotDigest : plotTextDigest(sortedLoads);
    return readBackPlot(names.plot, sortedLoads, digest, keepPlot, run);
}

}  // namespace tamsor
