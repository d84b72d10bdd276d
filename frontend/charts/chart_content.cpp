// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chart_content.h"

#include "charts/chart_numbers.h"

namespace tamsor {

QStringList categoryLabels(const ChartContent& content) {
    QStringList labels;
    labels.reserve(content.points.size());
    for (qsizetype i = 0; i < content.points.size(); ++i) {
        QString label = content.points[i].label;
        if (label.isEmpty()) label = QString::number(i + 1);
        while (labels.contains(label))
            label += QChar(0x200B);
        labels.append(label);
    }
    return labels;
}

QList<double> pointValues(const ChartContent& content) {
    QList<double> values;
    values.reserve(content.points.size());
    for (const ChartPoint& point : content.points)
        values.append(point.value);
    return values;
}

QString pointValueText(const ChartContent& content, qsizetype i) {
    return valueText(content.points[i].value, content.valueDecimals);
}

}  // namespace tamsor
