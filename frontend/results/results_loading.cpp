// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/results_loading.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace tamsor {
namespace {

constexpr std::size_t kSetsLoaded = kMaxShownTypes;

// Only a strictly greater value replaces a maximum, so a maximum stays 0
// when no value exceeds 0.
void storePlotPoints(ResultsModel& m, const std::vector<PlotPoint>& points) {
    if (points.size() > kPlotPoints)
        throw std::runtime_error("more than " + std::to_string(kPlotPoints) +
                                 " points in the load plot");
    m.PlotXMax = 0;
    m.PlotYMax = 0;
    m.PlotX.assign(points.size(), 0);
    m.PlotY.assign(points.size(), 0);
    for (std::size_t i = 0; i < points.size(); ++i) {
        m.PlotX[i] = static_cast<float>(points[i].position);
        m.PlotY[i] = points[i].load;
        if (m.PlotX[i] > m.PlotXMax) m.PlotXMax = m.PlotX[i];
        if (m.PlotY[i] > m.PlotYMax) m.PlotYMax = m.PlotY[i];
    }
    m.PlotLast = static_cast<std::int32_t>(points.size()) - 1;
}

// The step curve that a load plot file holds for these loads, sorted
// ascending: (i, load i) for every load, and (i + 1, load i) where the next
// load differs and after the last. A run that stopped at an empty type
// writes no plot file of its own, so its loads are drawn from this.
std::vector<PlotPoint> stepCurve(const std::vector<float>& sortedLoads) {
    std::vector<PlotPoint> points;
    for (std::size_t i = 0; i < sortedLoads.size(); ++i) {
        const auto position = static_cast<std::int32_t>(i + 1);
        points.push_back({position, sortedLoads[i]});
        if (i + 1 == sortedLoads.size() || sortedLoads[i + 1] != sortedLoads[i])
            points.push_back({position + 1, sortedLoads[i]});
    }
    return points;
}

// Result set d has d + 1 partitions, and a figure of asterisks is kept as not
// shown. The largest pooled variance of the sets for 2 types and more that is
// shown becomes SetVarianceMax. A complete run has every set; the sets a
// stopped run did not reach are zero.
void storeResultSets(ResultsModel& m, const std::vector<ReportSet>& sets, bool complete) {
    if (complete && sets.size() < kSetsLoaded)
        throw std::runtime_error("the report ends after " + std::to_string(sets.size()) +
                                 " result sets, before the eighth");
    m.SetsReached = static_cast<int>(std::min(sets.size(), kSetsLoaded));
    m.SetVarianceMax = 0;
    for (std::size_t d = 0; d < kSetsLoaded; ++d) {
        if (d >= sets.size()) {
            m.SetVarianceNotShown[d] = false;
            m.SetVariance[d] = m.SetVarianceReported[d] = 0;
            m.SetOpCount[d] = 0;
            m.PartBound[d] = {};
            m.PartMean[d] = {};
            m.PartMeanNotShown[d] = {};
            continue;
        }
        const ReportSet& set = sets[d];
        m.SetVarianceNotShown[d] = !set.pooledVariance;
        m.SetVariance[d] = set.pooledVariance.value_or(0);
        m.SetVarianceReported[d] = m.SetVariance[d];
        // At most nine digits: within 32 bits.
        m.SetOpCount[d] = static_cast<std::int32_t>(set.operationCount.value_or(0));
        if (d >= 1 && m.SetVariance[d] > m.SetVarianceMax) m.SetVarianceMax = m.SetVariance[d];
        for (int k = 0; k <= set.partitionCount; ++k)
            m.PartBound[d][k] = static_cast<float>(set.firstPositions[k]);
        for (int k = 0; k < set.partitionCount; ++k) {
            m.PartMeanNotShown[d][k] = !set.means[k];
            m.PartMean[d][k] = set.means[k].value_or(0);
        }
    }
}

void normalise(ResultsModel& m) {
    if (!m.hasResults())
        throw std::runtime_error("no position and no load above 0 in the load plot");
    for (int j = 0; j <= m.PlotLast; ++j) {
        m.PlotX[j] /= m.PlotXMax;
        m.PlotY[j] /= m.PlotYMax;
    }
    // When every set for 2 types and more that is shown fits its loads
    // exactly (pooled variances 0), or none is shown, there is nothing to
    // scale: the variances are kept as read, and a divisor of 1 restores each
    // of them, that of one type too.
    if (m.SetVarianceMax == 0) {
        m.SetVarianceMax = 1;
        return;
    }
    for (std::size_t d = 0; d < kSetsLoaded; ++d)
        m.SetVariance[d] /= m.SetVarianceMax;
}

// Whether every figure that the plots and the table derive from the results
// is a finite single-precision number: positions are whole numbers that the
// reading checked, but a load or mean far below the heaviest load, which
// divides them, or a variance beyond single precision can leave its range.
bool isDrawable(const ResultsModel& m) {
    for (int i = 0; i <= m.PlotLast; ++i)
        if (!std::isfinite(m.PlotY[i])) return false;
    for (std::size_t d = 0; d < kSetsLoaded; ++d) {
        if (!m.SetVarianceNotShown[d] && !(std::isfinite(m.SetVariance[d]) &&
                                           std::isfinite(m.pooledVariance(static_cast<int>(d)))))
            return false;
        for (std::size_t k = 0; k <= d; ++k)
            if (!m.PartMeanNotShown[d][k] && !std::isfinite(m.PartMean[d][k] / m.PlotYMax))
                return false;
    }
    return true;
}

}  // namespace

