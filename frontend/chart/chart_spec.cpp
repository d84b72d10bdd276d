#include "chart_spec.h"

namespace tamsor {

QStringList categoryLabels(const ChartSpec& spec) {
    QStringList labels;
    labels.reserve(spec.points.size());
    for (qsizetype i = 0; i < spec.points.size(); ++i) {
        QString label = spec.points[i].label;
        if (label.isEmpty()) label = QString::number(i + 1);
        while (labels.contains(label))
            label += QChar(0x200B);
        labels.append(label);
    }
    return labels;
}

QList<double> pointValues(const ChartSpec& spec) {
    QList<double> values;
    values.reserve(spec.points.size());
    for (const ChartPoint& point : spec.points)
        values.append(point.value);
    return values;
}

}  // namespace tamsor
