// SPDX-License-Identifier: GPL-3.0-or-later
// One input data file through the chosen techniques, as tamsor-batch runs it:
// the calculation (the file locked, read once and checked, each technique
// run and its result files read back and checked), then its messages and
// its results printed.
#ifndef TAMSOR_BATCH_BATCH_RUN_H
#define TAMSOR_BATCH_BATCH_RUN_H

#include <ostream>
#include <string>

#include "batch_options.h"
#include "batch_output.h"

namespace tamsor {

// Prints the results to `output`, and to `messages` every warning and the
// reason of a failure, each starting with the file's name. Returns whether
// every run found all nine result sets (with --compare: whether all three ran)
// and the schedule asked for could be made.
bool partitionFile(const std::string& path, const BatchOptions& options, BatchOutput& output,
                   std::ostream& messages);

}  // namespace tamsor

#endif
