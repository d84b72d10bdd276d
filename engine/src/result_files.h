// SPDX-License-Identifier: GPL-3.0-or-later
// The engine's result sets and sorted loads handed to the shared writers of
// the partition report and the load plot file.
#ifndef VORBECK1_RESULT_FILES_H
#define VORBECK1_RESULT_FILES_H

#include "engine_state.h"
#include "tamsor/result_set_format.h"
#include "tamsor/safe_result_files.h"

namespace engine {

// The result set of the current partition count: boundaries, means, the
// operation count and the pooled variance total_deviation / N.
tamsor::ResultSetRecord resultSetOf(const EngineState& state);

// Whether every figure of that set is a finite number. Loads so large that a
// single-precision sum overflows give infinite or undefined totals.
bool resultSetIsFinite(const EngineState& state);

void writeResultSet(tamsor::ResultFile& report, const EngineState& state);

// The step curve of loads(1..N), sorted.
void writeLoadPlot(tamsor::ResultFile& plot, const EngineState& state);

}  // namespace engine

#endif
