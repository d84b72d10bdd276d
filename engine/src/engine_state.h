// SPDX-License-Identifier: GPL-3.0-or-later
// The engine's one working record and the real type it computes in.
#ifndef VORBECK1_ENGINE_STATE_H
#define VORBECK1_ENGINE_STATE_H

#include <array>
#include <cstdint>

#include "tamsor/domain_limits.h"
#include "vorbeck1.h"

namespace engine {

// Every load, mean, sum, threshold and total is single precision, and every
// stored sum is rounded to single precision after each addition. The report's
// figures depend on it, so no wider accumulator may be used anywhere.
using Real = float;

// The domain's limits as the engine's tables are indexed: by int.
inline constexpr int kMaxLoads = static_cast<int>(tamsor::kMaxClassicIsolators);
inline constexpr int kMinLoads = static_cast<int>(tamsor::kMinIsolators);
inline constexpr int kMaxPartitions = tamsor::kMaxTypes;
inline constexpr int kPartitionTableSize = 16;
inline constexpr int kInputPathLength = static_cast<int>(tamsor::kEngineNameLength);
static_assert(kInputPathLength == VORBECK1_PATH_LENGTH,
              "the entry's name argument is the domain's engine name length");
// A result name is the input path (at most kInputPathLength characters) with
// its extension replaced by, or appended with, ".out" / ".plt".
inline constexpr int kResultNameCapacity = kInputPathLength + 4 + 1;

enum Status : std::int32_t { kSuccess = 0, kUnreadable = 1, kEmptyPartition = 2 };

// Tables are indexed by 1-based sorted position or partition number, as the
// engineer reads them in the report; index 0 is unused.
struct EngineState {
    std::int32_t load_count = 0;              // N
    std::array<Real, kMaxLoads + 1> loads{};  // loads(1..N), ascending after sorting
    std::int32_t partition_count = 0;         // n
    // Partition k holds the loads at positions boundary(k)+1 .. boundary(k+1);
    // boundary(1) = 0 and boundary(n+1) = N.
    std::array<std::int32_t, kPartitionTableSize + 1> boundary{};
    std::array<Real, kPartitionTableSize + 1> partition_mean{};
    std::array<Real, kPartitionTableSize + 1> partition_deviation{};  // sum of squared differences
    std::array<Real, kPartitionTableSize + 1>
        reference_deviation{};  // sums of the refinement's reference position
    std::array<Real, kPartitionTableSize + 1> threshold{};  // equal-range start
    std::int32_t operation_count =
        0;  // elementary steps since sorting; written in every result set
    Real total_deviation = 0;
    std::int32_t equal_count_start = 0;  // 1 when the caller's method flag was not 0

    std::array<char, kResultNameCapacity> report_file_name{};  // zero terminated
    std::array<char, kResultNameCapacity> plot_file_name{};

    // Working values of one boundary search.
    std::int32_t search_direction = -1;  // -1 gives a load of partition j to j+1, +1 takes one back
    std::int32_t saved_boundary = 0;     // the boundary before the last move
    bool reference_taken = false;        // reference_deviation holds an evaluated position
    std::int32_t upper_restart_mark = 0;
    std::int32_t lower_restart_mark = 0;

    // Total of the previous sweep for the current partition count.
    bool previousTotalSet = false;
    Real previous_total = 0;
};

// Counts elementary steps; saturates rather than overflowing on absurd inputs
// (the report writes any count above 999 999 999 as asterisks anyway).
inline void countOperations(EngineState& state, std::int32_t steps) {
    constexpr std::int32_t kMax = INT32_MAX;
    state.operation_count =
        state.operation_count > kMax - steps ? kMax : state.operation_count + steps;
}

}  // namespace engine

#endif
