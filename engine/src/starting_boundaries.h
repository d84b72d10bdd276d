// SPDX-License-Identifier: GPL-3.0-or-later
// The first division of the sorted loads into n partitions, before refinement.
#ifndef VORBECK1_STARTING_BOUNDARIES_H
#define VORBECK1_STARTING_BOUNDARIES_H

#include "engine_state.h"

namespace engine {

// Sets boundary(1..n+1) for the current partition count by the chosen start
// (equal load ranges, or equal counts when equal_count_start is 1), then falls
// back to equal counts if any of boundary(2..n+1) is still 0. Expects the
// boundaries cleared to 0 beforehand.
void place_starting_boundaries(EngineState& state);

// boundary(k) = (k-1)*N / n in integer division, one step per boundary.
void placeEqualCountBoundaries(EngineState& state);

// The equal-range start alone (thresholds, scan and re-placement), without
// the fallback. Returns whether the scan formed n partitions.
bool placeEqualRangeBoundaries(EngineState& state);

}  // namespace engine

#endif
