// SPDX-License-Identifier: GPL-3.0-or-later
// What a chart shows: its kind, two titles and one data set of points. The
// chart window builds it from the results model and hands it to a chart
// widget in one call.
#ifndef TAMSOR_CHART_CONTENT_H
#define TAMSOR_CHART_CONTENT_H

#include <QList>
#include <QString>
#include <QStringList>

namespace tamsor {

enum class ChartKind {
    kBar2D,
    kPie2D,
    kBar3D,
    kPie3D,
    kLine,  // the variance chart: a connected line with point markers
};

struct ChartPoint {
    double value = 0.0;
    QString label;  // empty: the category axis shows the point number

    friend bool operator==(const ChartPoint&, const ChartPoint&) = default;
};

struct ChartContent {
    ChartKind kind = ChartKind::kBar2D;
    QString title;
    QString bottomTitle;  // the category axis, or the caption under a pie
    QList<ChartPoint> points;
    // The decimals of the value texts beside the points, in the format of the
    // figure they show: 2 for means and pooled variances, 0 for counts.
    int valueDecimals = 0;

    friend bool operator==(const ChartContent&, const ChartContent&) = default;
};

// The category text of every point: its label, or its 1-based number when
// it has none. Repeated texts are made distinct (by invisible zero-width
// spaces) because the category axes key their categories by text.
QStringList categoryLabels(const ChartContent& content);

// The values of all points, in point order.
QList<double> pointValues(const ChartContent& content);

// The text beside point `i`: its value with the content's decimals.
QString pointValueText(const ChartContent& content, qsizetype i);

}  // namespace tamsor

#endif
