// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/line_chart.h"

#include <QBarCategoryAxis>
#include <QGraphicsSimpleTextItem>
#include <QLineSeries>
#include <QValueAxis>

#include "charts/qt_chart_parts.h"

namespace tamsor {

namespace {

constexpr double kMarkerSize = 10.0;
constexpr double kLabelGap = 4.0;

}  // namespace

LineChart::LineChart(const ChartContent& content, const ChartStyle& style)
    : series_(new QLineSeries) {
    styleChart(*this, content, style);
    const QList<double> values = pointValues(content);
    // Point i sits on category i of the category axis.
    for (qsizetype i = 0; i < values.size(); ++i)
        series_->append(static_cast<double>(i), values[i]);
    QPen line(style.barColor, 2.5);
    line.setCapStyle(Qt::RoundCap);
    line.setJoinStyle(Qt::RoundJoin);
    series_->setPen(line);
    series_->setPointsVisible(true);
    series_->setMarkerSize(kMarkerSize);
    addSeries(series_);

    QBarCategoryAxis* categories =
        newCategoryAxis(categoryLabels(content), content.bottomTitle, style);
    addAxis(categories, Qt::AlignBottom);
    series_->attachAxis(categories);
    QValueAxis* axis = newValueAxis(valueScaleFor(values), style);
    addAxis(axis, Qt::AlignLeft);
    series_->attachAxis(axis);

    // The series' own point labels would sit on the markers; these clear them.
    for (qsizetype i = 0; i < values.size(); ++i) {
        auto* label = new QGraphicsSimpleTextItem(pointValueText(content, i), this);
        label->setFont(style.valueLabelFont);
        label->setBrush(style.textColor);
        valueLabels_.append(label);
    }
    connect(this, &QChart::plotAreaChanged, this, &LineChart::placeValueLabels);
}

// Each label sits above its marker, on the side the line leaves free: to the
// right where the line comes down into the point, to the left where it comes
// up, centred where it is flat or where the line only leaves the point.
void LineChart::placeValueLabels() {
    const qsizetype count = valueLabels_.size();
    for (qsizetype i = 0; i < count; ++i) {
        const QPointF point = mapToPosition(series_->at(i), series_);
        const QRectF box = valueLabels_[i]->boundingRect();
        const double above = point.y() - kMarkerSize / 2 - kLabelGap - box.height();
        double left = point.x() - box.width() / 2;
        const double previous = i > 0 ? series_->at(i - 1).y() : series_->at(i).y();
        const double here = series_->at(i).y();
        if (previous > here)
            left = point.x() + kMarkerSize / 2;
        else if (previous < here)
            left = point.x() - kMarkerSize / 2 - box.width();
        valueLabels_[i]->setPos(left, above);
    }
}

}  // namespace tamsor
