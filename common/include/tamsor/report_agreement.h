// SPDX-License-Identifier: GPL-3.0-or-later
// Whether a result set of a partition report belongs to a data file's loads,
// judged by what the report does hold: the number of loads, the boundaries
// of the types and each mean that fitted its field. A mean too wide for its
// field (written as asterisks: loads in newtons, a type of ten million or
// more) says nothing either way, so it is no mismatch.
#ifndef TAMSOR_REPORT_AGREEMENT_H
#define TAMSOR_REPORT_AGREEMENT_H

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tamsor {

// Whether `reportMean`, as the report holds it, can be the mean of a type of
// `isolators` loads whose exact mean is `loadsMean` and whose largest load in
// magnitude is `largestMagnitude`: the report rounds to 2 decimals, and the
// classic engine sums in single precision, off by less than one unit in the
// last place of the largest load per isolator.
bool reportMeanAgrees(float reportMean, double loadsMean, std::int64_t isolators,
                      double largestMagnitude);

// Why the result set given by `firstPositions` (n + 1 sorted positions, as the
// report holds them) and `means` (n, empty where the report has asterisks)
// cannot have been computed from `sortedLoads` (ascending, as every technique
// sorts them): "the report groups 18 loads, the data file holds 17", "the
// boundaries of the types are not positions of these loads", "type 6 has
// another mean". Nothing when it agrees.
std::optional<std::string> resultSetDisagreement(std::span<const float> sortedLoads,
                                                 std::span<const std::int32_t> firstPositions,
                                                 std::span<const std::optional<float>> means);

}  // namespace tamsor

#endif
