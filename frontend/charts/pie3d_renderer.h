// SPDX-License-Identifier: GPL-3.0-or-later
// The 3D pie chart (type 2), painted without widgets: a disc tilted away
// from the viewer, its top face cut into slices and its front rim showing
// darker shades of the slice colours.
#ifndef TAMSOR_PIE3D_RENDERER_H
#define TAMSOR_PIE3D_RENDERER_H

#include <QList>
#include <QRectF>
#include <QStringList>

#include "charts/chart_content.h"
#include "charts/chart_renderer.h"
#include "charts/chart_style.h"
#include "charts/pie_labels.h"

class QPainter;

namespace tamsor {

// A visible piece of the rim: the part of one slice's outer wall that lies
// in the front half. Angles in QPainter's convention: degrees,
// counter-clockwise from 3 o'clock, so the front half is 180..360.
struct Pie3DRimPiece {
    qsizetype slice = 0;
    double startAngle = 0.0;
    double spanAngle = 0.0;
};

struct Pie3DGeometry {
    QRectF top;  // bounding box of the top face ellipse
    double rimHeight = 0.0;
    QList<PieSliceAngles> slices;  // one per point; zero span for values of zero or less
    QList<Pie3DRimPiece> rim;      // in painting order
    QList<PieLabel> labels;        // one per slice of positive span
};

class Pie3DRenderer : public ChartRenderer {
  public:
    Pie3DRenderer(const ChartContent& content, const ChartStyle& style);

    Pie3DGeometry geometry(const QRectF& bounds) const;
    void paint(QPainter& painter, const QRectF& bounds) const override;

  private:
    void paintEmptyFrame(QPainter& painter, const Pie3DGeometry& geometry) const;
    void paintRim(QPainter& painter, const Pie3DGeometry& geometry) const;
    void paintTops(QPainter& painter, const Pie3DGeometry& geometry) const;
    void paintSliceLabels(QPainter& painter, const Pie3DGeometry& geometry) const;
    void paintTitles(QPainter& painter, const QRectF& bounds) const;

    ChartContent content_;
    ChartStyle style_;
    QList<double> shownValues_;  // values below zero count as zero
    double total_ = 0.0;
    QStringList sliceTexts_;
};

}  // namespace tamsor

#endif
