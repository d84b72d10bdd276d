// SPDX-License-Identifier: GPL-3.0-or-later
#include "loads_reading.h"

#include <sys/stat.h>

#include <algorithm>

#include "run_failure.h"
#include "tamsor/load_sorting.h"
#include "tamsor/run_diagnosis.h"

namespace tamsor {
namespace {

// Keeps the loads up to the maximum, and every warning.
class KeptLoads final : public LoadSink {
  public:
    KeptLoads(std::size_t maxLoads, bool keepLabels, CalculationOutcome& outcome)
        : maxLoads_(maxLoads), keepLabels_(keepLabels), outcome_(outcome) {}

    void onLoad(const LoadLine& load) override {
        if (outcome_.loads.size() < maxLoads_)
            outcome_.loads.add(load.line, load.load, keepLabels_ ? load.label : std::string_view());
        if (!load.decimalComma.empty())
            outcome_.warnings.push_back(
                {load.line, std::string(load.decimalComma), std::string(load.number)});
    }

  private:
    std::size_t maxLoads_;
    bool keepLabels_;
    CalculationOutcome& outcome_;
};

}  // namespace

std::optional<CalculationFailure> readLoads(DataFile& file, std::size_t maxLoads, bool keepLabels,
                                            CalculationOutcome& outcome) {
    // Room for every load the file can hold, each a digit and a line end at least, so that
    // a large building's loads are not copied as they come.
    struct stat status {};
    if (::fstat(file.descriptor(), &status) == 0 && status.st_size > 0)
        outcome.loads.reserve(std::min(maxLoads, static_cast<std::size_t>(status.st_size) / 2 + 1));
    KeptLoads sink(maxLoads, keepLabels, outcome);
    const RunDiagnosis diagnosis = diagnoseLoads(file, sink, maxLoads);
    if (!diagnosis.ok()) return failureOf(diagnosis, outcome.names, maxLoads);
    outcome.sortedLoads.assign(outcome.loads.loads().begin(), outcome.loads.loads().end());
    // Stable, as the engine sorts: of equal loads, -0 and 0 keep their order
    // in the file, and the load plot shows the sign of each.
    stableSortLoads(outcome.sortedLoads);
    return std::nullopt;
}

}  // namespace tamsor
