// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/canvas_renderer.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

#include "widgets/canvas_scene.h"

namespace tamsor {
namespace {

// Dash and gap lengths in pen widths; the square caps lengthen each dash by
// one pen width, so a dash shows 6 pixels and a gap 4.
const QList<qreal> kDashPattern = {5, 5};

// A line one logical pixel wide, rounded to whole device pixels: sharp on a
// 1x screen, and thick enough to read on a high-density one.
struct PixelPen {
    int deviceWidth;
    double devicePixelRatio;

    double logicalWidth() const { return deviceWidth / devicePixelRatio; }

    // Puts a coordinate where a line of this width covers whole device
    // pixels: on a pixel centre for odd widths, on a pixel edge for even.
    double snap(double logical) const {
        const double device = logical * devicePixelRatio;
        const double snapped = deviceWidth % 2 == 1 ? std::floor(device) + 0.5 : std::round(device);
        return snapped / devicePixelRatio;
    }
    QPointF snap(QPointF p) const { return QPointF(snap(p.x()), snap(p.y())); }
};

PixelPen pixelPenFor(const QPainter& painter) {
    const double ratio = painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1.0;
    return PixelPen{std::max(1, static_cast<int>(std::lround(ratio))), ratio};
}

}  // namespace

CanvasRenderer::CanvasRenderer(const CanvasScene& scene, const QFont& font)
    : scene_(scene), font_(font) {}

void CanvasRenderer::paint(QPainter& painter, const QRectF& inner, const QRectF& bounds) const {
    painter.save();
    painter.fillRect(inner, Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const CanvasItem& item : scene_.items()) {
        painter.save();
        if (const auto* segment = std::get_if<CanvasSegment>(&item))
            paintSegment(painter, inner, *segment);
        else
            paintText(painter, inner, bounds, std::get<CanvasText>(item));
        painter.restore();
    }
    painter.restore();
}

void CanvasRenderer::paintSegment(QPainter& painter, const QRectF& inner,
                                  const CanvasSegment& segment) const {
    const WorldWindow& window = scene_.worldWindow();
    const auto visible = clipToWindow(window, segment.from, segment.to);
    if (!visible) return;
    const PixelPen pixelPen = pixelPenFor(painter);
    QPen pen(segment.color, pixelPen.logicalWidth(), Qt::SolidLine, Qt::SquareCap);
    if (segment.dashed) pen.setDashPattern(kDashPattern);
    painter.setPen(pen);
    // The window's edges are the inner area's edges; the clip trims the caps.
    painter.setClipRect(inner, Qt::IntersectClip);
    painter.drawLine(pixelPen.snap(worldToPixel(window, inner, visible->first)),
                     pixelPen.snap(worldToPixel(window, inner, visible->second)));
}

void CanvasRenderer::paintText(QPainter& painter, const QRectF& inner, const QRectF& bounds,
                               const CanvasText& text) const {
    const QFontMetricsF metrics(font_, painter.device());
    const QSizeF size(metrics.horizontalAdvance(text.text), metrics.height());
    QPointF corner = worldToPixel(scene_.worldWindow(), inner, text.at);
    if (text.alignment & Qt::AlignRight) corner.rx() -= size.width();
    if (text.alignment & Qt::AlignHCenter) corner.rx() -= size.width() / 2;
    if (text.alignment & Qt::AlignVCenter) corner.ry() -= size.height() / 2;
    const QRectF box(corner, size);
    if (!box.intersects(bounds)) return;  // also keeps far-off points from the painter
    painter.setPen(text.color);
    painter.setFont(font_);
    // Labels near the edge may reach into the frame but not past the control.
    painter.setClipRect(bounds, Qt::IntersectClip);
    const QPointF baseline(std::round(corner.x()), std::round(corner.y()) + metrics.ascent());
    painter.drawText(baseline, text.text);
}

}  // namespace tamsor
