// The solution techniques, in one table: the name the program and every
// output show, the option tamsor-batch takes, how many loads each takes and
// how it computes. A new technique is one entry here and its algorithm.
#ifndef TAMSOR_TECHNIQUE_H
#define TAMSOR_TECHNIQUE_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "tamsor/domain_limits.h"

namespace tamsor {

// In the order the program lists them and tamsor-batch --compare runs them;
// the value is the technique's place in the table.
enum class TechniqueId : std::int16_t { kMethod1, kMethod2, kOptimal };

struct Technique {
    TechniqueId id;
    std::string_view name;          // "Method 1", as shown everywhere
    std::string_view methodOption;  // tamsor-batch --method VALUE
    std::size_t maxIsolators;       // it takes kMinIsolators to this many loads
    // The method flag of the classic engine's entry; none for a technique
    // computed in-process.
    std::optional<std::int32_t> engineFlag;
};

inline constexpr std::array<Technique, 3> kTechniques{{
    {TechniqueId::kMethod1, "Method 1", "1", kMaxClassicIsolators, 0},
    {TechniqueId::kMethod2, "Method2", "2", kMaxClassicIsolators, 1},
    {TechniqueId::kOptimal, "Optimal", "optimal", kMaxOptimalIsolators, std::nullopt},
}};

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
