// The variance chart (type 6): the points joined by a line, each with a
// marker and its value, over the category axis of the point labels.
#ifndef TAMSOR_LINE_CHART_PLOT_H
#define TAMSOR_LINE_CHART_PLOT_H

#include <QList>

#include "chart_plot.h"
#include "chart_style.h"

class QChart;
class QGraphicsSimpleTextItem;
class QLineSeries;

namespace tamsor {

class LineChartPlot : public ChartPlot {
    Q_OBJECT

  public:
    LineChartPlot(const ChartContent& content, const ChartStyle& style, QWidget* parent = nullptr);

    QChart* chart() const { return chart_; }
    QLineSeries* series() const { return series_; }
    // The value printed above each point, in point order.
    const QList<QGraphicsSimpleTextItem*>& valueLabels() const { return valueLabels_; }

  private:
    void placeValueLabels();

    QChart* chart_ = nullptr;
    QLineSeries* series_ = nullptr;
    QList<QGraphicsSimpleTextItem*> valueLabels_;
};

}  // namespace tamsor

#endif
