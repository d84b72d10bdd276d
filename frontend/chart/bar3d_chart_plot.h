// The 3D bar chart (type 4) on screen: a view of a Bar3DRenderer.
#ifndef TAMSOR_BAR3D_CHART_PLOT_H
#define TAMSOR_BAR3D_CHART_PLOT_H

#include "bar3d_renderer.h"
#include "chart_plot.h"

namespace tamsor {

class Bar3DChartPlot : public ChartPlot {
    Q_OBJECT

  public:
    Bar3DChartPlot(const ChartContent& content, const ChartStyle& style, QWidget* parent = nullptr);

    const Bar3DRenderer& renderer() const { return renderer_; }

  private:
    Bar3DRenderer renderer_;
};

}  // namespace tamsor

#endif
