// SPDX-License-Identifier: GPL-3.0-or-later
// The least-spread groupings for all nine type counts and the fewest types within a
// tolerance, on 10,000 and 1,000,000 generated loads of three kinds: spread evenly over a
// range, in clusters, and on two levels only.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <random>
#include <utility>
#include <vector>

#include "tamsor/least_spread.h"

namespace {

enum class Kind { uniform, clustered, twoLevel };

// Loads written to 0.1 kN and read as single precision, as in an input data file, sorted.
// Uniform: 200 to 6,000 kN. Clustered: corner, edge and interior columns and core walls,
// each scattered by 3 per cent. Two levels: 60 per cent at 1,500 kN and the rest at
// 3,200 kN, where every type spreads 0 from two types on and the boundaries have the most
// room.
std::vector<double> makeLoads(Kind kind, int loadCount) {
    std::mt19937 random(3000 + static_cast<unsigned>(loadCount));
    std::vector<double> loads;
    const auto add = [&](double load) {
        loads.push_back(static_cast<float>(std::round(load * 10) / 10));
    };
    if (kind == Kind::uniform) {
        std::uniform_real_distribution<double> load(200, 6000);
        for (int i = 0; i < loadCount; ++i)
            add(load(random));
    } else if (kind == Kind::clustered) {
        constexpr std::array<double, 4> kShares{0.10, 0.35, 0.40, 0.15};
        constexpr std::array<double, 4> kMeans{1150, 1900, 2700, 3600};
        for (std::size_t type = 0; type < kShares.size(); ++type) {
            std::normal_distribution<double> load(kMeans[type], 0.03 * kMeans[type]);
            for (int i = 0; i < kShares[type] * loadCount; ++i)
                add(load(random));
        }
        loads.resize(loadCount, kMeans.back());
    } else {
        for (int i = 0; i < loadCount; ++i)
            add(i < 0.6 * loadCount ? 1500 : 3200);
    }
    std::sort(loads.begin(), loads.end());
    return loads;
}

// Made once per kind and count: generating a million loads takes longer than some runs.
const std::vector<double>& loadsOf(Kind kind, int loadCount) {
    static std::map<std::pair<Kind, int>, std::vector<double>> made;
    auto [entry, isNew] = made.try_emplace({kind, loadCount});
    if (isNew) entry->second = makeLoads(kind, loadCount);
    return entry->second;
}

void BM_LeastSpread(benchmark::State& state, Kind kind) {
    const auto& loads = loadsOf(kind, static_cast<int>(state.range(0)));
    std::int64_t evaluations = 0;
    double worstSpread = 0;
    for (auto _ : state) {
        const auto groupings = tamsor::findLeastSpreadGroupings(loads);
        evaluations = groupings.back().grouping.costEvaluations;
        worstSpread = groupings.back().worstSpreadPercent;
        benchmark::DoNotOptimize(groupings.data());
    }
    state.counters["cost_evaluations"] = static_cast<double>(evaluations);
    state.counters["worst_spread_9_types_percent"] = worstSpread;
}

void BM_FewestTypesWithin(benchmark::State& state, Kind kind) {
    const auto& loads = loadsOf(kind, static_cast<int>(state.range(0)));
    const double tolerance = static_cast<double>(state.range(1));
    int fewest = 0;
    for (auto _ : state) {
        fewest = tamsor::fewestTypesWithin(loads, tolerance);
        benchmark::DoNotOptimize(fewest);
    }
    state.counters["fewest_types"] = fewest;
}

// Other work on a shared machine only ever adds time, so with repetitions the fastest one
// is reported beside the median.
double fastest(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}

void leastSpreadArguments(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgName("loads")
        ->Arg(10'000)
        ->Arg(1'000'000)
        ->Unit(benchmark::kMillisecond)
        ->ComputeStatistics("min", fastest);
}

void fewestTypesArguments(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgNames({"loads", "tolerance_percent"})
        ->Args({1'000'000, 1})
        ->Args({1'000'000, 15})
        ->Unit(benchmark::kMillisecond)
        ->ComputeStatistics("min", fastest);
}

}  // namespace

BENCHMARK_CAPTURE(BM_LeastSpread, uniform, Kind::uniform)->Apply(leastSpreadArguments);
BENCHMARK_CAPTURE(BM_LeastSpread, clustered, Kind::clustered)->Apply(leastSpreadArguments);
BENCHMARK_CAPTURE(BM_LeastSpread, two_level, Kind::twoLevel)->Apply(leastSpreadArguments);
BENCHMARK_CAPTURE(BM_FewestTypesWithin, uniform, Kind::uniform)->Apply(fewestTypesArguments);
BENCHMARK_CAPTURE(BM_FewestTypesWithin, clustered, Kind::clustered)->Apply(fewestTypesArguments);
