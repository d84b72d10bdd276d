// SPDX-License-Identifier: GPL-3.0-or-later
#include "starting_boundaries.h"

#include <gtest/gtest.h>

#include <vector>

#include "partitioning_test_support.h"

namespace {

using tamsor::testing::boundaries;
using tamsor::testing::state_with;
using tamsor::testing::ten_to_hundred_ten;

TEST(EqualCountStart, DividesThePositionsInIntegerSteps) {
    auto two = state_with(ten_to_hundred_ten(), 2);
    two.equal_count_start = 1;
    engine::place_starting_boundaries(two);
    EXPECT_EQ(boundaries(two), (std::vector<int>{0, 5, 11}));
    EXPECT_EQ(two.operation_count, 1);

    auto three = state_with(ten_to_hundred_ten(), 3);
    three.equal_count_start = 1;
    engine::place_starting_boundaries(three);
    EXPECT_EQ(boundaries(three), (std::vector<int>{0, 3, 7, 11}));

    auto six = state_with(ten_to_hundred_ten(), 6);
    six.equal_count_start = 1;
    engine::place_starting_boundaries(six);
    EXPECT_EQ(boundaries(six), (std::vector<int>{0, 1, 3, 5, 7, 9, 11}));

    auto twenty = state_with(std::vector<float>(20, 5), 9);
    twenty.equal_count_start = 1;
    engine::place_starting_boundaries(twenty);
    EXPECT_EQ(boundaries(twenty), (std::vector<int>{0, 2, 4, 6, 8, 11, 13, 15, 17, 20}));
    EXPECT_EQ(twenty.operation_count, 8);
}

TEST(EqualRangeStart, EndsTheLowerPartitionAtTheLoadThatReachesAThreshold) {
    // Threshold 60 is reached by load 6 itself.
    auto state = state_with(ten_to_hundred_ten(), 2);
    engine::place_starting_boundaries(state);
    EXPECT_EQ(boundaries(state), (std::vector<int>{0, 6, 11}));
    EXPECT_EQ(state.threshold[1], 60.0f);
    EXPECT_EQ(state.operation_count, 1 + 6);  // one threshold, six loads scanned

    // Thresholds (100*1)/3 + 10 = 43.33 and (100*2)/3 + 10 = 76.67.
    auto three = state_with(ten_to_hundred_ten(), 3);
    engine::place_starting_boundaries(three);
    EXPECT_EQ(boundaries(three), (std::vector<int>{0, 5, 8, 11}));
}

TEST(EqualRangeStart, AdvancesOnePartitionPerLoadAcrossSeveralThresholds) {
    // Thresholds 25.75, 50.5, 75.25: the loads of 100 cross all three, one each.
    auto state = state_with({1, 1, 1, 1, 1, 1, 100, 100, 100, 100, 100}, 4);
    engine::place_starting_boundaries(state);
    EXPECT_EQ(boundaries(state), (std::vector<int>{0, 7, 8, 9, 11}));
    EXPECT_EQ(state.operation_count, 3 + 9);
}

TEST(EqualRangeStart, LeavesTheTopPartitionEmptyWhenTheLastLoadCompletesTheScan) {
    std::vector<float> loads(10, 100);
    loads.push_back(1000);
    auto state = state_with(loads, 2);
    engine::place_starting_boundaries(state);
    EXPECT_EQ(state.threshold[1], 550.0f);
    EXPECT_EQ(boundaries(state), (std::vector<int>{0, 11, 11}));
}

TEST(EqualRangeStart, RePlacesThresholdsAtLoadsWhenTheScanRunsOut) {
    // Thresholds 25.75, 50.5, 75.25: loads 10 and 11 take two of them, then
    // the loads run out. Round 1 puts two thresholds at the loads of positions
    // 11/3 = 3 and 22/3 = 7 (both 1) and one at the largest load.
    std::vector<float> loads(9, 1);
    loads.insert(loads.end(), {100, 100});
    auto state = state_with(loads, 4);
    EXPECT_TRUE(engine::placeEqualRangeBoundaries(state));
    EXPECT_EQ(boundaries(state), (std::vector<int>{0, 1, 2, 10, 11}));
    EXPECT_EQ(state.threshold[1], 1.0f);
    EXPECT_EQ(state.threshold[2], 1.0f);
    EXPECT_EQ(state.threshold[3], 100.0f);
    // 3 thresholds + 11 loads scanned + 3 re-placed + 10 loads scanned.
    EXPECT_EQ(state.operation_count, 27);
}

TEST(EqualRangeStart, FallsBackToEqualCountsWhenNoRoundFormsTheTypes) {
    // A single outlier: every round leaves the top partition without a load.
    std::vector<float> loads(10, 100);
    loads.push_back(1000);
    auto state = state_with(loads, 3);
    engine::place_starting_boundaries(state);
    EXPECT_EQ(boundaries(state), (std::vector<int>{0, 3, 7, 11}));
    // 2 thresholds, scan of 11; round 1: 2 re-placed, scan of 11; round 2: 2
    // re-placed, scan of 11; then 2 equal-count boundaries.
    EXPECT_EQ(state.operation_count, 41);
}

TEST(EqualRangeStart, CopesWithARangeBeyondSinglePrecision) {
    // The difference of the extreme loads overflows to infinity, so no load
    // reaches the first thresholds; the re-placement still forms the types.
    auto state = state_with({-3e38f, -2e38f, -1e38f, 0, 1, 2, 3, 1e38f, 2e38f, 3e38f, 3e38f}, 5);
    engine::place_starting_boundaries(state);
    const auto placed = boundaries(state);
    ASSERT_EQ(placed.size(), 6u);
    for (std::size_t k = 1; k < placed.size(); ++k)
        EXPECT_LT(placed[k - 1], placed[k]);
    EXPECT_EQ(placed.back(), 11);
}

}  // namespace
