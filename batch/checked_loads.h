// The loads of an input data file as tamsor-batch reads them before a run,
// under the data file's lock: to say which line is wrong and why where a
// technique would only refuse the file, to warn of decimal commas, and to
// keep the loads that the summary and the schedule are drawn from.
#ifndef TAMSOR_BATCH_CHECKED_LOADS_H
#define TAMSOR_BATCH_CHECKED_LOADS_H

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "tamsor/data_file.h"
#include "tamsor/isolator_schedule.h"
#include "tamsor/load_file.h"

namespace tamsor {

struct CheckedLoads {
    std::size_t count = 0;
    std::vector<float> sorted;  // ascending, stably sorted as every technique sorts them
    // In file order, with line and label; kept only when a schedule is asked for.
    std::vector<IsolatorLoad> isolators;
};

// Reads the data file, from its start, by the reading rules and checks that
// it holds 11 to `maxLoads` loads. On a refusal, writes the reason to
// `messages` ("FILE:3: \"abc\" is not a number", "FILE: 9 isolators, at least
// 11") and returns nothing.
std::optional<CheckedLoads> checkLoads(const std::string& path, DataFile& file,
                                       std::size_t maxLoads, bool keepIsolators,
                                       std::ostream& messages);

// "FILE:LINE: reason" for a load fault (no line for a whole-file fault).
void reportLoadFault(const std::string& path, const LoadFault& fault, std::ostream& messages);

}  // namespace tamsor

#endif
