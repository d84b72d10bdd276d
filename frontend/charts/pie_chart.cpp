// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/pie_chart.h"

#include <QFontMetricsF>
#include <QGraphicsEllipseItem>
#include <QGraphicsPathItem>
#include <QGraphicsSimpleTextItem>
#include <QPainterPath>
#include <QPieSeries>
#include <QPieSlice>

#include <algorithm>
#include <cmath>

#include "charts/chart_numbers.h"
#include "charts/pie_labels.h"
#include "charts/qt_chart_parts.h"

namespace tamsor {

namespace {

constexpr double kPieSize = 0.74;  // share of the plot area; the rest holds slice labels
constexpr int kCaptionGap = 8;

}  // namespace

PieChart::PieChart(const ChartContent& content, const ChartStyle& style)
    : series_(new QPieSeries), labelFont_(style.valueLabelFont) {
    styleChart(*this, content, style);
    series_->setPieSize(kPieSize);
    double total = 0.0;
    for (const ChartPoint& point : content.points)
        total += std::max(point.value, 0.0);
    // A slice cannot show a negative share; such points get no slice area.
    if (total > 0.0) {
        const QStringList categories = categoryLabels(content);
        for (qsizetype i = 0; i < content.points.size(); ++i) {
            const double value = std::max(content.points[i].value, 0.0);
            QPieSlice* slice = series_->append(
                sliceText(categories[i], pointValueText(content, i), value / total), value);
            slice->setColor(sliceColor(style, i));
            slice->setBorderColor(style.background);
            slice->setBorderWidth(2);

            auto* label = new QGraphicsSimpleTextItem(slice->label(), this);
            label->setFont(style.valueLabelFont);
            label->setBrush(style.textColor);
            label->setVisible(value > 0.0);
            sliceLabels_.append(label);
            auto* leader = new QGraphicsPathItem(this);
            leader->setPen(QPen(style.axisColor, 1.0));
            leaders_.append(leader);
        }
    }
    addSeries(series_);

    bottomTitle_ = new QGraphicsSimpleTextItem(content.bottomTitle, this);
    bottomTitle_->setFont(style.axisTitleFont);
    bottomTitle_->setBrush(style.textColor);
    emptyFrame_ = new QGraphicsEllipseItem(this);
    emptyFrame_->setPen(QPen(style.axisColor, 1.5));
    emptyFrame_->setBrush(style.wallColor);
    emptyFrame_->setVisible(series_->count() == 0);

    QMargins withCaption = margins();
    withCaption.setBottom(withCaption.bottom() +
                          static_cast<int>(std::ceil(QFontMetricsF(style.axisTitleFont).height())) +
                          kCaptionGap);
    setMargins(withCaption);
    connect(this, &QChart::plotAreaChanged, this, &PieChart::placeDecorations);
}

void PieChart::placeDecorations(const QRectF& plotArea) {
    const QRectF caption = bottomTitle_->boundingRect();
    bottomTitle_->setPos(plotArea.center().x() - caption.width() / 2,
                         plotArea.bottom() + kCaptionGap);
    // The series draws its pie centred in the plot area at kPieSize of the shorter side.
    const double diameter = kPieSize * std::min(plotArea.width(), plotArea.height());
    const QRectF pie(plotArea.center() - QPointF(diameter, diameter) / 2,
                     QSizeF(diameter, diameter));
    emptyFrame_->setRect(pie);

    QList<PieSliceAngles> angles;
    QStringList texts;
    for (const QPieSlice* slice : series_->slices()) {
        angles.append(PieSliceAngles{slice->startAngle(), slice->angleSpan()});
        texts.append(slice->label());
    }
    for (QGraphicsPathItem* leader : leaders_)
        leader->setPath(QPainterPath());
    const QList<PieLabel> labels =
        layoutPieLabels(angles, texts, QFontMetricsF(labelFont_), pie, 0.0, plotArea);
    for (const PieLabel& label : labels) {
        sliceLabels_[label.slice]->setPos(label.box.topLeft() + QPointF(1, 0));
        QPainterPath leader;
        leader.addPolygon(label.leader);
        leaders_[label.slice]->setPath(leader);
    }
}

}  // namespace tamsor
