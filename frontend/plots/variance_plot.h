// SPDX-License-Identifier: GPL-3.0-or-later
// The variance plot (Picture2): the pooled variance of the groupings into 2
// to kMaxShownTypes isolator types, against the number of types.
#ifndef TAMSOR_VARIANCE_PLOT_H
#define TAMSOR_VARIANCE_PLOT_H

#include <QString>

#include "results/results_model.h"
#include "widgets/canvas_scene.h"

namespace tamsor {

// Printed on the plot when no variance of 2 types or more fits its field of
// the report.
inline const QString kVariancesNotShownNote = QStringLiteral("Variances too wide for the report");

// The plot of loaded results, the same whatever the number of types shown, in
// the world window 0 to 1.2 by -0.2 to 1.2: black axes from (0.25, 0), round
// variances up the axis in grey, titled with the square of the load unit, a
// red line through the normalised variances of the groupings reached at
// x = types / 8, each number of types printed under its point. A variance too wide for the report
// is left out; one without a shown neighbour is drawn as a short level.
CanvasScene variancePlot(const ResultsModel& model);

}  // namespace tamsor

#endif
