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
// staircase, the load values and isolator positions on the axes in grey, the
// load axis titled with the load unit, the axes again above the staircase,
// then per type a dashed level at its mean load across that type (none for
// a mean not shown), and a solid line at its start. A number of types that
// the run did not reach draws the loads without types. On a canvas `columns`
// pixels wide inside its frame, a staircase of more points than that is
// drawn as its outline per pixel column (polyline_outline.h), which covers
// the same pixels; 0 draws every step.
CanvasScene loadPlot(const ResultsModel& model, int types, int columns = 0);

}  // namespace tamsor

#endif
