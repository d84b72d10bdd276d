// The 2D bar chart (type 3): one bar per point over a category axis.
#ifndef TAMSOR_BAR_CHART_PLOT_H
#define TAMSOR_BAR_CHART_PLOT_H

#include "chart_plot.h"
#include "chart_style.h"

class QBarSeries;
class QChart;

namespace tamsor {

class BarChartPlot : public ChartPlot {
    Q_OBJECT

  public:
    BarChartPlot(const ChartContent& content, const ChartStyle& style, QWidget* parent = nullptr);

    QChart* chart() const { return chart_; }
    QBarSeries* series() const { return series_; }

  private:
    QChart* chart_ = nullptr;
    QBarSeries* series_ = nullptr;
};

}  // namespace tamsor

#endif
