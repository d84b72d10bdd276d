// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/grouping_spread.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "tamsor/domain_limits.h"
#include "tamsor/figure_text.h"
#include "tamsor/least_spread.h"

namespace tamsor {
namespace {

bool allPositive(std::span<const float> loads) {
    return std::all_of(loads.begin(), loads.end(),
                       [](float load) { return std::isfinite(load) && load > 0; });
}

}  // namespace

std::optional<SpreadFigures> groupingSpreadFigures(std::span<const float> sortedLoads,
                                                   std::span<const int> firstPositions) {
    return GroupingSpreads(sortedLoads).of(firstPositions);
}

GroupingSpreads::GroupingSpreads(std::span<const float> sortedLoads) {
    if (sortedLoads.empty() || !allPositive(sortedLoads)) return;
    loads_.assign(sortedLoads.begin(), sortedLoads.end());
    figures_.emplace(loads_);
}

std::optional<SpreadFigures> GroupingSpreads::of(std::span<const int> firstPositions) const {
    if (!figures_) return std::nullopt;
    return figures_->of(firstPositions);
}

std::string spreadFiguresLine(const std::optional<double>& worstSpreadPercent,
                              const std::optional<double>& capacityAboveNeedPercent) {
    if (!worstSpreadPercent || !capacityAboveNeedPercent)
        return "Worst spread and capacity above need: not defined for loads of zero or less";
    // U+00B7 MIDDLE DOT, in UTF-8.
    return "Worst spread " + percentText(*worstSpreadPercent) +
           " %  \xc2\xb7  capacity above need " + percentText(*capacityAboveNeedPercent) + " %";
}

ToleranceFinding fewestTypesOfLoads(std::span<const float> sortedLoads, double tolerancePercent) {
    ToleranceFinding finding;
    finding.tolerancePercent = tolerancePercent;
    finding.spreadDefined = !sortedLoads.empty() && allPositive(sortedLoads);
    if (!finding.spreadDefined) return finding;
    const std::vector<double> loads(sortedLoads.begin(), sortedLoads.end());
    finding.fewestTypes = fewestTypesWithin(loads, tolerancePercent);
    return finding;
}

ToleranceFinding fewestOwnTypesWithin(std::span<const std::optional<double>> worstSpreads,
                                      double tolerancePercent) {
    ToleranceFinding finding;
    finding.tolerancePercent = tolerancePercent;
    finding.spreadDefined =
        std::any_of(worstSpreads.begin(), worstSpreads.end(),
                    [](const std::optional<double>& spread) { return spread.has_value(); });
    for (std::size_t n = 0; n < worstSpreads.size() && !finding.fewestTypes; ++n)
        if (worstSpreads[n] && *worstSpreads[n] <= tolerancePercent)
            finding.fewestTypes = static_cast<int>(n) + 1;
    return finding;
}

std::string toleranceStatement(const ToleranceFinding& finding) {
    std::string statement = "Fewest types within " + percentText(finding.tolerancePercent) + " %: ";
    if (!finding.spreadDefined) return statement + "not defined for loads of zero or less";
    if (!finding.fewestTypes) return statement + "none of 1 to " + std::to_string(kMaxTypes);
    statement += std::to_string(*finding.fewestTypes);
    if (*finding.fewestTypes > kMaxTypes) statement += ", more than " + std::to_string(kMaxTypes);
    return statement;
}

}  // namespace tamsor
