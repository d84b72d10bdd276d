// SPDX-License-Identifier: GPL-3.0-or-later
// The exact technique against Method 1 and Method2 of the engine, run in-process on the
// same buildings: for every number of types they reach, it is never worse.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "engine_run.h"
#include "engine_state.h"
#include "tamsor/optimal_grouping.h"

namespace {

class KeepBoundaries final : public engine::ResultSetSink {
  public:
    void onResultSet(const engine::EngineState& state) override {
        sets.emplace_back(state.boundary.begin() + 1,
                          state.boundary.begin() + state.partition_count + 2);
    }
    std::vector<std::vector<int>> sets;  // boundary(1..n+1) of each result set
};

// Sum of squares of the engine's grouping, recomputed in extended precision.
long double squaresOf(const std::vector<double>& loads, const std::vector<int>& boundary) {
    long double total = 0;
    for (std::size_t k = 0; k + 1 < boundary.size(); ++k) {
        long double mean = 0;
        for (int i = boundary[k]; i < boundary[k + 1]; ++i)
            mean += loads[i];
        mean /= boundary[k + 1] - boundary[k];
        for (int i = boundary[k]; i < boundary[k + 1]; ++i)
            total += (loads[i] - mean) * (loads[i] - mean);
    }
    return total;
}

// Loads of 11 to 100 isolators: in 1 to 5 clusters scattered by 1 to 15 per cent, or spread
// evenly over a range; written to 0.1 kN as in an input data file.
std::vector<float> building(std::mt19937& random) {
    const int count = std::uniform_int_distribution<int>(11, 100)(random);
    std::uniform_real_distribution<double> unit(0, 1);
    std::vector<double> centres;
    const bool clustered = unit(random) < 0.7;
    const int clusters = clustered ? std::uniform_int_distribution<int>(1, 5)(random) : 0;
    for (int c = 0; c < clusters; ++c)
        centres.push_back(500 + 4500 * unit(random));
    const double scatter = 0.01 + 0.14 * unit(random);
    std::vector<float> loads;
    for (int i = 0; i < count; ++i) {
        double load = 200 + 6000 * unit(random);
        if (clustered) {
            const double centre = centres[i % clusters];
            load = std::normal_distribution<double>(centre, scatter * centre)(random);
        }
        loads.push_back(static_cast<float>(std::round(std::max(load, 1.0) * 10) / 10));
    }
    return loads;
}

TEST(OptimalAgainstMethods, NeverAboveMethod1OrMethod2) {
    std::mt19937 random(2024);
    int comparedSets = 0;
    int strictlyBetter = 0;
    for (int b = 0; b < 300; ++b) {
        const std::vector<float> loads = building(random);
        for (const std::int32_t methodFlag : {0, 1}) {
            engine::EngineState state;
            state.load_count = static_cast<std::int32_t>(loads.size());
            std::copy(loads.begin(), loads.end(), state.loads.begin() + 1);
            KeepBoundaries kept;
            std::int32_t status = 0;
            engine::computeResultSets(state, methodFlag, status, kept);
            // The engine sorts its loads in place; the exact technique takes the same ones.
            const std::vector<double> sorted(state.loads.begin() + 1,
                                             state.loads.begin() + 1 + state.load_count);
            const auto optimal = tamsor::findOptimalGroupings(sorted);
            for (const std::vector<int>& boundary : kept.sets) {
                const std::size_t n = boundary.size() - 1;
                const long double method = squaresOf(sorted, boundary);
                const double best = optimal[n - 1].sumOfSquares;
                EXPECT_LE(best, static_cast<double>(method) * (1 + 1e-12))
                    << "building " << b << ", method flag " << methodFlag << ", " << n << " types";
                ++comparedSets;
                if (best < method * (1 - 1e-9L)) ++strictlyBetter;
            }
        }
    }
    // The classic techniques reach most sets, and often miss the best grouping.
    EXPECT_GT(comparedSets, 2000);
    EXPECT_GT(strictlyBetter, comparedSets / 4);
}

}  // namespace
