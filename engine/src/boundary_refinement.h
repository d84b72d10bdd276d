// SPDX-License-Identifier: GPL-3.0-or-later
// Local search that moves one boundary at a time, one load at a time, while
// the loads on either side of it become more alike.
#ifndef VORBECK1_BOUNDARY_REFINEMENT_H
#define VORBECK1_BOUNDARY_REFINEMENT_H

#include <cstdint>

#include "engine_state.h"

namespace engine {

// Searches boundary(j+1), the boundary between partitions j and j+1
// (1 <= j <= n-1). Changes that boundary and the means, sums and reference
// sums of partitions j and j+1 only. Sets status to 2 and returns at once when
// one of the two partitions holds no load. The means and sums left behind are
// those of the last position evaluated, which after an undo or a clamp is not
// the position returned; the sweep total uses them as they are.
void refine_boundary(EngineState& state, int j, std::int32_t& status);

// Sweeps refine_boundary over j = 1..n-1 until a sweep's total of the sums
// left behind is not smaller than the previous sweep's (at least two sweeps).
// Sets status to 2 and stops at the first empty partition.
void refinePartitions(EngineState& state, std::int32_t& status);

}  // namespace engine

#endif
