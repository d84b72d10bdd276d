// Chooses the widget that shows a drawn chart by its chart type.
#ifndef TAMSOR_CHART_PLOT_FACTORY_H
#define TAMSOR_CHART_PLOT_FACTORY_H

#include "chart_content.h"
#include "chart_style.h"

class QWidget;

namespace tamsor {

class ChartPlot;

ChartPlot* createChartPlot(const ChartContent& content, const ChartStyle& style, QWidget* parent);

}  // namespace tamsor

#endif
