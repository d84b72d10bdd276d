// SPDX-License-Identifier: GPL-3.0-or-later
// Searches traced pass by pass by hand: each pass costs the loads of the two
// partitions twice (means, then sums) plus 2 per pair of sums copied or cleared.
#include "boundary_refinement.h"

#include <gtest/gtest.h>

#include <vector>

#include "partitioning_test_support.h"

namespace {

using tamsor::testing::boundaries;
using tamsor::testing::set_boundaries;
using tamsor::testing::state_with;
using tamsor::testing::ten_to_hundred_ten;

TEST(RefineBoundary, TurnsWhenTheFirstMoveDoesNotHelpAndUndoesTheLastMove) {
    // Start at 5 (sums 1000 + 1750); 4 is worse (500 + 2800), so turn; back at
    // 5 is better than 4; 6 ties with 5 (1750 + 1000), so it is undone.
    auto state = state_with(ten_to_hundred_ten(), 2);
    set_boundaries(state, {0, 5, 11});
    std::int32_t status = 0;
    engine::refine_boundary(state, 1, status);

    EXPECT_EQ(status, 0);
    EXPECT_EQ(boundaries(state), (std::vector<int>{0, 5, 11}));
    EXPECT_EQ(state.operation_count, 4 * 22 + 3 * 2);  // the undo copies nothing
    // Means and sums stay those of position 6, the last evaluated.
    EXPECT_EQ(state.partition_mean[1], 35.0f);
    EXPECT_EQ(state.partition_mean[2], 90.0f);
    EXPECT_EQ(state.partition_deviation[1], 1750.0f);
    EXPECT_EQ(state.partition_deviation[2], 1000.0f);
    EXPECT_EQ(state.reference_deviation[1], 1000.0f);
    EXPECT_EQ(state.reference_deviation[2], 1750.0f);
    EXPECT_EQ(state.search_direction, +1);
}

TEST(RefineBoundary, ClampsAtTheLowerLimitAndEnds) {
    // Moving down keeps helping (97.2, 60.75, 0); the move from 3 to 2 reaches
    // the limit of two loads and the search ends there, although 3 was best.
    auto state = state_with({1, 1, 1, 10, 10, 10, 10, 10, 10, 10, 10}, 2);
    set_boundaries(state, {0, 5, 11});
    std::int32_t status = 0;
    engine::refine_boundary(state, 1, status);

    EXPECT_EQ(boundaries(state), (std::vector<int>{0, 2, 11}));
    EXPECT_EQ(state.operation_count, 3 * 24);
    EXPECT_EQ(state.partition_mean[1], 1.0f);  // position 3
    EXPECT_EQ(state.partition_deviation[1], 0.0f);
    EXPECT_EQ(state.partition_deviation[2], 0.0f);
}

TEST(RefineBoundary, RestartsOnceFromTheUpperLimitThenEnds) {
    // Down to 4 is worse, so turn; up helps all the way to 9, the limit: clamp
    // and restart there. From 9, down to 8 is worse, turn, up to 10 helps but
    // meets the limit again: clamp to 9 and end.
    auto state = state_with({1, 1, 1, 1, 1, 1, 1, 1, 1, 10, 10}, 2);
    set_boundaries(state, {0, 5, 11});
    std::int32_t status = 0;
    engine::refine_boundary(state, 1, status);

    EXPECT_EQ(boundaries(state), (std::vector<int>{0, 9, 11}));
    EXPECT_EQ(state.operation_count, 7 * 24 + 2 * 26);
    EXPECT_EQ(state.upper_restart_mark, 0);
    EXPECT_EQ(state.reference_taken, false);
    EXPECT_EQ(state.reference_deviation[1], 0.0f);
    EXPECT_EQ(state.partition_mean[2], 10.0f);
}

TEST(RefineBoundary, RestartsFromTheTopWhenTurningAtTheLowerLimit) {
    // From 2 the first move to 1 is worse; turning lands on the limit, so the
    // search restarts just below the next boundary (10) and walks down, every
    // move helping, until the lower clamp at 2.
    auto state = state_with({1, 1, 5, 5, 5, 5, 5, 5, 5, 5, 5}, 2);
    set_boundaries(state, {0, 2, 11});
    std::int32_t status = 0;
    engine::refine_boundary(state, 1, status);

    EXPECT_EQ(boundaries(state), (std::vector<int>{0, 2, 11}));
    EXPECT_EQ(state.operation_count, 24 + 26 + 24 + 7 * 24);
    EXPECT_EQ(state.lower_restart_mark, 1);
    // Position 3 was the last evaluated: {1, 1, 5} and eight loads of 5.
    EXPECT_EQ(state.partition_mean[1], 7.0f / 3.0f);
    EXPECT_EQ(state.partition_mean[2], 5.0f);
}

TEST(RefineBoundary, EndsAtTheSecondLowerRestartOfATinyPair) {
    // Partitions {1, 1} and {10} of a three-partition set: every restart
    // lands on the limit again, so the second one ends the search at 2.
    auto state = state_with({1, 1, 10, 20, 21, 22, 23, 24, 25, 26, 27}, 3);
    set_boundaries(state, {0, 2, 3, 11});
    std::int32_t status = 0;
    engine::refine_boundary(state, 1, status);

    EXPECT_EQ(status, 0);
    EXPECT_EQ(boundaries(state), (std::vector<int>{0, 2, 3, 11}));
    EXPECT_EQ(state.operation_count, 8 + 10 + 8 + 10);
    EXPECT_EQ(state.lower_restart_mark, 0);
}

TEST(RefineBoundary, ReportsThePartitionThatTheFirstMoveEmpties) {
    auto state = state_with(ten_to_hundred_ten(), 6);
    set_boundaries(state, {0, 1, 3, 5, 7, 9, 11});
    std::int32_t status = 0;
    engine::refine_boundary(state, 1, status);
    EXPECT_EQ(status, 2);
    EXPECT_EQ(state.boundary[2], 0);
}

TEST(RefinePartitions, SweepsUntilTheTotalStopsFalling) {
    // Equal loads: every total is 0, so the second sweep ties with the first
    // and ends the sweeps; each sweep lowers the boundary by one.
    auto state = state_with(std::vector<float>(20, 500), 2);
    set_boundaries(state, {0, 10, 20});
    std::int32_t status = 0;
    engine::refinePartitions(state, status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(boundaries(state), (std::vector<int>{0, 8, 20}));
    EXPECT_EQ(state.total_deviation, 0.0f);

    // The traced search above twice, with a sweep total of 2 steps each.
    auto traced = state_with(ten_to_hundred_ten(), 2);
    set_boundaries(traced, {0, 5, 11});
    traced.operation_count = 23;
    engine::refinePartitions(traced, status);
    EXPECT_EQ(traced.operation_count, 23 + 2 * (94 + 2));
    // The sweep total is made of the sums left at position 6.
    EXPECT_EQ(traced.total_deviation, 2750.0f);
}

TEST(RefinePartitions, StopsWithStatusTwoAtAnEmptyTopPartition) {
    std::vector<float> loads(10, 100);
    loads.push_back(1000);
    auto state = state_with(loads, 2);
    set_boundaries(state, {0, 11, 11});
    std::int32_t status = 0;
    engine::refinePartitions(state, status);
    EXPECT_EQ(status, 2);
}

}  // namespace
