#include "bar3d_chart_plot.h"

#include "renderer_view.h"

namespace tamsor {

Bar3DChartPlot::Bar3DChartPlot(const ChartContent& content, const ChartStyle& style,
                               QWidget* parent)
    : ChartPlot(content, parent), renderer_(content, style) {
    setView(new RendererView(renderer_, this));
}

}  // namespace tamsor
