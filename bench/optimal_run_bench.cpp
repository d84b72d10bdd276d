// SPDX-License-Identifier: GPL-3.0-or-later
// The exact technique's whole run with files, on the inputs of the engine's
// whole-call benchmark and in the same program, so that both are timed on the
// same machine, file system and moment: read, sort, group into 1 to 9 types,
// write the report and the load plot file, move both into place.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_cases.h"
#include "tamsor/optimal_run.h"

namespace {

namespace fs = std::filesystem;

// A copy of the engine case's input beside it, so that the two techniques'
// result files do not replace each other's.
fs::path optimalInput(int loadCount) {
    const fs::path engineInput = tamsor::bench::benchCase(loadCount, 0).input;
    fs::path input = engineInput;
    input.replace_filename("OPTIMAL" + std::to_string(loadCount) + ".DAT");
    if (!fs::exists(input)) fs::copy_file(engineInput, input);
    return input;
}

void BM_OptimalRun(benchmark::State& state) {
    const std::string input = optimalInput(static_cast<int>(state.range(0))).string();
    std::int32_t status = 1;
    for (auto _ : state) {
        status = tamsor::runOptimal(input, tamsor::kMaxOptimalIsolators).ok() ? 0 : 1;
        benchmark::DoNotOptimize(status);
    }
    state.SetLabel("status " + std::to_string(status) + ", 9 result sets");
}

double fastest(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}

}  // namespace

BENCHMARK(BM_OptimalRun)
    ->ArgName("loads")
    ->Arg(11)
    ->Arg(50)
    ->Arg(100)
    ->ComputeStatistics("min", fastest);
