// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/qt_chart_parts.h"

#include <QBarCategoryAxis>
#include <QChart>
#include <QLegend>
#include <QValueAxis>

namespace tamsor {

void styleChart(QChart& chart, const ChartContent& content, const ChartStyle& style) {
    chart.setAnimationOptions(QChart::NoAnimation);
    chart.setBackgroundBrush(style.background);
    chart.setBackgroundRoundness(0);
    chart.setTitle(content.title);
    chart.setTitleFont(style.titleFont);
    chart.setTitleBrush(style.textColor);
    chart.legend()->hide();
    // Numbers read the same whatever the desktop's language.
    chart.setLocalizeNumbers(false);
}

QBarCategoryAxis* newCategoryAxis(const QStringList& categories, const QString& title,
                                  const ChartStyle& style) {
    auto* axis = new QBarCategoryAxis;
    axis->append(categories);
    axis->setTitleText(title);
    axis->setTitleFont(style.axisTitleFont);
    axis->setTitleBrush(style.textColor);
    axis->setLabelsFont(style.labelFont);
    axis->setLabelsColor(style.textColor);
    axis->setLinePenColor(style.axisColor);
    axis->setGridLineVisible(false);
    return axis;
}

QValueAxis* newValueAxis(const ValueScale& scale, const ChartStyle& style) {
    auto* axis = new QValueAxis;
    axis->setRange(scale.minimum, scale.maximum);
    axis->setTickCount(scale.tickCount());
    axis->setLabelFormat(QStringLiteral("%.%1f").arg(scale.decimals()));
    axis->setLabelsFont(style.labelFont);
    axis->setLabelsColor(style.textColor);
    axis->setLinePenColor(style.axisColor);
    axis->setGridLineColor(style.gridColor);
    axis->setMinorTickCount(0);
    return axis;
}

}  // namespace tamsor
