// SPDX-License-Identifier: GPL-3.0-or-later
// A chart of the chart window (Graph1, Graph2): shows one chart at a time,
// described by a ChartContent and drawn at once, the 2D kinds with Qt Charts,
// the 3D kinds by their renderers. Blank until the first chart; the texts
// are set in Arial, or the system's sans-serif face where it is missing.
#ifndef TAMSOR_CHART_WIDGET_H
#define TAMSOR_CHART_WIDGET_H

#include <memory>
#include <optional>

#include <QWidget>

#include "charts/chart_content.h"
#include "charts/chart_renderer.h"
#include "charts/chart_style.h"

class QChart;
class QChartView;

namespace tamsor {

class ChartWidget : public QWidget {
    Q_OBJECT

  public:
    explicit ChartWidget(QWidget* parent = nullptr);
    ~ChartWidget() override;

    // Replaces the chart shown by the one that `content` describes.
    void showChart(const ChartContent& content);

    // The chart last shown; empty before the first.
    const std::optional<ChartContent>& content() const { return content_; }
    // What draws it: the Qt chart of a 2D kind, or the renderer of a 3D
    // kind; the other one is null.
    QChart* chart() const;
    const ChartRenderer* renderer() const { return renderer_.get(); }

    QSize sizeHint() const override { return QSize(640, 400); }
    QSize minimumSizeHint() const override { return QSize(240, 160); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    ChartStyle style_;
    std::optional<ChartContent> content_;
    QChartView* view_ = nullptr;
    std::unique_ptr<ChartRenderer> renderer_;
};

}  // namespace tamsor

#endif
