// SPDX-License-Identifier: GPL-3.0-or-later
// Engine states built by hand for the partitioning tests.
#ifndef TAMSOR_TESTS_ENGINE_PARTITIONING_TEST_SUPPORT_H
#define TAMSOR_TESTS_ENGINE_PARTITIONING_TEST_SUPPORT_H

#include <vector>

#include "engine_state.h"

namespace tamsor::testing {

// Sorted loads(1..N) and partition count n, boundaries cleared as the run does.
inline engine::EngineState state_with(const std::vector<float>& sorted_loads, int partitions) {
    engine::EngineState state;
    state.load_count = static_cast<int>(sorted_loads.size());
    for (std::size_t i = 0; i < sorted_loads.size(); ++i)
        state.loads[i + 1] = sorted_loads[i];
    state.partition_count = partitions;
    return state;
}

// boundary(1..n+1) of the state.
inline std::vector<int> boundaries(const engine::EngineState& state) {
    return {state.boundary.begin() + 1, state.boundary.begin() + state.partition_count + 2};
}

inline void set_boundaries(engine::EngineState& state, const std::vector<int>& values) {
    for (std::size_t k = 0; k < values.size(); ++k)
        state.boundary[k + 1] = values[k];
}

inline std::vector<float> ten_to_hundred_ten() {
    return {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110};
}

}  // namespace tamsor::testing

#endif
