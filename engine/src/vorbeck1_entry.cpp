// SPDX-License-Identifier: GPL-3.0-or-later
// The library's one exported symbol.
#include "vorbeck1.h"

#include "engine_run.h"
#include "engine_state.h"

namespace {

// The engine's process-wide working record: it lives as long as the library
// is loaded and every run re-initialises what it reads. Calls must not overlap.
engine::EngineState engineState;

}  // namespace

extern "C" VORBECK1_API void VORBECK1_CALL vorbeck1(int32_t* method_flag, int32_t* status,
                                                    const char* input_file_name) {
    if (status == nullptr) return;
    if (method_flag == nullptr || input_file_name == nullptr) {
        *status = engine::kUnreadable;
        return;
    }
    engine::runEngine(engineState, *method_flag, *status, input_file_name);
}
