// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/pie3d_renderer.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

#include "charts/chart_numbers.h"

namespace tamsor {

namespace {

constexpr double kPadding = 16.0;
constexpr double kTilt = 0.5;            // height of the top ellipse over its width
constexpr double kRimShare = 0.13;       // rim height as a share of the horizontal radius
constexpr double kMaxWidthShare = 0.32;  // largest radius as a share of the width: keeps it airy
constexpr double kLabelRise = 12.0;      // room above and below the disc for leaders

}  // namespace

Pie3DRenderer::Pie3DRenderer(const ChartContent& content, const ChartStyle& style)
    : content_(content), style_(style) {
    for (const ChartPoint& point : content.points) {
        shownValues_.append(std::max(point.value, 0.0));
        total_ += shownValues_.back();
    }
    const QStringList categories = categoryLabels(content);
    for (qsizetype i = 0; i < shownValues_.size(); ++i) {
        sliceTexts_.append(total_ > 0.0 ? sliceText(categories[i], pointValueText(content, i),
                                                    shownValues_[i] / total_)
                                        : QString());
    }
}

Pie3DGeometry Pie3DRenderer::geometry(const QRectF& bounds) const {
    const QFontMetricsF labelMetrics(style_.valueLabelFont);
    QRectF area = bounds.adjusted(kPadding, kPadding, -kPadding, -kPadding);
    if (!content_.title.isEmpty()) {
        area.setTop(area.top() + QFontMetricsF(style_.titleFont).height() + kPadding);
    }
    if (!content_.bottomTitle.isEmpty()) {
        area.setBottom(area.bottom() - QFontMetricsF(style_.axisTitleFont).height() - kPadding);
    }
    // Slice labels sit left and right of the disc and above and below it.
    const double aboveRoom = labelMetrics.height() + kLabelRise;
    const double byWidth = std::min(area.width() / 2 - pieLabelRoom(sliceTexts_, labelMetrics),
                                    kMaxWidthShare * area.width());
    const double byHeight = (area.height() - 2 * aboveRoom) / (2 * kTilt + kRimShare);
    const double radius = std::max(4.0, std::min(byWidth, byHeight));

    Pie3DGeometry geometry;
    geometry.rimHeight = radius * kRimShare;
    const QPointF centre = area.center() - QPointF(0, geometry.rimHeight / 2);
    geometry.top =
        QRectF(centre - QPointF(radius, radius * kTilt), QSizeF(2 * radius, 2 * radius * kTilt));

    double start = 0.0;
    for (qsizetype i = 0; i < shownValues_.size(); ++i) {
        const double span = total_ > 0.0 ? 360.0 * shownValues_[i] / total_ : 0.0;
        geometry.slices.append(PieSliceAngles{start, span});
        // The slice covers painter angles [end, begin] (begin <= 90); keep what falls in the
        // front half, which is -180..0 in that range.
        const double low = std::max(painterAngle(start + span), -180.0);
        const double high = std::min(painterAngle(start), 0.0);
        if (high - low > 1e-9) geometry.rim.append(Pie3DRimPiece{i, low, high - low});
        start += span;
    }
    geometry.labels = layoutPieLabels(geometry.slices, sliceTexts_, labelMetrics, geometry.top,
                                      geometry.rimHeight, area);
    return geometry;
}

void Pie3DRenderer::paint(QPainter& painter, const QRectF& bounds) const {
    painter.save();
    painter.fillRect(bounds, style_.background);
    const Pie3DGeometry shape = geometry(bounds);
    if (total_ > 0.0) {
        // The rim lies wholly below the top face's front edge, so the top faces painted after
        // it are never overlapped and the rim pieces never overlap each other.
        paintRim(painter, shape);
        paintTops(painter, shape);
        paintSliceLabels(painter, shape);
    } else {
        paintEmptyFrame(painter, shape);
    }
    paintTitles(painter, bounds);
    painter.restore();
}

void Pie3DRenderer::paintEmptyFrame(QPainter& painter, const Pie3DGeometry& shape) const {
    const QRectF base = shape.top.translated(0, shape.rimHeight);
    QPainterPath rim;
    rim.arcMoveTo(shape.top, 180.0);
    rim.arcTo(shape.top, 180.0, 180.0);
    rim.arcTo(base, 0.0, -180.0);
    rim.closeSubpath();
    painter.setPen(QPen(style_.axisColor, 1.5));
    painter.setBrush(style_.floorColor);
    painter.drawPath(rim);
    painter.setBrush(style_.wallColor);
    painter.drawEllipse(shape.top);
}

void Pie3DRenderer::paintRim(QPainter& painter, const Pie3DGeometry& shape) const {
    const QRectF base = shape.top.translated(0, shape.rimHeight);
    for (const Pie3DRimPiece& piece : shape.rim) {
        QPainterPath wall;
        wall.arcMoveTo(shape.top, piece.startAngle);
        wall.arcTo(shape.top, piece.startAngle, piece.spanAngle);
        wall.arcTo(base, piece.startAngle + piece.spanAngle, -piece.spanAngle);
        wall.closeSubpath();
        // Darker towards the sides, as light falls on a cylinder from the front.
        const QColor colour = sliceColor(style_, piece.slice);
        QLinearGradient shade(shape.top.left(), 0, shape.top.right(), 0);
        shade.setColorAt(0.0, colour.darker(185));
        shade.setColorAt(0.45, colour.darker(125));
        shade.setColorAt(1.0, colour.darker(170));
        painter.setPen(QPen(colour.darker(190), 0.8));
        painter.setBrush(shade);
        painter.drawPath(wall);
    }
}

void Pie3DRenderer::paintTops(QPainter& painter, const Pie3DGeometry& shape) const {
    painter.setPen(QPen(style_.background, 1.5));
    for (qsizetype i = 0; i < shape.slices.size(); ++i) {
        const PieSliceAngles& slice = shape.slices[i];
        if (slice.spanAngle <= 0.0) continue;
        QPainterPath face;
        face.moveTo(shape.top.center());
        face.arcTo(shape.top, painterAngle(slice.startAngle), -slice.spanAngle);
        face.closeSubpath();
        painter.setBrush(sliceColor(style_, i));
        painter.drawPath(face);
    }
}

void Pie3DRenderer::paintSliceLabels(QPainter& painter, const Pie3DGeometry& shape) const {
    painter.setFont(style_.valueLabelFont);
    for (const PieLabel& label : shape.labels) {
        painter.setPen(QPen(style_.axisColor, 1.0));
        painter.drawPolyline(label.leader);
        painter.setPen(style_.textColor);
        painter.drawText(label.box,
                         (label.onRight ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
                         sliceTexts_[label.slice]);
    }
}

void Pie3DRenderer::paintTitles(QPainter& painter, const QRectF& bounds) const {
    const QRectF area = bounds.adjusted(kPadding, kPadding, -kPadding, -kPadding);
    painter.setPen(style_.textColor);
    painter.setFont(style_.titleFont);
    painter.drawText(area, Qt::AlignHCenter | Qt::AlignTop, content_.title);
    painter.setFont(style_.axisTitleFont);
    painter.drawText(area, Qt::AlignHCenter | Qt::AlignBottom, content_.bottomTitle);
}

}  // namespace tamsor
