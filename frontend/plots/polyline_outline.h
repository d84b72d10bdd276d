// SPDX-License-Identifier: GPL-3.0-or-later
// A polyline of many more points than a plot has pixel columns, reduced to
// what those columns show: per column the lowest and highest point the line
// reaches in it, exactly, including where a segment crosses the column.
// Drawn as a vertical stroke per column joined to its neighbours, it covers
// the same pixels as every segment drawn one by one.
#ifndef TAMSOR_POLYLINE_OUTLINE_H
#define TAMSOR_POLYLINE_OUTLINE_H

#include <cstddef>
#include <span>
#include <vector>

namespace tamsor {

struct ColumnReach {
    int column = 0;  // 0-based, from the left edge
    double low = 0;
    double high = 0;
};

// The columns the polyline through (xs[i], ys[i]) reaches, left to right,
// where `columns` pixel columns split the x range from `left` to `right`
// evenly; points outside it count for the first or last column.
std::vector<ColumnReach> polylineOutline(std::span<const float> xs, std::span<const float> ys,
                                         double left, double right, int columns);

}  // namespace tamsor

#endif
