// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/world_window.h"

#include <algorithm>
#include <cmath>

namespace tamsor {
namespace {

enum class Axis { kX, kY };

// One edge of the window: the points kept have their coordinate on `axis`
// at or above `bound` (`keepAbove`), or at or below it.
struct Edge {
    Axis axis;
    double bound;
    bool keepAbove;

    double along(QPointF p) const { return axis == Axis::kX ? p.x() : p.y(); }
    double across(QPointF p) const { return axis == Axis::kX ? p.y() : p.x(); }
    bool keeps(QPointF p) const { return keepAbove ? along(p) >= bound : along(p) <= bound; }
    QPointF point(double alongValue, double acrossValue) const {
        return axis == Axis::kX ? QPointF(alongValue, acrossValue)
                                : QPointF(acrossValue, alongValue);
    }
};

// Moves the endpoint outside `edge` onto it; false when both are outside.
// The crossing lies exactly on the edge, and the fraction is taken of halves
// so that no finite coordinates overflow.
bool clipAtEdge(const Edge& edge, QPointF& from, QPointF& to) {
    const bool keepFrom = edge.keeps(from);
    const bool keepTo = edge.keeps(to);
    if (keepFrom && keepTo) return true;
    if (!keepFrom && !keepTo) return false;
    const double span = edge.along(to) / 2 - edge.along(from) / 2;
    const double t = span != 0
                         ? std::clamp((edge.bound / 2 - edge.along(from) / 2) / span, 0.0, 1.0)
                         : 0.0;  // endpoints too close to tell apart
    const double across = edge.across(from) * (1 - t) + edge.across(to) * t;
    (keepFrom ? to : from) = edge.point(edge.bound, across);
    return true;
}

}  // namespace

bool WorldWindow::isMappable() const {
    const double width = right - left;
    const double height = top - bottom;
    return std::isfinite(width) && std::isfinite(height) && width != 0.0 && height != 0.0;
}

QPointF worldToPixel(const WorldWindow& window, const QRectF& inner, QPointF world) {
    const double fx = (world.x() - window.left) / (window.right - window.left);
    const double fy = (window.top - world.y()) / (window.top - window.bottom);
    return QPointF(inner.left() + fx * inner.width(), inner.top() + fy * inner.height());
}

std::optional<std::pair<QPointF, QPointF>> clipToWindow(const WorldWindow& window, QPointF from,
                                                        QPointF to) {
    const Edge edges[] = {
        {Axis::kX, std::min(window.left, window.right), true},
        {Axis::kX, std::max(window.left, window.right), false},
        {Axis::kY, std::min(window.bottom, window.top), true},
        {Axis::kY, std::max(window.bottom, window.top), false},
    };
    for (const Edge& edge : edges)
        if (!clipAtEdge(edge, from, to)) return std::nullopt;
    return std::make_pair(from, to);
}

}  // namespace tamsor
