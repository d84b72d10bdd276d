// SPDX-License-Identifier: GPL-3.0-or-later
// The solution techniques, in one table: the name the program and every
// output show, the option tamsor-batch takes, how many loads each takes and
// how it computes. A new technique is one entry here and its algorithm.
#ifndef TAMSOR_TECHNIQUE_H
#define TAMSOR_TECHNIQUE_H

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "tamsor/domain_limits.h"
#include "tamsor/least_spread_result_sets.h"
#include "tamsor/optimal_result_sets.h"
#include "tamsor/result_set_format.h"

namespace tamsor {

// In the order the program lists them and tamsor-batch --compare runs them;
// the value is the technique's place in the table.
enum class TechniqueId : std::int16_t { kMethod1, kMethod2, kOptimal, kLeastSpread };

// A technique computed in-process: the result sets for 1 to kMaxTypes types
// from the loads sorted ascending (stably); none where a figure of the report
// would overflow single precision.
using InProcessAlgorithm = std::vector<ResultSetRecord> (*)(std::span<const float> sortedLoads);

struct Technique {
    TechniqueId id;
    std::string_view name;          // "Method 1", as shown everywhere
    std::string_view methodOption;  // tamsor-batch --method VALUE
    std::string_view approach;      // how it groups, in a few words: "equal load ranges"
    std::size_t maxIsolators;       // it takes kMinIsolators to this many loads
    // Exactly one of the two: the method flag of the classic engine's entry,
    // or the algorithm of a technique computed in-process.
    std::optional<std::int32_t> engineFlag;
    InProcessAlgorithm algorithm;
    // It groups by the spread of a type below its design load, a share of
    // that load: it takes positive loads only, and the fewest types within a
    // tolerance that it finds is the true minimum, not only the fewest of its
    // own nine groupings.
    bool groupsBySpread;

    constexpr bool classic() const { return engineFlag.has_value(); }
};

inline constexpr Technique kTechniques[] = {
    {TechniqueId::kMethod1, "Method 1", "1", "equal load ranges", kMaxClassicIsolators, 0, nullptr,
     false},
    {TechniqueId::kMethod2, "Method2", "2", "equal numbers of isolators", kMaxClassicIsolators, 1,
     nullptr, false},
    {TechniqueId::kOptimal, "Optimal", "optimal", "the best grouping", kMaxOptimalIsolators,
     std::nullopt, &optimalResultSets, false},
    {TechniqueId::kLeastSpread, "Least spread", "spread", "the least spread below the design load",
     kMaxOptimalIsolators, std::nullopt, &leastSpreadResultSets, true},
};

// Each entry at the place its id names.
static_assert([] {
    for (std::size_t i = 0; i < std::size(kTechniques); ++i)
        if (static_cast<std::size_t>(kTechniques[i].id) != i) return false;
    return true;
}());

constexpr const Technique& techniqueOf(TechniqueId id) {
    return kTechniques[static_cast<std::size_t>(id)];
}

// The technique whose tamsor-batch option is `option`; nothing for another word.
constexpr const Technique* techniqueForOption(std::string_view option) {
    for (const Technique& technique : kTechniques)
        if (technique.methodOption == option) return &technique;
    return nullptr;
}

}  // namespace tamsor

#endif
