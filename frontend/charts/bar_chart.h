// The 2D bar chart: one bar per point over a category axis, each bar
// labelled with its value.
#ifndef TAMSOR_BAR_CHART_H
#define TAMSOR_BAR_CHART_H

#include "charts/chart_content.h"
#include "charts/chart_style.h"

class QChart;

namespace tamsor {

QChart* newBarChart(const ChartContent& content, const ChartStyle& style);

}  // namespace tamsor

#endif
