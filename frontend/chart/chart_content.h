// What a chart control shows: one data set of points, a chart type and two
// titles. The control builds it assignment by assignment and draws a copy.
#ifndef TAMSOR_CHART_CONTENT_H
#define TAMSOR_CHART_CONTENT_H

#include <QList>
#include <QString>
#include <QStringList>

namespace tamsor {

// Chart type codes as the chart window passes them.
enum class ChartType : int {
    kPie2D = 1,
    kPie3D = 2,
    kBar2D = 3,
    kBar3D = 4,
    kLine = 6,  // the variance chart: a connected line with point markers
};

// Whether `code` names a chart type this control can draw.
bool isChartType(int code);

struct ChartPoint {
    double value = 0.0;
    QString label;  // empty: the category axis shows the point number
};

struct ChartContent {
    ChartType type = ChartType::kBar2D;
    QString title;
    QString bottomTitle;
    QList<ChartPoint> points;
};

// The category text of every point: its label, or its 1-based number when
// it has none. Repeated texts are made distinct (by invisible zero-width
// spaces) because the category axes key their categories by text.
QStringList categoryLabels(const ChartContent& content);

// The values of all points, in point order.
QList<double> pointValues(const ChartContent& content);

}  // namespace tamsor

#endif
