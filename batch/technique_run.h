// One technique run on a data file whose loads and result names were checked,
// and its report read back and checked against the run.
#ifndef TAMSOR_BATCH_TECHNIQUE_RUN_H
#define TAMSOR_BATCH_TECHNIQUE_RUN_H

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "batch_options.h"
#include "tamsor/data_file.h"
#include "tamsor/report_reader.h"
#include "tamsor/result_names.h"
#include "tamsor/safe_result_files.h"

namespace tamsor {

struct TechniqueRun {
    Technique technique = Technique::kMethod1;
    std::vector<ReportSet> sets;  // as the report holds them
    // All nine sets. Otherwise the run stopped at sets.size() + 1 types: an
    // isolator type became empty (the classic techniques alone).
    bool complete = false;

    int stoppedAt() const { return static_cast<int>(sets.size()) + 1; }
};

// Runs `technique` on the data file at `path`, which holds `loadCount` loads,
// then reads its report back. The caller holds the data file's lock. On a
// failure the reason goes to `messages` and nothing is returned.
std::optional<TechniqueRun> runTechnique(Technique technique, const std::string& path,
                                         const ResultNames& names, const FileIdentity& dataFile,
                                         std::size_t loadCount, std::ostream& messages);

// "FILE: cannot write NAME: reason", or that a result file would overwrite
// the data file itself.
void reportResultFailure(const std::string& path, const ResultNames& names,
                         const ResultFailure& failure, std::ostream& messages);

}  // namespace tamsor

#endif
