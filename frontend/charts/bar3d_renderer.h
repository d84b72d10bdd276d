// SPDX-License-Identifier: GPL-3.0-or-later
// The 3D bar chart (type 4), painted without widgets: extruded bars standing
// in a box of floor, side wall and back wall, seen from the front right and
// above, with the value grid on the walls.
#ifndef TAMSOR_BAR3D_RENDERER_H
#define TAMSOR_BAR3D_RENDERER_H

#include <QList>
#include <QPointF>
#include <QRectF>

#include "charts/chart_content.h"
#include "charts/chart_numbers.h"
#include "charts/chart_renderer.h"
#include "charts/chart_style.h"

class QPainter;

namespace tamsor {

struct Bar3DGeometry {
    QRectF front;   // front plane of the box: value axis on its left, floor edge at its bottom
    QPointF depth;  // screen offset from the front plane to the back wall
    ValueScale scale;
    QList<QRectF> bars;  // front face of each bar, in point order
    QPointF barDepth;    // screen offset from a bar's front face to its back face

    // The screen height of `value` on the front plane.
    double yOf(double value) const;
};

class Bar3DRenderer : public ChartRenderer {
  public:
    Bar3DRenderer(const ChartContent& content, const ChartStyle& style);

    Bar3DGeometry geometry(const QRectF& bounds) const;
    void paint(QPainter& painter, const QRectF& bounds) const override;

  private:
    void paintBox(QPainter& painter, const Bar3DGeometry& geometry) const;
    void paintBar(QPainter& painter, const Bar3DGeometry& geometry, qsizetype index) const;
    void paintTexts(QPainter& painter, const QRectF& bounds, const Bar3DGeometry& geometry) const;

    ChartContent content_;
    ChartStyle style_;
    QList<double> values_;
    ValueScale scale_;
};

}  // namespace tamsor

#endif
