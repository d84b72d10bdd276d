// SPDX-License-Identifier: GPL-3.0-or-later
// The spread figures of a run's groupings and the fewest types within a
// tolerance that the run found, from its report and the sorted loads.
#ifndef TAMSOR_BATCH_RUN_FIGURES_H
#define TAMSOR_BATCH_RUN_FIGURES_H

#include <optional>
#include <span>
#include <vector>

#include "tamsor/calculation.h"
#include "tamsor/grouping_spread.h"

namespace tamsor {

// Per result set the run reached, in order: the figures of its grouping,
// empty where a load is zero or less.
std::vector<std::optional<SpreadFigures>> runSpreadFigures(const TechniqueRun& run,
                                                           std::span<const float> sortedLoads);

// For a technique that groups by the spread, the true minimum for the loads;
// for any other, the fewest of the run's own groupings that keep the tolerance.
ToleranceFinding runToleranceFinding(const TechniqueRun& run, std::span<const float> sortedLoads,
                                     double tolerancePercent);

}  // namespace tamsor

#endif
