// SPDX-License-Identifier: GPL-3.0-or-later
// The exact technique's computation alone, all nine type counts: on the 11, 50 and 100
// clustered loads of the engine benchmark, and on 10,000 to 1,000,000 loads of each shape.
// The same program times the writing of the result files and the parse floor.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "bench_cases.h"
#include "engine_run.h"
#include "engine_state.h"
#include "load_shapes.h"
#include "load_table.h"
#include "tamsor/data_file.h"
#include "tamsor/optimal_grouping.h"

namespace {

using tamsor::bench::LoadShape;

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

// The shapes of large buildings: loads spread evenly, in clusters, and repeating two or
// nine values or one; few different loads must not cost more than many.
void BM_OptimalComputation(benchmark::State& state, LoadShape shape) {
    runOptimal(state, tamsor::bench::sortedShapedLoads(shape, static_cast<int>(state.range(0))));
}

// Types of 1 per cent scatter are too tight for the fast totals to tell the best groupings
// apart: the run is repeated with the accurate ones.
void BM_OptimalOnTightClusters(benchmark::State& state) {
    runOptimal(state, tamsor::bench::sortedShapedLoads(LoadShape::kTightlyClustered,
                                                       static_cast<int>(state.range(0))));
}

// Other work on a shared machine only ever adds time, so with repetitions the fastest one
// is reported beside the median.
double fastest(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}

void largeRuns(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgName("loads")->Arg(10'000)->Arg(100'000)->Arg(1'000'000);
    benchmark->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);
}

}  // namespace

BENCHMARK(BM_OptimalOnEngineCases)
    ->ArgName("loads")
    ->Arg(11)
    ->Arg(50)
    ->Arg(100)
    ->ComputeStatistics("min", fastest);
BENCHMARK_CAPTURE(BM_OptimalComputation, uniform, LoadShape::kUniform)->Apply(largeRuns);
BENCHMARK_CAPTURE(BM_OptimalComputation, clustered, LoadShape::kClustered)->Apply(largeRuns);
BENCHMARK_CAPTURE(BM_OptimalComputation, two_levels, LoadShape::kTwoLevels)->Apply(largeRuns);
BENCHMARK_CAPTURE(BM_OptimalComputation, nine_levels, LoadShape::kNineLevels)->Apply(largeRuns);
BENCHMARK_CAPTURE(BM_OptimalComputation, all_equal, LoadShape::kAllEqual)->Apply(largeRuns);
BENCHMARK(BM_OptimalOnTightClusters)
    ->ArgName("loads")
    ->Arg(10'000)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", fastest);
