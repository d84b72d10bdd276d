// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/spread_figures.h"

#include <algorithm>
#include <stdexcept>

#include "exact_arithmetic.h"
#include "load_checks.h"

namespace tamsor {

double spreadPercent(double smallest, double largest) {
    // Either way a rounded function of the exact spread that never falls as it rises: the
    // difference is exact (Sterbenz) in the first case, the quotient correctly rounded in both.
    const double fraction =
        smallest >= largest / 2 ? (largest - smallest) / largest : 1 - smallest / largest;
    return 100 * fraction;
}

SpreadFigures spreadFigures(std::span<const double> sortedLoads,
                            std::span<const int> firstPositions) {
    return LoadSpreadFigures(sortedLoads).of(firstPositions);
}

LoadSpreadFigures::LoadSpreadFigures(std::span<const double> sortedLoads) : loads_(sortedLoads) {
    spread::checkSortedPositiveLoads(sortedLoads);
    // Every term is at least 0, so the sums cannot cancel; compensated, they stay accurate
    // over a million loads.
    optimal::CompensatedSum total;
    for (const double load : sortedLoads)
        total.add(load);
    totalLoad_ = total.value().hi;
}

SpreadFigures LoadSpreadFigures::of(std::span<const int> firstPositions) const {
    const int loadCount = static_cast<int>(loads_.size());
    if (firstPositions.size() < 2 || firstPositions.front() != 1 ||
        firstPositions.back() != loadCount + 1)
        throw std::invalid_argument("the types must start at position 1 and end at N + 1");
    if (std::adjacent_find(firstPositions.begin(), firstPositions.end(), std::greater_equal<>()) !=
        firstPositions.end())
        throw std::invalid_argument("an isolator type is empty");

    SpreadFigures figures;
    optimal::CompensatedSum aboveNeed;
    for (std::size_t k = 0; k + 1 < firstPositions.size(); ++k) {
        const int first = firstPositions[k] - 1;
        const int end = firstPositions[k + 1] - 1;
        const double designLoad = loads_[end - 1];
        figures.typeSpreadPercent.push_back(spreadPercent(loads_[first], designLoad));
        for (int i = first; i < end; ++i)
            aboveNeed.add(designLoad - loads_[i]);
    }
    figures.worstSpreadPercent =
        *std::max_element(figures.typeSpreadPercent.begin(), figures.typeSpreadPercent.end());
    figures.capacityAboveNeedPercent = 100 * (aboveNeed.value().hi / totalLoad_);
    return figures;
}

}  // namespace tamsor
