// SPDX-License-Identifier: GPL-3.0-or-later
#include "plots/polyline_outline.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tamsor {

std::vector<ColumnReach> polylineOutline(std::span<const float> xs, std::span<const float> ys,
                                         double left, double right, int columns) {
    const std::size_t points = std::min(xs.size(), ys.size());
    if (points == 0 || columns <= 0 || !(right > left)) return {};
    const double perColumn = (right - left) / columns;
    const auto columnOf = [&](double x) {
        const double c = std::floor((x - left) / perColumn);
        return static_cast<int>(std::clamp(c, 0.0, static_cast<double>(columns - 1)));
    };
    constexpr double kNone = std::numeric_limits<double>::infinity();
    std::vector<double> low(static_cast<std::size_t>(columns), kNone);
    std::vector<double> high(static_cast<std::size_t>(columns), -kNone);
    const auto reach = [&](int c, double y) {
        const auto k = static_cast<std::size_t>(c);
        low[k] = std::min(low[k], y);
        high[k] = std::max(high[k], y);
    };

    reach(columnOf(xs[0]), ys[0]);
    for (std::size_t i = 1; i < points; ++i) {
        double x0 = xs[i - 1], y0 = ys[i - 1], x1 = xs[i], y1 = ys[i];
        if (x1 < x0) {
            std::swap(x0, x1);
            std::swap(y0, y1);
        }
        const int first = columnOf(x0);
        const int last = columnOf(x1);
        if (first == last) {
            reach(first, y0);
            reach(first, y1);
            continue;
        }
        // A segment across columns reaches, in each, the heights at the
        // column's edges.
        const auto heightAt = [&](double x) { return y0 + (y1 - y0) * (x - x0) / (x1 - x0); };
        for (int c = first; c <= last; ++c) {
            const double from = std::max(x0, left + c * perColumn);
            const double to = std::min(x1, left + (c + 1) * perColumn);
            reach(c, c == first ? y0 : heightAt(from));
            reach(c, c == last ? y1 : heightAt(to));
        }
    }

    std::vector<ColumnReach> outline;
    for (int c = 0; c < columns; ++c) {
        const auto k = static_cast<std::size_t>(c);
        if (low[k] <= high[k]) outline.push_back({c, low[k], high[k]});
    }
    return outline;
}

}  // namespace tamsor
