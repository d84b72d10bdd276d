// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/load_sorting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

namespace {

std::vector<std::uint32_t> bitsOf(const std::vector<float>& loads) {
    std::vector<std::uint32_t> bits;
    for (const float load : loads)
        bits.push_back(std::bit_cast<std::uint32_t>(load));
    return bits;
}

// Compared by their bits, so that -0 and 0 must keep their order in the file as a stable
// comparison sort keeps it.
void expectSortedAsStableSortDoes(std::vector<float> loads) {
    std::vector<float> expected = loads;
    std::stable_sort(expected.begin(), expected.end());
    tamsor::stableSortLoads(loads);
    EXPECT_EQ(bitsOf(loads), bitsOf(expected));
}

TEST(StableSortLoads, OrdersEveryLoadAsAStableComparisonSortToTheBit) {
    std::mt19937 random(20);
    // Few loads, sorted by comparing; then sets large enough to go by their bits.
    for (const std::size_t count : {12u, 1023u, 1024u, 50'000u}) {
        // Tension and compression, ties at every magnitude, -0 beside 0, the smallest and
        // the largest single-precision magnitudes.
        const std::vector<float> values{0.0f,
                                        -0.0f,
                                        1250.5f,
                                        -1250.5f,
                                        1e-3f,
                                        -3.0e7f,
                                        std::numeric_limits<float>::denorm_min(),
                                        -std::numeric_limits<float>::denorm_min(),
                                        std::numeric_limits<float>::max(),
                                        std::numeric_limits<float>::lowest()};
        std::uniform_int_distribution<std::size_t> pick(0, values.size() - 1);
        std::uniform_real_distribution<float> spread(-4000, 4000);
        std::vector<float> loads;
        for (std::size_t i = 0; i < count; ++i)
            loads.push_back(i % 3 == 0 ? spread(random) : values[pick(random)]);
        expectSortedAsStableSortDoes(loads);
    }
    // Loads that share the upper bits, as two levels of a building do, and all equal ones.
    std::vector<float> twoLevels(5000);
    for (float& load : twoLevels)
        load = random() % 2 == 0 ? 1000.0f : 2000.0f;
    expectSortedAsStableSortDoes(twoLevels);
    std::vector<float> allZero(3000, 0.0f);
    for (std::size_t i = 0; i < allZero.size(); i += 7)
        allZero[i] = -0.0f;
    expectSortedAsStableSortDoes(allZero);
}

}  // namespace
