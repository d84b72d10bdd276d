// SPDX-License-Identifier: GPL-3.0-or-later
// What tamsor-batch prints on standard output for each data file, as
// readable text, CSV or JSON. Messages go elsewhere.
#ifndef TAMSOR_BATCH_BATCH_OUTPUT_H
#define TAMSOR_BATCH_BATCH_OUTPUT_H

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "batch_options.h"
#include "tamsor/calculation.h"
#include "tamsor/isolator_schedule.h"
#include "tamsor/run_summary.h"

namespace tamsor {

// The calculation of one data file and what was drawn from it.
struct FileResults {
    std::string path;
    const CalculationOutcome* calculation = nullptr;  // one that succeeded
    std::optional<IsolatorSchedule> schedule;         // for --types N, where the last run reached N
    std::optional<double> tolerancePercent;           // --tolerance T
};

// The summary of one run for the machine-readable outputs, without a
// schedule: per type the isolators, smallest and largest load (from the
// sorted loads at the report's positions) and the report's mean, per set the
// spread figures of its grouping, and the fewest types within the tolerance;
// the sets the run did not reach as such.
RunSummary runSummaryOf(const FileResults& results, const TechniqueRun& run);

class BatchOutput {
  public:
    BatchOutput(const BatchOptions& options, std::ostream& out) : options_(options), out_(out) {}

    // What comes before the first file: the header of the one CSV table.
    void begin();
    void write(const FileResults& results);

  private:
    void writeText(const FileResults& results);
    void writeCsv(const FileResults& results);

    const BatchOptions& options_;
    std::ostream& out_;
};

}  // namespace tamsor

#endif
