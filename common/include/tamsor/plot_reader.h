// SPDX-License-Identifier: GPL-3.0-or-later
// The load plot file read back by its columns, trusting nothing: every point
// must stand where the layout puts it, and the points must form the step
// curve of ascending loads that a run writes.
#ifndef TAMSOR_PLOT_READER_H
#define TAMSOR_PLOT_READER_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tamsor/read_error.h"

namespace tamsor {

// One point of the step curve: a sorted position and the load there.
struct PlotPoint {
    std::int32_t position = 0;
    float load = 0;

    friend bool operator==(const PlotPoint&, const PlotPoint&) = default;
};

// The points of load plot text, in order. Throws ReadError, naming the line,
// where the text is not a load plot: no points, a line of the wrong width, a
// field that is not a number of its kind, a first position other than 1, a
// position that does not stay or rise by one, or a load below the one before.
std::vector<PlotPoint> parsePlot(std::string_view text);

// The same for the plot file at `path` (ReadError kCannotOpen when it cannot
// be read; messages start with the path).
std::vector<PlotPoint> readPlot(const std::string& path);

// The number of loads a plot shows: its last position less one.
inline std::int64_t plottedLoadCount(const std::vector<PlotPoint>& points) {
    return points.empty() ? 0 : std::int64_t{points.back().position} - 1;
}

}  // namespace tamsor

#endif
