// SPDX-License-Identifier: GPL-3.0-or-later
// One complete engine run: read, sort, partition for 1 to 9 types, write.
#ifndef VORBECK1_ENGINE_RUN_H
#define VORBECK1_ENGINE_RUN_H

#include <cstdint>

#include "engine_state.h"

namespace engine {

// Receives each result set as soon as it is final.
class ResultSetSink {
  public:
    virtual void onResultSet(const EngineState& state) = 0;

  protected:
    ~ResultSetSink() = default;
};

// input_file_name: kInputPathLength bytes, blank padded (a zero byte also
// ends the path). Sets status to 0, 1 or 2 as the entry documents. Nothing on
// disk changes unless the run ends with status 0 or 2 and both result files
// were written completely; a failure to write is status 1.
void runEngine(EngineState& state, std::int32_t method_flag, std::int32_t& status,
               const char* input_file_name);

// Sorts loads(1..N) ascending; equal loads keep their input order.
void sortLoads(EngineState& state);

// The computation alone, on loads(1..N) already read: sorts them, then hands
// the result sets for n = 1..9 to `sink` as each becomes final. Sets status 1
// for fewer than 11 loads or for a set whose single-precision figures
// overflow, 2 at the first empty partition (and stops), and leaves it
// unchanged otherwise.
void computeResultSets(EngineState& state, std::int32_t method_flag, std::int32_t& status,
                       ResultSetSink& sink);

}  // namespace engine

#endif
