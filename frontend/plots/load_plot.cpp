// SPDX-License-Identifier: GPL-3.0-or-later
#include "plots/load_plot.h"

#include <QColor>

#include "plots/axis_values.h"
#include "results/results_table.h"
#include "tamsor/figure_text.h"

namespace tamsor {
namespace {

const QColor kAxes(0, 0, 0);
const QColor kData(255, 0, 0);
const QColor kOverlay(0, 0, 255);

// Axis values: at most this many steps, each marked by a tick this long.
constexpr int kLoadSteps = 5;
constexpr int kPositionSteps = 8;
constexpr double kTick = 0.02;

void drawAxes(CanvasScene& scene) {
    scene.drawLine(0, 0, 1, 0, kAxes);
    scene.drawLine(0, 0, 0, 1, kAxes);
}

// Loads up the left side, with the data file's decimals; isolator positions
// 1 to N along the bottom, where position p starts its step of the curve.
void drawAxisValues(const ResultsModel& m, CanvasScene& scene) {
    for (const double load : roundValues(m.PlotYMax, kLoadSteps)) {
        const double y = load / m.PlotYMax;
        scene.drawLine(-kTick, y, 0, y, kAxisValueColor);
        scene.setTextPosition(-1.5 * kTick, y);
        scene.print(QString::fromStdString(loadText(static_cast<float>(load), m.LoadDecimals)),
                    kAxisValueColor, Qt::AlignRight | Qt::AlignVCenter);
    }
    // The curve ends at the position after the last isolator.
    const int isolators = static_cast<int>(m.PlotXMax) - 1;
    for (const int position : positionValues(isolators, kPositionSteps)) {
        const double x = position / static_cast<double>(m.PlotXMax);
        scene.drawLine(x, -kTick, x, 0, kAxisValueColor);
        scene.setTextPosition(x, -1.5 * kTick);
        scene.print(QString::number(position), kAxisValueColor, Qt::AlignHCenter | Qt::AlignTop);
    }
    scene.setTextPosition(-0.18, 1.17);
    scene.print(withUnit(QStringLiteral("Load"), m.LoadUnit), kAxisValueColor,
                Qt::AlignLeft | Qt::AlignTop);
    scene.setTextPosition(0.5, -0.1);
    scene.print(QStringLiteral("Isolators in ascending order of load"), kAxisValueColor,
                Qt::AlignHCenter | Qt::AlignTop);
}

}  // namespace

CanvasScene loadPlot(const ResultsModel& m, int types) {
    CanvasScene scene;
    scene.setPersistent(true);
    scene.setWorldWindow(-0.2, 1.2, -0.2, 1.2);
    drawAxes(scene);
    for (int i = 0; i <= m.PlotLast - 1; ++i)
        scene.drawLine(m.PlotX[i], m.PlotY[i], m.PlotX[i + 1], m.PlotY[i + 1], kData);
    drawAxisValues(m, scene);
    drawAxes(scene);
    if (!m.reached(types)) return scene;

    // Positions and loads on the axes of the normalised points, in single
    // precision.
    const int d = types - 1;
    const auto start = [&](int k) { return m.PartBound[d][k] / m.PlotXMax; };
    scene.setDashed(true);
    for (int k = 0; k < types; ++k) {
        if (m.PartMeanNotShown[d][k]) continue;
        const float level = m.PartMean[d][k] / m.PlotYMax;
        scene.drawLine(start(k), level, start(k + 1), level, kOverlay);
    }
    scene.setDashed(false);
    for (int k = 0; k < types; ++k)
        scene.drawLine(start(k), 0, start(k), 1, kOverlay);
    return scene;
}

}  // namespace tamsor
