// SPDX-License-Identifier: GPL-3.0-or-later
#include "boundary_refinement.h"

#include "partition_statistics.h"

namespace engine {
namespace {

void takeReference(EngineState& state, int j) {
    state.reference_deviation[j] = state.partition_deviation[j];
    state.reference_deviation[j + 1] = state.partition_deviation[j + 1];
    countOperations(state, 2);
}

// Forgets the reference so that the next pass evaluates afresh (a restart).
void dropReference(EngineState& state, int j) {
    state.reference_deviation[j] = 0;
    state.reference_deviation[j + 1] = 0;
    countOperations(state, 2);
    state.reference_taken = false;
}

}  // namespace

void refine_boundary(EngineState& state, int j, std::int32_t& status) {
    auto& boundary = state.boundary;
    std::int32_t& searched = boundary[j + 1];

    state.reference_deviation[j] = 0;
    state.reference_deviation[j + 1] = 0;
    state.reference_taken = false;
    state.search_direction = -1;
    state.upper_restart_mark = 0;
    state.lower_restart_mark = 0;

    for (;;) {
        if (!computeMeanOfPartition(state, j) || !computeMeanOfPartition(state, j + 1)) {
            status = kEmptyPartition;
            return;
        }
        state.partition_deviation[j] = deviationOfPartition(state, j);
        state.partition_deviation[j + 1] = deviationOfPartition(state, j + 1);

        if (!state.reference_taken) {
            // First evaluation of this search (or of a restart): remember it
            // and move without any size check.
            takeReference(state, j);
            state.reference_taken = true;
            state.saved_boundary = searched;
            searched += state.search_direction;
            continue;
        }

        const Real newTotal = state.partition_deviation[j + 1] + state.partition_deviation[j];
        const Real referenceTotal = state.reference_deviation[j + 1] + state.reference_deviation[j];

        if (newTotal < referenceTotal) {
            // The last move helped: keep going the same way.
            state.saved_boundary = searched;
            searched += state.search_direction;
            takeReference(state, j);
            if (searched <= boundary[j] + 2) {
                searched = boundary[j] + 2;
                return;
            }
            if (searched >= boundary[j + 2] - 2) {
                searched = boundary[j + 2] - 2;
                state.search_direction = -1;
                dropReference(state, j);
                if (state.upper_restart_mark == 0) {
                    state.upper_restart_mark = 1;
                    continue;
                }
                state.upper_restart_mark = 0;
                return;
            }
            continue;
        }

        // The last move did not help (an equal total included).
        if (state.search_direction == +1) {
            searched = state.saved_boundary;
            return;
        }
        // Turn: take loads back from partition j+1 instead.
        state.search_direction = +1;
        state.saved_boundary = searched;
        searched += 1;
        takeReference(state, j);
        if (searched <= boundary[j] + 2) {
            searched = boundary[j + 2] - 1;
            state.search_direction = -1;
            dropReference(state, j);
            if (state.lower_restart_mark == 0) {
                state.lower_restart_mark = 1;
                continue;
            }
            state.lower_restart_mark = 0;
            searched = boundary[j] + 2;
            return;
        }
    }
}

void refinePartitions(EngineState& state, std::int32_t& status) {
    state.previousTotalSet = false;
    for (;;) {
        for (int j = 1; j <= state.partition_count - 1; ++j) {
            refine_boundary(state, j, status);
            if (status == kEmptyPartition) return;
        }
        Real total = 0;
        for (int k = 1; k <= state.partition_count; ++k)
            total += state.partition_deviation[k];
        countOperations(state, state.partition_count);
        state.total_deviation = total;

        if (state.previousTotalSet && !(total < state.previous_total)) return;
        state.previous_total = total;
        state.previousTotalSet = true;
    }
}

}  // namespace engine
