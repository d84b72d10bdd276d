// tamsor-batch's command line: which technique, what to print, in what form.
#ifndef TAMSOR_BATCH_BATCH_OPTIONS_H
#define TAMSOR_BATCH_BATCH_OPTIONS_H

#include <string>
#include <vector>

#include "tamsor/technique.h"

namespace tamsor {

enum class OutputFormat { kText, kCsv, kJson };

struct BatchOptions {
    // The techniques run on each file, in this order: one, or all three with --compare.
    std::vector<TechniqueId> techniques{TechniqueId::kMethod1};
    bool compare = false;
    int scheduleTypes = 0;  // --types N; 0 when no schedule is asked for
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

// The --help text.
extern const char* const kUsage;

}  // namespace tamsor

#endif
