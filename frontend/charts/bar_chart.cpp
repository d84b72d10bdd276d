// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/bar_chart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QGraphicsSimpleTextItem>
#include <QValueAxis>

#include "charts/qt_chart_parts.h"

namespace tamsor {

namespace {

constexpr double kLabelGap = 3.0;

}  // namespace

BarChart::BarChart(const ChartContent& content, const ChartStyle& style)
    : series_(new QBarSeries), values_(pointValues(content)) {
    styleChart(*this, content, style);
    auto* bars = new QBarSet(content.title);
    bars->append(values_);
    bars->setColor(style.barColor);
    bars->setBorderColor(style.barColor.darker(125));
    series_->append(bars);
    series_->setBarWidth(0.55);
    addSeries(series_);

    // A category axis without categories has an empty range and is not drawn at all; one
    // blank category keeps the frame and its title.
    QStringList labels = categoryLabels(content);
    if (labels.isEmpty()) labels.append(QStringLiteral(" "));
    QBarCategoryAxis* categories = newCategoryAxis(labels, content.bottomTitle, style);
    addAxis(categories, Qt::AlignBottom);
    series_->attachAxis(categories);
    QValueAxis* axis = newValueAxis(valueScaleFor(values_), style);
    addAxis(axis, Qt::AlignLeft);
    series_->attachAxis(axis);

    // The series' own labels write a value to significant digits ("905" for
    // 905.00); these write it as the results table does.
    for (qsizetype i = 0; i < values_.size(); ++i) {
        auto* label = new QGraphicsSimpleTextItem(pointValueText(content, i), this);
        label->setFont(style.valueLabelFont);
        label->setBrush(style.textColor);
        valueLabels_.append(label);
    }
    connect(this, &QChart::plotAreaChanged, this, &BarChart::placeValueLabels);
}

// Each label is centred on its bar, just beyond the bar's end: above a bar
// that rises from zero, below one that falls.
void BarChart::placeValueLabels() {
    for (qsizetype i = 0; i < valueLabels_.size(); ++i) {
        const QPointF end = mapToPosition(QPointF(static_cast<double>(i), values_[i]), series_);
        const QRectF box = valueLabels_[i]->boundingRect();
        const double top =
            values_[i] >= 0.0 ? end.y() - kLabelGap - box.height() : end.y() + kLabelGap;
        valueLabels_[i]->setPos(end.x() - box.width() / 2, top);
    }
}

}  // namespace tamsor