void countIsolators(ResultsModel& m) {
    for (std::size_t d = 0; d < kSetsLoaded; ++d)
        for (std::size_t k = 0; k <= d; ++k)
            m.PartCount[d][k] = static_cast<std::int32_t>(
                std::nearbyint(m.PartBound[d][k + 1] - m.PartBound[d][k]));
}

// The last load of each partition, in ascending order, is its largest: the
// load at the position before the next partition's first.
void findLargestLoads(ResultsModel& m, const std::vector<float>& sortedLoads) {
    m.LoadDecimals = loadDecimals(sortedLoads);
    for (int d = 0; d < static_cast<int>(kSetsLoaded); ++d) {
        m.PartLargest[d] = {};
        for (int k = 0; d < m.SetsReached && k <= d; ++k) {
            const auto last = static_cast<std::size_t>(m.PartBound[d][k + 1]) - 1;
            if (last >= 1 && last <= sortedLoads.size())
                m.PartLargest[d][k] = sortedLoads[last - 1];
        }
    }
}

void loadResults(ResultsModel& model, const CalculationOutcome& calculation) {
    if (calculation.runs.empty() || calculation.runs.back().sets.empty())
        throw std::runtime_error("no grouping to show");
    const TechniqueRun& run = calculation.runs.back();
    ResultsModel loaded = model;
    storePlotPoints(loaded, run.complete ? run.plot : stepCurve(calculation.sortedLoads));
    storeResultSets(loaded, run.sets, run.complete);
    normalise(loaded);
    if (!isDrawable(loaded))
        throw std::runtime_error("results beyond single precision in " + calculation.names.report);
    countIsolators(loaded);
    if (calculation.sortedLoads.size() != calculation.loads.size())
        throw std::runtime_error("the sorted loads differ in number from the loads");
    findLargestLoads(loaded, calculation.sortedLoads);
    // The isolator schedule pairs these loads with the sets' positions.
    if (calculation.loads.size() != static_cast<std::size_t>(run.sets.front().loadCount()))
        throw std::runtime_error("the loads differ in number from those of the results");
    loaded.DataLoads = calculation.loads.records();
    model = std::move(loaded);
}

}  // namespace tamsor
