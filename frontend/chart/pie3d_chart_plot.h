// The 3D pie chart (type 2) on screen: a view of a Pie3DRenderer.
#ifndef TAMSOR_PIE3D_CHART_PLOT_H
#define TAMSOR_PIE3D_CHART_PLOT_H

#include "chart_plot.h"
#include "pie3d_renderer.h"

namespace tamsor {

class Pie3DChartPlot : public ChartPlot {
    Q_OBJECT

  public:
    Pie3DChartPlot(const ChartContent& content, const ChartStyle& style, QWidget* parent = nullptr);

    const Pie3DRenderer& renderer() const { return renderer_; }

  private:
    Pie3DRenderer renderer_;
};

}  // namespace tamsor

#endif
