// SPDX-License-Identifier: GPL-3.0-or-later
#include "run_figures.h"

namespace tamsor {

std::vector<std::optional<SpreadFigures>> runSpreadFigures(const TechniqueRun& run,
                                                           std::span<const float> sortedLoads) {
    std::vector<std::optional<SpreadFigures>> figures;
    figures.reserve(run.sets.size());
    const GroupingSpreads spreads(sortedLoads);
    for (const ReportSet& set : run.sets)
        figures.push_back(spreads.of(set.firstPositions));
    return figures;
}

ToleranceFinding runToleranceFinding(const TechniqueRun& run, std::span<const float> sortedLoads,
                                     double tolerancePercent) {
    if (techniqueOf(run.technique).groupsBySpread)
        return fewestTypesOfLoads(sortedLoads, tolerancePercent);
    std::vector<std::optional<double>> worstSpreads;
    for (const std::optional<SpreadFigures>& figures : runSpreadFigures(run, sortedLoads))
        worstSpreads.push_back(figures ? std::optional(figures->worstSpreadPercent) : std::nullopt);
    return fewestOwnTypesWithin(worstSpreads, tolerancePercent);
}

}  // namespace tamsor
