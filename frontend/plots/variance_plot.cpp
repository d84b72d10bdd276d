// SPDX-License-Identifier: GPL-3.0-or-later
#include "plots/variance_plot.h"

#include <QColor>

#include "plots/axis_values.h"
#include "results/cell_text.h"
#include "results/results_table.h"
#include "tamsor/figure_text.h"

namespace tamsor {
namespace {

const QColor kAxes(0, 0, 0);
const QColor kData(255, 0, 0);

// A point without a shown neighbour is drawn as a level this wide on either
// side, so that it can be seen.
constexpr float kLonePointHalfWidth = 0.02f;

// At most this many steps of variance up the axis.
constexpr int kVarianceSteps = 4;

bool varianceShown(const ResultsModel& m, int types) {
    return types >= 2 && m.reached(types) && !m.SetVarianceNotShown[types - 1];
}

// The pooled variances up the axis, in the square of the load unit: round
// values, without decimals where the step is whole, so that they fit the
// margin left of the axis.
void drawAxisValues(const ResultsModel& m, CanvasScene& scene) {
    const int decimals = roundStep(m.SetVarianceMax, kVarianceSteps) >= 1 ? 0 : kMeanDecimals;
    for (const double variance : roundValues(m.SetVarianceMax, kVarianceSteps)) {
        const double y = variance / m.SetVarianceMax;
        scene.drawLine(0.23, y, 0.25, y, kAxisValueColor);
        scene.setTextPosition(0.22, y);
        scene.print(QString::fromStdString(decimalText(variance, decimals)), kAxisValueColor,
                    Qt::AlignRight | Qt::AlignVCenter);
    }
    const QString unit = m.LoadUnit.isEmpty() ? QString() : m.LoadUnit + QChar(0x00B2);
    scene.setTextPosition(0.02, 1.17);
    scene.print(withUnit(QStringLiteral("Pooled variance"), unit), kAxisValueColor,
                Qt::AlignLeft | Qt::AlignTop);
}

float xOf(int types) {
    return static_cast<float>(types) / kMaxShownTypes;
}

// The line from the variance of `types` types to that of one more, or a
// short level at a point without a shown neighbour.
void drawVarianceFrom(const ResultsModel& m, CanvasScene& scene, int types) {
    if (!varianceShown(m, types)) return;
    const float y = m.SetVariance[types - 1];
    if (varianceShown(m, types + 1))
        scene.drawLine(xOf(types), y, xOf(types + 1), m.SetVariance[types], kData);
    else if (!varianceShown(m, types - 1))
        scene.drawLine(xOf(types) - kLonePointHalfWidth, y, xOf(types) + kLonePointHalfWidth, y,
                       kData);
}

}  // namespace

CanvasScene variancePlot(const ResultsModel& m) {
    CanvasScene scene;
    scene.setPersistent(true);
    scene.setWorldWindow(0, 1.2, -0.2, 1.2);
    scene.drawLine(0.25, 0, 1, 0, kAxes);
    scene.drawLine(0.25, 0, 0.25, 1, kAxes);
    bool anyShown = false;
    drawAxisValues(m, scene);
    for (int types = 2; types <= kMaxShownTypes; ++types) {
        anyShown = anyShown || varianceShown(m, types);
        drawVarianceFrom(m, scene, types);
        scene.setTextPosition(xOf(types), -0.05);
        // The last label, as designed, without the sign blank.
        scene.print(types < kMaxShownTypes ? cellText(std::int64_t{types})
                                           : QString::number(types));
    }
    if (!anyShown && m.SetsReached >= 2) {
        scene.setTextPosition(0.3, 0.6);
        scene.print(kVariancesNotShownNote);
    }
    return scene;
}

}  // namespace tamsor
