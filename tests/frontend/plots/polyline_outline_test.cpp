// SPDX-License-Identifier: GPL-3.0-or-later
// The outline of a staircase per pixel column: exactly the lowest and highest
// height the line reaches in each column, steps within a column and segments
// across columns alike.
#include <gtest/gtest.h>

#include <vector>

#include "plots/polyline_outline.h"

namespace {

using tamsor::ColumnReach;

TEST(PolylineOutline, ReachesExactlyWhatTheLineReachesInEachColumn) {
    // Ten columns of one unit: three steps inside column 0, then a rise
    // from (0.6, 2) to (3.5, 8) across columns 0 to 3, heights by hand:
    // 2 + 6 * 0.4 / 2.9 = 2.8276 at x = 1, 4.8966 at 2, 6.9655 at 3.
    const std::vector<float> xs = {0.2f, 0.4f, 0.4f, 0.6f, 0.6f, 3.5f};
    const std::vector<float> ys = {1, 1, 5, 5, 2, 8};
    const std::vector<ColumnReach> outline = tamsor::polylineOutline(xs, ys, 0, 10, 10);
    ASSERT_EQ(outline.size(), 4u);
    const double expected[][2] = {{1, 5}, {2.8276, 4.8966}, {4.8966, 6.9655}, {6.9655, 8}};
    for (int c = 0; c < 4; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(outline[c].column, c);
        EXPECT_NEAR(outline[c].low, expected[c][0], 1e-4);
        EXPECT_NEAR(outline[c].high, expected[c][1], 1e-4);
    }

    // Points beyond the range count for the edge columns; a falling line
    // reaches the same as a rising one.
    const std::vector<float> beyond = {-5, 12};
    const std::vector<float> heights = {3, -1};
    const auto edges = tamsor::polylineOutline(beyond, heights, 0, 10, 2);
    ASSERT_EQ(edges.size(), 2u);
    EXPECT_NEAR(edges[0].high, 3, 1e-9);
    EXPECT_NEAR(edges[0].low, 3 - 4 * 10.0 / 17, 1e-9);
    EXPECT_NEAR(edges[1].high, 3 - 4 * 10.0 / 17, 1e-9);
    EXPECT_NEAR(edges[1].low, -1, 1e-9);

    EXPECT_TRUE(tamsor::polylineOutline(xs, ys, 0, 10, 0).empty());
}

}  // namespace
