// SPDX-License-Identifier: GPL-3.0-or-later
// The world window of a canvas: the world coordinates of its four edges, and
// the linear mapping of world points onto the canvas's inner area.
#ifndef TAMSOR_WORLD_WINDOW_H
#define TAMSOR_WORLD_WINDOW_H

#include <optional>
#include <utility>

#include <QPointF>
#include <QRectF>

namespace tamsor {

// y grows upwards: `top` is the world y of the upper edge. An edge pair may
// be given either way round (right < left mirrors the picture).
struct WorldWindow {
    double left = 0.0;
    double right = 1.0;
    double bottom = 0.0;
    double top = 1.0;

    // Whether points can be mapped: a finite, non-zero extent both ways.
    bool isMappable() const;

    friend bool operator==(const WorldWindow&, const WorldWindow&) = default;
};

QPointF worldToPixel(const WorldWindow& window, const QRectF& inner, QPointF world);

// The part of the segment from `from` to `to` that lies inside the window,
// or nothing when the segment misses it. Keeps far-away endpoints from
// reaching the painter as enormous pixel coordinates.
std::optional<std::pair<QPointF, QPointF>> clipToWindow(const WorldWindow& window, QPointF from,
                                                        QPointF to);

}  // namespace tamsor

#endif
