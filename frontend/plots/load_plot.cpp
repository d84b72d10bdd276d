// SPDX-License-Identifier: GPL-3.0-or-later
#include "plots/load_plot.h"

#include <algorithm>
#include <span>

#include <QColor>

#include "plots/polyline_outline.h"

namespace tamsor {
namespace {

const QColor kAxes(0, 0, 0);
const QColor kData(255, 0, 0);
const QColor kOverlay(0, 0, 255);

void drawAxes(CanvasScene& scene) {
    scene.drawLine(0, 0, 1, 0, kAxes);
    scene.drawLine(0, 0, 0, 1, kAxes);
}

// The staircase through the points, step by step; or, with more points than
// pixel columns, per column a stroke from the lowest to the highest load it
// reaches, joined to the next column's at a height both reach.
void drawStaircase(CanvasScene& scene, const ResultsModel& m, int columns) {
    const auto points =
        std::min(static_cast<std::size_t>(std::max(m.PlotLast + 1, 0)), m.PlotX.size());
    if (columns <= 0 || points <= static_cast<std::size_t>(columns)) {
        for (std::size_t i = 0; i + 1 < points; ++i)
            scene.drawLine(m.PlotX[i], m.PlotY[i], m.PlotX[i + 1], m.PlotY[i + 1], kData);
        return;
    }
    const WorldWindow& window = scene.worldWindow();
    const std::vector<ColumnReach> outline =
        polylineOutline(std::span(m.PlotX).first(points), std::span(m.PlotY).first(points),
                        window.left, window.right, columns);
    const double perColumn = (window.right - window.left) / columns;
    const auto middle = [&](int c) { return window.left + (c + 0.5) * perColumn; };
    for (std::size_t k = 0; k < outline.size(); ++k) {
        const ColumnReach& column = outline[k];
        scene.drawLine(middle(column.column), column.low, middle(column.column), column.high,
                       kData);
        if (k + 1 < outline.size()) {
            const ColumnReach& next = outline[k + 1];
            const double shared = std::max(column.low, next.low);
            scene.drawLine(middle(column.column), shared, middle(next.column), shared, kData);
        }
    }
}

}  // namespace

CanvasScene loadPlot(const ResultsModel& m, int types, int columns) {
    CanvasScene scene;
    scene.setPersistent(true);
    scene.setWorldWindow(-0.2, 1.2, -0.2, 1.2);
    drawAxes(scene);
    drawStaircase(scene, m, columns);

    // Positions and loads on the axes of the normalised points, in single
    // precision.
    const int d = types - 1;
    const auto start = [&](int k) { return m.PartBound[d][k] / m.PlotXMax; };
    drawAxes(scene);
    scene.setDashed(true);
    for (int k = 0; k < types; ++k) {
        if (m.PartMeanNotShown[d][k]) continue;
        const float middle = (start(k) + start(k + 1)) / 2;
        const float level = m.PartMean[d][k] / m.PlotYMax;
        scene.drawLine(middle - 0.2f, level, middle + 0.2f, level, kOverlay);
    }
    scene.setDashed(false);
    for (int k = 0; k < types; ++k)
        scene.drawLine(start(k), 0, start(k), 1, kOverlay);
    return scene;
}

}  // namespace tamsor
