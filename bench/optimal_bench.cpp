// The exact technique's computation alone, all nine type counts: on the 11, 50 and 100
// clustered loads of the engine benchmark, and on 10,000 and 1,000,000 generated loads.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "bench_cases.h"
#include "engine_run.h"
#include "engine_state.h"
#include "load_table.h"
#include "tamsor/data_file.h"
#include "tamsor/optimal_grouping.h"

namespace {

// The engine benchmark's input for this many loads, read and sorted as the engine does.
std::vector<double> engineCaseLoads(int loadCount, benchmark::State& state) {
    const auto& bench = tamsor::bench::benchCase(loadCount, 0);
    engine::EngineState engineState;
    tamsor::DataFile input;
    const bool read = input.open(bench.input.c_str()) && engine::readLoads(input, engineState);
    if (!read) state.SkipWithError("cannot read the benchmark input");
    engine::sortLoads(engineState);
    return {engineState.loads.begin() + 1, engineState.loads.begin() + 1 + engineState.load_count};
}

// Corner, edge and interior columns and core walls, scattered by `scatter` (10 per cent
// in the goals), written to 0.1 kN and read as single precision, as in an input data file.
std::vector<double> generatedLoads(int loadCount, double scatter = 0.10) {
    constexpr std::array<double, 4> kShares{0.10, 0.35, 0.40, 0.15};
    constexpr std::array<double, 4> kMeans{1150, 1900, 2700, 3600};
    std::mt19937 random(2000 + static_cast<unsigned>(loadCount));
    std::vector<double> loads;
    for (std::size_t type = 0; type < kShares.size(); ++type) {
        std::normal_distribution<double> load(kMeans[type], scatter * kMeans[type]);
        for (int i = 0; i < kShares[type] * loadCount; ++i)
            loads.push_back(static_cast<float>(std::round(load(random) * 10) / 10));
    }
    loads.resize(loadCount, kMeans.back());
    std::sort(loads.begin(), loads.end());
    return loads;
}

void runOptimal(benchmark::State& state, const std::vector<double>& loads) {
    std::int64_t evaluations = 0;
    for (auto _ : state) {
        const auto groupings = tamsor::findOptimalGroupings(loads);
        evaluations = groupings.back().costEvaluations;
        benchmark::DoNotOptimize(groupings.data());
    }
    state.counters["cost_evaluations"] = static_cast<double>(evaluations);
}

void BM_OptimalOnEngineCases(benchmark::State& state) {
    runOptimal(state, engineCaseLoads(static_cast<int>(state.range(0)), state));
}

void BM_OptimalOnGeneratedLoads(benchmark::State& state) {
    runOptimal(state, generatedLoads(static_cast<int>(state.range(0))));
}

// Types of 1 per cent scatter are too tight for the fast totals to tell the best groupings
// apart: the run is repeated with the accurate ones.
void BM_OptimalOnTightClusters(benchmark::State& state) {
    runOptimal(state, generatedLoads(static_cast<int>(state.range(0)), 0.01));
}

// Other work on a shared machine only ever adds time, so with repetitions the fastest one
// is reported beside the median.
double fastest(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}

}  // namespace

BENCHMARK(BM_OptimalOnEngineCases)
    ->ArgName("loads")
    ->Arg(11)
    ->Arg(50)
    ->Arg(100)
    ->ComputeStatistics("min", fastest);
BENCHMARK(BM_OptimalOnGeneratedLoads)
    ->ArgName("loads")
    ->Arg(10'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", fastest);
BENCHMARK(BM_OptimalOnTightClusters)
    ->ArgName("loads")
    ->Arg(10'000)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", fastest);
