// SPDX-License-Identifier: GPL-3.0-or-later
// Partition means and sums of squared differences over the sorted loads.
#ifndef VORBECK1_PARTITION_STATISTICS_H
#define VORBECK1_PARTITION_STATISTICS_H

#include <cstdint>

#include "engine_state.h"

namespace engine {

// Sets partition_mean(k) for partition k alone, counting one step per load.
// Returns false, leaving the mean as it was, when the partition holds no load
// (also when its upper boundary lies below its lower one).
bool computeMeanOfPartition(EngineState& state, int k);

// Sum over partition k of (partition_mean(k) - load)^2 with the mean as it
// stands, counting one step per load.
Real deviationOfPartition(EngineState& state, int k);

// Means of partitions 1..n in order; at the first empty partition sets status
// to 2 and returns, so later means keep their old values.
void compute_partition_means(EngineState& state, std::int32_t& status);

// total_deviation over partitions 1..n from the current boundaries and means.
void compute_total_deviation(EngineState& state);

}  // namespace engine

#endif
