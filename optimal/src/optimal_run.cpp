#include "tamsor/optimal_run.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>
#include <vector>

#include "tamsor/data_file.h"
#include "tamsor/optimal_grouping.h"
#include "tamsor/result_set_format.h"

namespace tamsor {
namespace {

constexpr std::size_t kMinLoads = 11;

// Keeps the loads up to the maximum and counts them all, so that a file of
// too many says how many.
class LoadList final : public LoadSink {
  public:
    LoadList(std::vector<float>& loads, std::size_t maxLoads) : loads_(loads), max_(maxLoads) {}
    void onLoad(const LoadLine& load) override {
        if (++count_ <= max_) loads_.push_back(load.load);
    }
    std::size_t count() const { return count_; }

  private:
    std::vector<float>& loads_;
    std::size_t max_;
    std::size_t count_ = 0;
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

OptimalRunResult& failResultFile(OptimalRunResult& result, const ResultFailure& failure) {
    result.fault = OptimalRunFault::kResultFile;
    result.resultFault = failure.fault;
    result.systemError = failure.systemError;
    result.resultFile = failure.file != nullptr ? failure.file : "";
    return result;
}

// Reads every load of the data file, as the classic techniques read them, and
// checks their number.
bool readLoads(const std::string& path, std::size_t maxLoads, std::vector<float>& loads,
               FileIdentity& identity, OptimalRunResult& result) {
    DataFile input;
    if (!input.open(path.c_str())) {
        result.fault = OptimalRunFault::kUnreadableLoads;
        result.loadFault.kind = input.fault();
        result.loadFault.systemError = input.systemError();
        return false;
    }
    identity = input.identity();
    LoadList list(loads, maxLoads);
    LoadFileReader reader(list, std::numeric_limits<std::size_t>::max());
    if (!input.readLoads(reader)) {
        result.fault = OptimalRunFault::kUnreadableLoads;
        result.loadFault = reader.fault();
        return false;
    }
    result.loadCount = list.count();
    if (result.loadCount > maxLoads) result.fault = OptimalRunFault::kTooManyLoads;
    if (result.loadCount < kMinLoads) result.fault = OptimalRunFault::kTooFewLoads;
    return result.fault == OptimalRunFault::kNone;
}

}  // namespace

OptimalRunResult runOptimal(const std::string& dataFilePath, std::size_t maxLoads) {
    OptimalRunResult result;
    result.resultNames = resultNamesFor(dataFilePath);

    // The loads are read before any result file is looked at, so an input
    // that is refused touches nothing.
    std::vector<float> loads;
    FileIdentity dataFile;
    if (!readLoads(dataFilePath, std::min(maxLoads, kMaxOptimalIsolators), loads, dataFile, result))
        return result;

    ResultFilePair results(result.resultNames.report.c_str(), result.resultNames.plot.c_str());
    if (!results.check(dataFile)) return failResultFile(result, results.failure());

    // Stable, as the classic techniques sort: of equal loads, -0 and 0 keep
    // their order in the file, and the load plot shows the sign of each.
    std::stable_sort(loads.begin(), loads.end());
    if (singleTypeFiguresOverflow(loads)) {
        result.fault = OptimalRunFault::kOverflow;
        return result;
    }
    const std::vector<double> sortedLoads(loads.begin(), loads.end());
    std::vector<ResultSetRecord> sets;
    for (const OptimalGrouping& grouping : findOptimalGroupings(sortedLoads)) {
        sets.push_back(recordOf(grouping, loads.size()));
        if (!isFinite(sets.back())) {
            result.fault = OptimalRunFault::kOverflow;
            return result;
        }
    }

    if (!results.openReport()) return failResultFile(result, results.failure());
    for (const ResultSetRecord& set : sets)
        writeResultSet(results.report(), set);
    if (results.openPlot()) writeLoadPlot(results.plot(), loads);
    if (!results.commit()) return failResultFile(result, results.failure());
    result.status = 0;
    return result;
}

}  // namespace tamsor
