// SPDX-License-Identifier: GPL-3.0-or-later
// The exact technique's whole run as the programs make it, through calculate(): the data
// file locked and its loads read, sorted, grouped, the report and the load plot file
// written and read back against the loads. Beside it, in the same program and run, the
// parse floor of the same files (BM_ParseFloor).
#include <benchmark/benchmark.h>

#include <string>

#include "load_shapes.h"
#include "tamsor/calculation.h"

namespace {

using tamsor::bench::LoadShape;

void BM_WholeRun(benchmark::State& state, LoadShape shape) {
    const int loadCount = static_cast<int>(state.range(0));
    tamsor::CalculationRequest request;
    request.path = tamsor::bench::shapedDataFile(shape, loadCount).string();
    request.techniques = {tamsor::TechniqueId::kOptimal};
    for (auto _ : state) {
        const tamsor::CalculationOutcome outcome = tamsor::calculate(request);
        if (!outcome.ok() || outcome.runs.size() != 1 || !outcome.runs.front().complete)
            return state.SkipWithError("the run failed");
        benchmark::DoNotOptimize(outcome.runs.data());
    }
}

void largeRuns(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgName("loads")->Arg(10'000)->Arg(100'000)->Arg(1'000'000);
    benchmark->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK_CAPTURE(BM_WholeRun, uniform, LoadShape::kUniform)->Apply(largeRuns);
BENCHMARK_CAPTURE(BM_WholeRun, clustered, LoadShape::kClustered)->Apply(largeRuns);
BENCHMARK_CAPTURE(BM_WholeRun, two_levels, LoadShape::kTwoLevels)->Apply(largeRuns);
