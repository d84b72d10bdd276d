#include "tamsor/optimal_run.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

#include "tamsor/data_file.h"
#include "tamsor/optimal_grouping.h"
#include "tamsor/result_names.h"
#include "tamsor/result_set_format.h"
#include "tamsor/safe_result_files.h"

namespace tamsor {
namespace {

// Keeps the loads up to the maximum; the reader counts them all.
class LoadList final : public LoadSink {
  public:
    LoadList(std::vector<float>& loads, std::size_t maxLoads) : loads_(loads), max_(maxLoads) {}
    void onLoad(const LoadLine& load) override {
        if (loads_.size() < max_) loads_.push_back(load.load);
    }

  private:
    std::vector<float>& loads_;
    std::size_t max_;
};

// The single-type figures as the classic techniques compute them, every sum
// rounded to single precision in sorted order. Where they overflow, those
// techniques refuse the loads, and so does this one, although its own sums
// are in double precision.
bool singleTypeFiguresOverflow(std::span<const float> sortedLoads) {
    float sum = 0;
    for (const float load : sortedLoads)
        sum += load;
    const float mean = sum / static_cast<float>(sortedLoads.size());
    float total = 0;
    for (const float load : sortedLoads) {
        const float difference = mean - load;
        total += difference * difference;
    }
    return !std::isfinite(mean) || !std::isfinite(total);
}

ResultSetRecord recordOf(const OptimalGrouping& grouping, std::size_t loadCount) {
    ResultSetRecord set;
    set.partitionCount = grouping.typeCount;
    set.pooledVariance = static_cast<float>(grouping.sumOfSquares / static_cast<double>(loadCount));
    set.operationCount = grouping.costEvaluations;
    std::copy(grouping.firstPositions.begin(), grouping.firstPositions.end(),
              set.firstPositions.begin());
    std::transform(grouping.means.begin(), grouping.means.end(), set.means.begin(),
                   [](double mean) { return static_cast<float>(mean); });
    return set;
}

bool isFinite(const ResultSetRecord& set) {
    return std::isfinite(set.pooledVariance) &&
           std::all_of(set.means.begin(), set.means.begin() + set.partitionCount,
                       [](float mean) { return std::isfinite(mean); });
}

// The nine result sets of the sorted loads; none where a figure of the
// report would overflow single precision.
std::vector<ResultSetRecord> resultSetsOf(const std::vector<float>& sortedLoads) {
    if (singleTypeFiguresOverflow(sortedLoads)) return {};
    std::vector<ResultSetRecord> sets;
    const std::vector<double> loads(sortedLoads.begin(), sortedLoads.end());
    for (const OptimalGrouping& grouping : findOptimalGroupings(loads)) {
        sets.push_back(recordOf(grouping, loads.size()));
        if (!isFinite(sets.back())) return {};
    }
    return sets;
}

}  // namespace

RunDiagnosis runOptimal(const std::string& dataFilePath, std::size_t maxLoads) {
    // The loads are read before any result file is looked at, so an input
    // that is refused touches nothing.
    maxLoads = std::min(maxLoads, kMaxOptimalIsolators);
    std::vector<float> loads;
    DataFile input;
    input.open(dataFilePath.c_str());
    LoadList list(loads, maxLoads);
    RunDiagnosis diagnosis = diagnoseLoads(input, list, maxLoads);
    if (!diagnosis.ok()) return diagnosis;
    const auto resultFileFailed = [&](const ResultFailure& failure) {
        RunDiagnosis failed = resultFileDiagnosis(failure);
        failed.loadCount = diagnosis.loadCount;
        return failed;
    };

    const ResultNames names = resultNamesFor(dataFilePath);
    ResultFilePair results(names.report.c_str(), names.plot.c_str());
    if (!results.check(input.identity())) return resultFileFailed(results.failure());

    // Stable, as the classic techniques sort: of equal loads, -0 and 0 keep
    // their order in the file, and the load plot shows the sign of each.
    std::stable_sort(loads.begin(), loads.end());
    const std::vector<ResultSetRecord> sets = resultSetsOf(loads);
    if (sets.empty()) {
        diagnosis.fault = RunFault::kOverflow;
        return diagnosis;
    }

    if (!results.openReport()) return resultFileFailed(results.failure());
    for (const ResultSetRecord& set : sets)
        writeResultSet(results.report(), set);
    if (results.openPlot()) writeLoadPlot(results.plot(), loads);
    if (!results.commit()) return resultFileFailed(results.failure());
    return diagnosis;
}

}  // namespace tamsor
