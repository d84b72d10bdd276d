#include "charts/bar_chart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QValueAxis>

#include "charts/qt_chart_parts.h"

namespace tamsor {

QChart* newBarChart(const ChartContent& content, const ChartStyle& style) {
    auto* chart = new QChart;
    styleChart(*chart, content, style);
    const QList<double> values = pointValues(content);
    auto* bars = new QBarSet(content.title);
    bars->append(values);
    bars->setColor(style.barColor);
    bars->setBorderColor(style.barColor.darker(125));
    bars->setLabelFont(style.valueLabelFont);
    bars->setLabelColor(style.textColor);

    auto* series = new QBarSeries;
    series->append(bars);
    series->setBarWidth(0.55);
    series->setLabelsVisible(true);
    series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    series->setLabelsPrecision(valueTextPrecision(values));
    chart->addSeries(series);

    // A category axis without categories has an empty range and is not drawn at all; one
    // blank category keeps the frame and its title.
    QStringList labels = categoryLabels(content);
    if (labels.isEmpty()) labels.append(QStringLiteral(" "));
    QBarCategoryAxis* categories = newCategoryAxis(labels, content.bottomTitle, style);
    chart->addAxis(categories, Qt::AlignBottom);
    series->attachAxis(categories);
    QValueAxis* axis = newValueAxis(valueScaleFor(values), style);
    chart->addAxis(axis, Qt::AlignLeft);
    series->attachAxis(axis);
    return chart;
}

}  // namespace tamsor
