#include "pie3d_chart_plot.h"

#include "renderer_view.h"

namespace tamsor {

Pie3DChartPlot::Pie3DChartPlot(const ChartContent& content, const ChartStyle& style,
                               QWidget* parent)
    : ChartPlot(content, parent), renderer_(content, style) {
    setView(new RendererView(renderer_, this));
}

}  // namespace tamsor
