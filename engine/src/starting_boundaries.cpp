// SPDX-License-Identifier: GPL-3.0-or-later
#include "starting_boundaries.h"

namespace engine {
namespace {

// One ascending scan of the loads against threshold(1..n-1). The load that
// reaches threshold(j) ends partition j; each load advances j by one at most.
// Returns the number of partitions whose upper boundary was set when the scan
// ran out of loads, or n when it formed all of them.
int scanThresholds(EngineState& state) {
    const int n = state.partition_count;
    const int loadCount = state.load_count;
    int j = 1;
    state.boundary[1] = 0;
    for (int i = 1; i <= loadCount; ++i) {
        countOperations(state, 1);
        if (state.loads[i] >= state.threshold[j]) {
            ++j;
            state.boundary[j] = i;
            if (j == n) {
                state.boundary[n + 1] = loadCount;
                return n;
            }
        }
    }
    return j;
}

// Re-placement round `round` (1, 2, ...) after a scan that set its last
// boundary at position `lastBoundary` (0 if it set none), whose load is v.
// The lowest n-1-round thresholds go between the smallest load and v, the
// next `round` thresholds between v and the largest load. Each is the load at
// an evenly spaced position of its stretch rather than an evenly spaced value:
// clustered loads leave equal value steps unreached, while a threshold that is
// itself a later load is always reached. A round counts only if its scan
// forms all n partitions with the last one holding a load. In practice the
// failed scan's last boundary is the last load (the largest load reaches every
// threshold below it), so round r keeps r thresholds at the largest load and
// succeeds when enough isolators share that load; otherwise the equal-count
// fallback takes over after round n-1.
void replaceThresholds(EngineState& state, int round, int lastBoundary) {
    const int n = state.partition_count;
    const int loadCount = state.load_count;
    const int below = n - 1 - round;
    auto loadAt = [&](int position) { return state.loads[position < 1 ? 1 : position]; };
    for (int k = 1; k <= below; ++k)
        state.threshold[k] = loadAt(k * lastBoundary / (below + 1));
    for (int m = 1; m <= round; ++m)
        state.threshold[below + m] =
            loadAt(lastBoundary + m * (loadCount - lastBoundary) / (round + 1));
    countOperations(state, n - 1);
}

}  // namespace

void placeEqualCountBoundaries(EngineState& state) {
    const int n = state.partition_count;
    const int loadCount = state.load_count;
    state.boundary[1] = 0;
    for (int k = 2; k <= n; ++k) {
        state.boundary[k] = (k - 1) * loadCount / n;
        countOperations(state, 1);
    }
    state.boundary[n + 1] = loadCount;
}

bool placeEqualRangeBoundaries(EngineState& state) {
    const int n = state.partition_count;
    const Real smallest = state.loads[1];
    const Real largest = state.loads[state.load_count];
    for (int k = 1; k <= n - 1; ++k) {
        // Evaluated in this order, each step rounded to single precision.
        Real step = largest - smallest;
        step = step * static_cast<Real>(k);
        step = step / static_cast<Real>(n);
        state.threshold[k] = step + smallest;
        countOperations(state, 1);
    }
    state.threshold[n] = largest;

    int formed = scanThresholds(state);
    // A first scan that completes at the last load leaves partition n empty;
    // that is reported later as an empty partition, as for any other start.
    if (formed == n) return true;

    for (int round = 1; round <= n - 1; ++round) {
        replaceThresholds(state, round, state.boundary[formed]);
        formed = scanThresholds(state);
        if (formed == n && state.boundary[n] < state.load_count) return true;
    }
    // Not formed after round n-1: boundary(n+1) = 0 makes the caller fall
    // back to equal counts.
    state.boundary[n + 1] = 0;
    return false;
}

void place_starting_boundaries(EngineState& state) {
    if (state.equal_count_start == 0)
        placeEqualRangeBoundaries(state);
    else
        placeEqualCountBoundaries(state);

    // A boundary still 0 means the placement did not form n partitions.
    for (int k = 2; k <= state.partition_count + 1; ++k) {
        if (state.boundary[k] == 0) {
            placeEqualCountBoundaries(state);
            break;
        }
    }
}

}  // namespace engine
