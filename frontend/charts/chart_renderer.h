// SPDX-License-Identifier: GPL-3.0-or-later
// A chart drawn with a painter alone, free of widgets, so that the same
// drawing serves the screen, image export and geometry tests.
#ifndef TAMSOR_CHART_RENDERER_H
#define TAMSOR_CHART_RENDERER_H

#include <QImage>
#include <QRectF>
#include <QSize>

class QPainter;

namespace tamsor {

class ChartRenderer {
  public:
    virtual ~ChartRenderer() = default;
    // Paints the whole chart, background included, into `bounds`.
    virtual void paint(QPainter& painter, const QRectF& bounds) const = 0;
    // The chart as an image of `size` pixels.
    QImage render(const QSize& size) const;
};

}  // namespace tamsor

#endif
