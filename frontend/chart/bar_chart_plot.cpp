#include "bar_chart_plot.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QValueAxis>

#include "qt_chart_parts.h"

namespace tamsor {

BarChartPlot::BarChartPlot(const ChartContent& content, const ChartStyle& style, QWidget* parent)
    : ChartPlot(content, parent), chart_(newChart(content, style)), series_(new QBarSeries) {
    const QList<double> values = pointValues(content);
    auto* bars = new QBarSet(content.title);
    bars->append(values);
    bars->setColor(style.barColor);
    bars->setBorderColor(style.barColor.darker(125));
    bars->setLabelFont(style.valueLabelFont);
    bars->setLabelColor(style.textColor);

    series_->append(bars);
    series_->setBarWidth(0.55);
    series_->setLabelsVisible(true);
    series_->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    series_->setLabelsPrecision(valueTextPrecision(values));
    chart_->addSeries(series_);

    // A category axis without categories has an empty range and is not drawn at all; one
    // blank category keeps the frame and its title.
    QStringList labels = categoryLabels(content);
    if (labels.isEmpty()) labels.append(QStringLiteral(" "));
    QBarCategoryAxis* categories = newCategoryAxis(labels, content.bottomTitle, style);
    chart_->addAxis(categories, Qt::AlignBottom);
    series_->attachAxis(categories);
    QValueAxis* axis = newValueAxis(valueScaleFor(values), style);
    chart_->addAxis(axis, Qt::AlignLeft);
    series_->attachAxis(axis);

    setView(newChartView(chart_, this));
}

}  // namespace tamsor
