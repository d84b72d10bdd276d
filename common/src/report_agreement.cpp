// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/report_agreement.h"

#include <algorithm>
#include <cmath>

namespace tamsor {

bool reportMeanAgrees(float reportMean, double loadsMean, std::int64_t isolators,
                      double largestMagnitude) {
    const double tolerance =
        0.005 + static_cast<double>(isolators) * largestMagnitude * 0x1p-23 + 1e-9;
    return std::fabs(loadsMean - static_cast<double>(reportMean)) <= tolerance;
}

std::optional<std::string> resultSetDisagreement(std::span<const float> sortedLoads,
                                                 std::span<const std::int32_t> firstPositions,
                                                 std::span<const std::optional<float>> means) {
    const auto loadCount = static_cast<std::int64_t>(sortedLoads.size());
    if (firstPositions.size() < 2 || means.size() + 1 != firstPositions.size())
        return "the report's result set is incomplete";
    if (firstPositions.back() - 1 != loadCount)
        return "the report groups " + std::to_string(firstPositions.back() - 1) +
               " loads, the data file holds " + std::to_string(loadCount);
    for (std::size_t k = 0; k + 1 < firstPositions.size(); ++k)
        if (firstPositions[k] < 1 || firstPositions[k + 1] <= firstPositions[k] ||
            (k == 0 && firstPositions[k] != 1))
            return std::string("the boundaries of the types are not positions of these loads");

    for (std::size_t k = 0; k < means.size(); ++k) {
        if (!means[k]) continue;
        const auto first = static_cast<std::size_t>(firstPositions[k] - 1);
        const auto end = static_cast<std::size_t>(firstPositions[k + 1] - 1);
        double sum = 0;
        double largest = 0;
        for (std::size_t p = first; p < end; ++p) {
            sum += sortedLoads[p];
            largest = std::max(largest, std::fabs(static_cast<double>(sortedLoads[p])));
        }
        const auto isolators = static_cast<std::int64_t>(end - first);
        if (!reportMeanAgrees(*means[k], sum / static_cast<double>(isolators), isolators, largest))
            return "type " + std::to_string(k + 1) + " has another mean";
    }
    return std::nullopt;
}

}  // namespace tamsor
