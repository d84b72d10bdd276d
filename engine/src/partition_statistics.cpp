// SPDX-License-Identifier: GPL-3.0-or-later
#include "partition_statistics.h"

namespace engine {

bool computeMeanOfPartition(EngineState& state, int k) {
    const int first = state.boundary[k] + 1;
    const int last = state.boundary[k + 1];
    if (last < first) return false;
    Real sum = 0;
    for (int i = first; i <= last; ++i)
        sum += state.loads[i];
    const std::int32_t count = last - first + 1;
    countOperations(state, count);
    state.partition_mean[k] = sum / static_cast<Real>(count);
    return true;
}

Real deviationOfPartition(EngineState& state, int k) {
    const int first = state.boundary[k] + 1;
    const int last = state.boundary[k + 1];
    const Real mean = state.partition_mean[k];
    Real sum = 0;
    for (int i = first; i <= last; ++i) {
        const Real difference = mean - state.loads[i];
        sum += difference * difference;
    }
    if (last >= first) countOperations(state, last - first + 1);
    return sum;
}

void compute_partition_means(EngineState& state, std::int32_t& status) {
    for (int k = 1; k <= state.partition_count; ++k) {
        if (!computeMeanOfPartition(state, k)) {
            status = kEmptyPartition;
            return;
        }
    }
}

void compute_total_deviation(EngineState& state) {
    // One running total over every load, in partition order, exactly as the
    // report's pooled variance is defined (not a sum of per-partition sums).
    Real total = 0;
    for (int k = 1; k <= state.partition_count; ++k) {
        const Real mean = state.partition_mean[k];
        const int first = state.boundary[k] + 1;
        const int last = state.boundary[k + 1];
        for (int i = first; i <= last; ++i) {
            const Real difference = mean - state.loads[i];
            total += difference * difference;
        }
        if (last >= first) countOperations(state, last - first + 1);
    }
    state.total_deviation = total;
}

}  // namespace engine
