// SPDX-License-Identifier: GPL-3.0-or-later
// The load plot file read back strictly: the step curve as a run writes it,
// and every way a plot can break its layout named with its line.
#include "tamsor/plot_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tamsor {
namespace {

// Loads 500, 500, 520 (the exponent form for a load below 1 too): each at its
// position and, where the next differs or it is the last, at the next one.
constexpr const char* kPlot =
    "          1      500.000000\r\n"
    "          2      500.000000\r\n"
    "          3      500.000000\r\n"
    "          3      520.000000\r\n"
    "          4      520.000000\r\n";

TEST(PlotReader, ReadsTheStepCurveOfAscendingLoads) {
    const std::vector<PlotPoint> points = parsePlot(kPlot);
    EXPECT_EQ(points, (std::vector<PlotPoint>{{1, 500}, {2, 500}, {3, 500}, {3, 520}, {4, 520}}));
    EXPECT_EQ(plottedLoadCount(points), 3);
    const std::string small = "          1    5.000000E-01\n          2    5.000000E-01\n";
    EXPECT_EQ(parsePlot(small), (std::vector<PlotPoint>{{1, 0.5f}, {2, 0.5f}}));
}

TEST(PlotReader, RefusesWhatBreaksTheLayoutNamingTheLine) {
    const std::string plot = kPlot;
    const std::string third = "          3      500.000000\r\n";
    const std::pair<std::string, std::string> cases[] = {
        {"", "no points"},
        {plot.substr(29), "line 1: the first point is not at position 1"},
        {plot + "          6      520.000000\r\n", "line 6: position 6 after 4"},
        {plot + "          4      510.000000\r\n", "line 6: a load below the one before"},
        {plot + "          4     520.000000\r\n", "line 6: 26 characters, not 27"},
        {plot + "          4      520,000000\r\n", "line 6: \"520,000000\" is not a load"},
        {plot + "          4     ***********\r\n", "line 6: \"***********\" is not a load"},
        {plot + "          4             inf\r\n", "line 6: \"inf\" is not a load"},
        {plot + "        4.5      520.000000\r\n", "line 6: \"4.5\" is not a position"},
        {plot + "                 520.000000\r\n", "line 6: no position"},
        {plot + "\r\n", "line 6: 0 characters, not 27"},
    };
    for (const auto& [text, message] : cases) {
        try {
            parsePlot(text);
            ADD_FAILURE() << "read: " << message;
        } catch (const ReadError& error) {
            EXPECT_EQ(error.what(), message);
        }
    }
}

}  // namespace
}  // namespace tamsor
