// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/bar3d_renderer.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace tamsor {

namespace {

constexpr double kPadding = 16.0;
constexpr double kTextGap = 8.0;
constexpr double kBarShare = 0.56;      // share of a category slot that the bar fills
constexpr double kBarFrontDepth = 0.2;  // bars stand from 20 % ...
constexpr double kBarBackDepth = 0.8;   // ... to 80 % of the box depth
constexpr double kDepthPerSlot = 0.3;   // box depth as a share of one category slot
constexpr double kMinDepth = 10.0;
constexpr double kMaxDepthShare = 0.08;  // box depth at most this share of the chart's height
constexpr double kDepthAngle = 0.55;     // radians above the horizontal that the depth recedes at

// The parallelogram from edge a-b pushed back by `offset`.
QPolygonF extrusion(QPointF a, QPointF b, QPointF offset) {
    return QPolygonF({a, b, b + offset, a + offset});
}

}  // namespace

double Bar3DGeometry::yOf(double value) const {
    return front.bottom() -
           (value - scale.minimum) / (scale.maximum - scale.minimum) * front.height();
}

Bar3DRenderer::Bar3DRenderer(const ChartContent& content, const ChartStyle& style)
    : content_(content),
      style_(style),
      values_(pointValues(content)),
      scale_(valueScaleFor(values_)) {}

Bar3DGeometry Bar3DRenderer::geometry(const QRectF& bounds) const {
    const QFontMetricsF titleMetrics(style_.titleFont);
    const QFontMetricsF axisTitleMetrics(style_.axisTitleFont);
    const QFontMetricsF labelMetrics(style_.labelFont);
    const QFontMetricsF valueMetrics(style_.valueLabelFont);

    double tickWidth = 0.0;
    for (int i = 0; i < scale_.tickCount(); ++i) {
        tickWidth = std::max(tickWidth, labelMetrics.horizontalAdvance(
                                            scale_.tickText(scale_.minimum + i * scale_.step)));
    }
    const double left = bounds.left() + kPadding + tickWidth + kTextGap;
    double top = bounds.top() + kPadding;
    if (!content_.title.isEmpty()) top += titleMetrics.height() + kPadding;
    double bottom = bounds.bottom() - kPadding - labelMetrics.height() - kTextGap;
    if (!content_.bottomTitle.isEmpty()) bottom -= axisTitleMetrics.height() + kTextGap;

    const qsizetype slotCount = std::max<qsizetype>(1, values_.size());
    const double roughWidth = bounds.right() - kPadding - left;
    const double depthLength =
        std::clamp(roughWidth / static_cast<double>(slotCount) * kDepthPerSlot, kMinDepth,
                   std::max(kMinDepth, kMaxDepthShare * bounds.height()));

    Bar3DGeometry geometry;
    geometry.scale = scale_;
    geometry.depth =
        QPointF(depthLength * std::cos(kDepthAngle), -depthLength * std::sin(kDepthAngle));
    // Room above the front plane for the back wall and the top value label.
    top += -geometry.depth.y() + valueMetrics.height();
    geometry.front =
        QRectF(QPointF(left, top),
               QPointF(std::max(left + 1.0, bounds.right() - kPadding - geometry.depth.x()),
                       std::max(top + 1.0, bottom)));
    geometry.barDepth = geometry.depth * (kBarBackDepth - kBarFrontDepth);

    const double slot = geometry.front.width() / static_cast<double>(slotCount);
    const double barWidth = slot * kBarShare;
    const QPointF shift = geometry.depth * kBarFrontDepth;
    const double base = geometry.yOf(std::clamp(0.0, scale_.minimum, scale_.maximum));
    for (qsizetype i = 0; i < values_.size(); ++i) {
        const double x =
            geometry.front.left() + slot * (static_cast<double>(i) + 0.5) - barWidth / 2;
        const double y = geometry.yOf(values_[i]);
        geometry.bars.append(
            QRectF(QPointF(x, std::min(y, base)), QPointF(x + barWidth, std::max(y, base)))
                .translated(shift));
    }
    return geometry;
}

void Bar3DRenderer::paint(QPainter& painter, const QRectF& bounds) const {
    painter.save();
    painter.fillRect(bounds, style_.background);
    const Bar3DGeometry shape = geometry(bounds);
    paintBox(painter, shape);
    // Seen from the right, a bar hides the side of its left neighbour: left to right.
    for (qsizetype i = 0; i < shape.bars.size(); ++i)
        paintBar(painter, shape, i);
    paintTexts(painter, bounds, shape);
    painter.restore();
}

