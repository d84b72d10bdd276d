// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/load_sorting.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace tamsor {
namespace {

// Below this many loads comparing is as fast, and needs no tables.
constexpr std::size_t kFewLoads = 1024;

constexpr int kDigitBits = 11;
constexpr int kPasses = 3;  // 3 x 11 bits cover the 32 of a float
constexpr std::uint32_t kDigitValues = 1u << kDigitBits;

// The bits of a load as an unsigned key that orders as the loads do: positive loads with
// the sign bit set, negative ones inverted. -0 takes the key of 0, as they compare equal.
std::uint32_t orderKey(float load) {
    std::uint32_t bits = std::bit_cast<std::uint32_t>(load);
    if (bits == 0x8000'0000u) bits = 0;
    return (bits & 0x8000'0000u) != 0 ? ~bits : bits | 0x8000'0000u;
}

std::uint32_t digit(std::uint32_t key, int pass) {
    return (key >> (pass * kDigitBits)) & (kDigitValues - 1);
}

}  // namespace

void stableSortLoads(std::span<float> loads) {
    if (loads.size() < kFewLoads) {
        std::stable_sort(loads.begin(), loads.end());
        return;
    }
    // Least significant digit first: each pass keeps the order of the one before among
    // equal digits, so equal keys keep their order in the file.
    std::vector<std::array<std::size_t, kDigitValues>> counts(kPasses);
    for (const float load : loads) {
        const std::uint32_t key = orderKey(load);
        for (int pass = 0; pass < kPasses; ++pass)
            ++counts[pass][digit(key, pass)];
    }
    // Every element is written before it is read: no clearing of a million fresh loads.
    const auto buffer = std::make_unique_for_overwrite<float[]>(loads.size());
    float* from = loads.data();
    float* to = buffer.get();
    for (int pass = 0; pass < kPasses; ++pass) {
        std::array<std::size_t, kDigitValues>& offsets = counts[pass];
        // Loads that all share this digit (the sign and exponent of most buildings) stay.
        if (offsets[digit(orderKey(from[0]), pass)] == loads.size()) continue;
        std::size_t offset = 0;
        for (std::size_t& count : offsets)
            offset += std::exchange(count, offset);
        for (std::size_t i = 0; i < loads.size(); ++i)
            to[offsets[digit(orderKey(from[i]), pass)]++] = from[i];
        std::swap(from, to);
    }
    if (from != loads.data()) std::copy(from, from + loads.size(), loads.data());
}

}  // namespace tamsor
