// SPDX-License-Identifier: GPL-3.0-or-later
// The sustained loads of an input data file, read straight into the engine's
// load table by the shared reading rules.
#ifndef VORBECK1_LOAD_TABLE_H
#define VORBECK1_LOAD_TABLE_H

#include "engine_state.h"
#include "tamsor/data_file.h"

namespace engine {

// Sets loads(1..N) and load_count from the whole file; false when the file
// cannot be read, breaks the reading rules or holds more than 100 loads.
bool readLoads(tamsor::DataFile& file, EngineState& state);

}  // namespace engine

#endif
