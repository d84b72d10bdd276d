// SPDX-License-Identifier: GPL-3.0-or-later
// tamsor-batch's command line: which technique, what to print, in what form.
#ifndef TAMSOR_BATCH_BATCH_OPTIONS_H
#define TAMSOR_BATCH_BATCH_OPTIONS_H

#include <optional>
#include <string>
#include <vector>

#include "tamsor/technique.h"

namespace tamsor {

enum class OutputFormat { kText, kCsv, kJson };

struct BatchOptions {
    // The techniques run on each file, in this order: one, or every technique
    // of the table with --compare.
    std::vector<TechniqueId> techniques{TechniqueId::kMethod1};
    bool compare = false;
    int scheduleTypes = 0;  // --types N; 0 when no schedule is asked for
    // --types fewest: the schedule for the fewest types within the tolerance.
    bool scheduleFewest = false;
    std::optional<double> tolerancePercent;  // --tolerance T
    OutputFormat format = OutputFormat::kText;
    std::vector<std::string> files;
};

struct ParsedCommandLine {
    BatchOptions options;
    bool help = false;
    bool version = false;
    std::string error;  // a usage error, without the usage text
};

ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments);

// The --help text, its techniques from the technique table.
extern const std::string kUsage;

}  // namespace tamsor

#endif
