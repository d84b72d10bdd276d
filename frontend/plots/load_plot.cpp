// SPDX-License-Identifier: GPL-3.0-or-later
#include "plots/load_plot.h"

#include <QColor>

namespace tamsor {
namespace {

const QColor kAxes(0, 0, 0);
const QColor kData(255, 0, 0);
const QColor kOverlay(0, 0, 255);

void drawAxes(CanvasScene& scene) {
    scene.drawLine(0, 0, 1, 0, kAxes);
    scene.drawLine(0, 0, 0, 1, kAxes);
}

}  // namespace

CanvasScene loadPlot(const ResultsModel& m, int types) {
    CanvasScene scene;
    scene.setPersistent(true);
    scene.setWorldWindow(-0.2, 1.2, -0.2, 1.2);
    drawAxes(scene);
    for (int i = 0; i <= m.PlotLast - 1; ++i)
        scene.drawLine(m.PlotX[i], m.PlotY[i], m.PlotX[i + 1], m.PlotY[i + 1], kData);

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
