// SPDX-License-Identifier: GPL-3.0-or-later
// The load plot (Picture1): the sorted sustained loads as a red staircase
// through the points of the load plot file, with the grouping into isolator
// types laid over it in blue.
#ifndef TAMSOR_LOAD_PLOT_H
#define TAMSOR_LOAD_PLOT_H

#include "results/results_model.h"
#include "widgets/canvas_scene.h"

namespace tamsor {

// The plot of loaded results for `types` types (1 to kMaxShownTypes), in the
// world window -0.2 to 1.2 both ways: black axes along the unit square, the
// staircase, the axes again above it, then per type a dashed level at its
// mean load, 0.4 wide around its middle (none for a mean not shown), and a
// solid line at its start.
CanvasScene loadPlot(const ResultsModel& model, int types);

}  // namespace tamsor

#endif
