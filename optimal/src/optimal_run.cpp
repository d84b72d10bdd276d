// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/optimal_run.h"

#include <algorithm>
#include <vector>

#include "tamsor/data_file.h"
#include "tamsor/load_sorting.h"
#include "tamsor/optimal_result_sets.h"
#include "tamsor/result_files_writing.h"
#include "tamsor/result_names.h"

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

    const ResultNames names = resultNamesFor(dataFilePath);
    if (RunDiagnosis results = diagnoseResultFiles(names, input.identity()); !results.ok()) {
        results.loadCount = diagnosis.loadCount;
        return results;
    }

    // Stable, as the classic techniques sort: of equal loads, -0 and 0 keep
    // their order in the file, and the load plot shows the sign of each.
    stableSortLoads(loads);
    const std::vector<ResultSetRecord> sets = optimalResultSets(loads);
    if (sets.empty()) {
        diagnosis.fault = RunFault::kOverflow;
        return diagnosis;
    }
    RunDiagnosis written = writeResultFiles(names, input.identity(), sets, loads);
    written.loadCount = diagnosis.loadCount;
    return written;
}

}  // namespace tamsor
