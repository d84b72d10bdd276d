#include "chart_plot_factory.h"

#include "bar3d_chart_plot.h"
#include "bar_chart_plot.h"
#include "line_chart_plot.h"
#include "pie3d_chart_plot.h"
#include "pie_chart_plot.h"

namespace tamsor {

ChartPlot* createChartPlot(const ChartContent& content, const ChartStyle& style, QWidget* parent) {
    switch (content.type) {
        case ChartType::kPie2D:
            return new PieChartPlot(content, style, parent);
        case ChartType::kPie3D:
            return new Pie3DChartPlot(content, style, parent);
        case ChartType::kBar3D:
            return new Bar3DChartPlot(content, style, parent);
        case ChartType::kLine:
            return new LineChartPlot(content, style, parent);
        case ChartType::kBar2D:
            break;
    }
    return new BarChartPlot(content, style, parent);
}

}  // namespace tamsor
