// SPDX-License-Identifier: GPL-3.0-or-later
#include "plots/load_plot.h"

#include <algorithm>
#include <span>

#include <QColor>

#include "plots/axis_values.h"
#include "plots/polyline_outline.h"
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
// The room an isolator position takes along the bottom, in pixels: a digit of the
// axis values' font is about 7 wide; and the share of the plot's width that the
// axis takes (of -0.2 to 1.2).
constexpr int kDigitPixels = 8;
constexpr int kPositionGapPixels = 12;
constexpr double kAxisShare = 1 / 1.4;

// As many steps of positions as their values fit side by side in `columns` pixels
// (unknown: 0), so that the six-digit positions of a large building on a small
// window stay apart.
int positionSteps(int isolators, int columns) {
    if (columns <= 0) return kPositionSteps;
    const auto digits = static_cast<int>(QString::number(isolators).size());
    const auto fitting =
        static_cast<int>(columns * kAxisShare / (digits * kDigitPixels + kPositionGapPixels));
    return std::clamp(fitting, 1, kPositionSteps);
}

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

// Loads up the left side, with the data file's decimals; isolator positions
// 1 to N along the bottom, where position p starts its step of the curve.
void drawAxisValues(const ResultsModel& m, CanvasScene& scene, int columns) {
    for (const double load : roundValues(m.PlotYMax, kLoadSteps)) {
        const double y = load / m.PlotYMax;
        scene.drawLine(-kTick, y, 0, y, kAxisValueColor);
        scene.setTextPosition(-1.5 * kTick, y);
        scene.print(QString::fromStdString(loadText(static_cast<float>(load), m.LoadDecimals)),
                    kAxisValueColor, Qt::AlignRight | Qt::AlignVCenter);
    }
    // The curve ends at the position after the last isolator.
    const int isolators = static_cast<int>(m.PlotXMax) - 1;
    for (const int position : positionValues(isolators, positionSteps(isolators, columns))) {
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

CanvasScene loadPlot(const ResultsModel& m, int types, int columns) {
    CanvasScene scene;
    scene.setPersistent(true);
    scene.setWorldWindow(-0.2, 1.2, -0.2, 1.2);
    drawAxes(scene);
    drawStaircase(scene, m, columns);
    drawAxisValues(m, scene, columns);
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