void Bar3DRenderer::paintBox(QPainter& painter, const Bar3DGeometry& shape) const {
    const QRectF& front = shape.front;
    const QPointF depth = shape.depth;
    painter.setPen(QPen(style_.gridColor, 1.0));
    painter.setBrush(style_.wallColor);
    painter.drawPolygon(QPolygonF(front.translated(depth)));
    painter.setBrush(style_.floorColor.lighter(104));
    painter.drawPolygon(extrusion(front.bottomLeft(), front.topLeft(), depth));
    painter.setBrush(style_.floorColor);
    painter.drawPolygon(extrusion(front.bottomLeft(), front.bottomRight(), depth));

    // Grid lines run along the side wall and across the back wall.
    for (int i = 0; i < shape.scale.tickCount(); ++i) {
        const double value = shape.scale.minimum + i * shape.scale.step;
        const QPointF atAxis(front.left(), shape.yOf(value));
        const bool zero = std::fabs(value) < shape.scale.step * 1e-9;
        painter.setPen(QPen(zero && i > 0 ? style_.axisColor : style_.gridColor, 1.0));
        painter.drawPolyline(
            QPolygonF({atAxis, atAxis + depth, QPointF(front.right(), atAxis.y()) + depth}));
    }
    painter.setPen(QPen(style_.axisColor, 1.2));
    painter.drawLine(front.topLeft(), front.bottomLeft());
    painter.drawLine(front.bottomLeft(), front.bottomRight());
    painter.drawLine(front.bottomRight(), front.bottomRight() + depth);
}

void Bar3DRenderer::paintBar(QPainter& painter, const Bar3DGeometry& shape, qsizetype index) const {
    const QRectF& bar = shape.bars[index];
    const QColor colour = style_.barColor;
    painter.setPen(QPen(colour.darker(150), 0.8));

    QLinearGradient frontShade(bar.topLeft(), bar.topRight());
    frontShade.setColorAt(0.0, colour.lighter(112));
    frontShade.setColorAt(1.0, colour);
    painter.setBrush(frontShade);
    painter.drawRect(bar);
    painter.setBrush(colour.lighter(128));
    painter.drawPolygon(extrusion(bar.topLeft(), bar.topRight(), shape.barDepth));
    painter.setBrush(colour.darker(135));
    painter.drawPolygon(extrusion(bar.topRight(), bar.bottomRight(), shape.barDepth));
}

void Bar3DRenderer::paintTexts(QPainter& painter, const QRectF& bounds,
                               const Bar3DGeometry& shape) const {
    const QRectF& front = shape.front;
    const QFontMetricsF labelMetrics(style_.labelFont, painter.device());
    const QFontMetricsF valueMetrics(style_.valueLabelFont, painter.device());
    constexpr double kWide = 1e4;  // width of a text box that only aligns, never clips
    painter.setPen(style_.textColor);

    painter.setFont(style_.labelFont);
    for (int i = 0; i < shape.scale.tickCount(); ++i) {
        const double value = shape.scale.minimum + i * shape.scale.step;
        const double y = shape.yOf(value);
        painter.drawText(QRectF(front.left() - kTextGap - kWide, y - labelMetrics.height() / 2,
                                kWide, labelMetrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, shape.scale.tickText(value));
    }
    const QStringList categories = categoryLabels(content_);
    for (qsizetype i = 0; i < shape.bars.size(); ++i) {
        const double x = shape.bars[i].center().x();
        painter.drawText(
            QRectF(x - kWide / 2, front.bottom() + kTextGap / 2, kWide, labelMetrics.height()),
            Qt::AlignHCenter | Qt::AlignTop, categories[i]);
    }

    painter.setFont(style_.valueLabelFont);
    for (qsizetype i = 0; i < shape.bars.size(); ++i) {
        const QRectF& bar = shape.bars[i];
        const double x = bar.center().x() + shape.barDepth.x() / 2;
        const QString text = pointValueText(content_, i);
        if (values_[i] >= 0.0) {
            const double top = bar.top() + shape.barDepth.y() - kTextGap / 2;
            painter.drawText(
                QRectF(x - kWide / 2, top - valueMetrics.height(), kWide, valueMetrics.height()),
                Qt::AlignHCenter | Qt::AlignBottom, text);
        } else {
            painter.drawText(
                QRectF(x - kWide / 2, bar.bottom() + kTextGap / 2, kWide, valueMetrics.height()),
                Qt::AlignHCenter | Qt::AlignTop, text);
        }
    }

    painter.setFont(style_.titleFont);
    const QRectF titleBox(bounds.left(), bounds.top() + kPadding, bounds.width(),
                          QFontMetricsF(style_.titleFont, painter.device()).height());
    painter.drawText(titleBox, Qt::AlignHCenter | Qt::AlignTop, content_.title);
    painter.setFont(style_.axisTitleFont);
    const double axisTitleHeight = QFontMetricsF(style_.axisTitleFont, painter.device()).height();
    const QRectF bottomBox(front.left(), bounds.bottom() - kPadding - axisTitleHeight,
                           front.width(), axisTitleHeight);
    painter.drawText(bottomBox, Qt::AlignHCenter | Qt::AlignBottom, content_.bottomTitle);
}

}  // namespace tamsor
