// SPDX-License-Identifier: GPL-3.0-or-later
// The engine's cost per call, split into the computation, the file work and
// the formatting, on 11, 50 and 100 clustered loads with each technique.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_cases.h"
#include "engine_run.h"
#include "engine_state.h"
#include "load_table.h"
#include "result_files.h"
#include "tamsor/data_file.h"
#include "tamsor/number_fields.h"
#include "tamsor/result_set_format.h"

namespace {

using tamsor::bench::benchCase;
using tamsor::bench::BenchCase;

const BenchCase& caseOf(const benchmark::State& state) {
    return benchCase(static_cast<int>(state.range(0)), static_cast<std::int32_t>(state.range(1)));
}

// A run that ends with status 2 writes fewer result sets and no plot; the
// label says so beside its time.
void labelOutcome(benchmark::State& state, const BenchCase& bench) {
    state.SetLabel("status " + std::to_string(bench.status) + ", " +
                   std::to_string(bench.reportLines.size() / 2) + " result sets");
}

class DiscardResultSets final : public engine::ResultSetSink {
  public:
    void onResultSet(const engine::EngineState&) override {}
};

// (a) One whole entry call through the shared library: read, compute, write.
void BM_FullCall(benchmark::State& state) {
    const BenchCase& bench = caseOf(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(tamsor::bench::callEngine(bench));
    labelOutcome(state, bench);
}

// The case's loads read into `engineState` as the engine reads them; on
// failure the benchmark is skipped.
bool readCaseLoads(const BenchCase& bench, engine::EngineState& engineState,
                   benchmark::State& state) {
    tamsor::DataFile input;
    const bool read = input.open(bench.input.c_str()) && engine::readLoads(input, engineState);
    if (!read) state.SkipWithError("cannot read the benchmark input");
    return read;
}

// (b) The computation alone on the loads already read: sorting, the result
// sets for 1 to 9 types, and nothing written.
void BM_Computation(benchmark::State& state) {
    const BenchCase& bench = caseOf(state);
    engine::EngineState engineState;
    if (!readCaseLoads(bench, engineState, state)) return;
    const auto unsorted = engineState.loads;
    DiscardResultSets sink;
    for (auto _ : state) {
        engineState.loads = unsorted;
        std::int32_t status = 0;
        engine::computeResultSets(engineState, bench.methodFlag, status, sink);
        benchmark::DoNotOptimize(status);
        benchmark::ClobberMemory();
    }
    // The count is the same every iteration; as an inverted rate it reads as
    // time per counted operation.
    const double operations = engineState.operation_count;
    state.counters["operations"] = operations;
    state.counters["time_per_operation"] = benchmark::Counter(
        operations, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    labelOutcome(state, bench);
}

void writeLines(const std::filesystem::path& path, const std::vector<std::string>& lines) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return;
    for (const std::string& line : lines)
        std::fwrite(line.data(), 1, line.size(), file);
    std::fclose(file);
}

// (c) The file work of the same call without the engine: read and parse the
// input, write a report and a plot file of the same lines, one write per
// line, beside it. Nothing is written to a plot file where the call stopped
// early, as in the engine.
void BM_FileWork(benchmark::State& state) {
    const BenchCase& bench = caseOf(state);
    std::filesystem::path report = bench.input;
    report.replace_filename("FILEWORK.out");
    std::filesystem::path plot = bench.input;
    plot.replace_filename("FILEWORK.plt");
    engine::EngineState engineState;
    for (auto _ : state) {
        tamsor::DataFile input;
        if (!input.open(bench.input.c_str())) {
            state.SkipWithError("cannot read the benchmark input");
            break;
        }
        benchmark::DoNotOptimize(engine::readLoads(input, engineState));
        input.close();
        writeLines(report, bench.reportLines);
        if (bench.status == VORBECK1_SUCCESS) writeLines(plot, bench.plotLines);
    }
    labelOutcome(state, bench);
}

class KeepResultSets final : public engine::ResultSetSink {
  public:
    void onResultSet(const engine::EngineState& state) override { sets.push_back(state); }
    std::vector<engine::EngineState> sets;
};

// (d) What the whole call does beyond (b) and (c): formatting the same result
// sets and plot points into lines, written nowhere.
void BM_Formatting(benchmark::State& state) {
    const BenchCase& bench = caseOf(state);
    engine::EngineState engineState;
    if (!readCaseLoads(bench, engineState, state)) return;
    KeepResultSets kept;
    std::int32_t status = 0;
    engine::computeResultSets(engineState, bench.methodFlag, status, kept);
    tamsor::FieldLine first;
    tamsor::FieldLine second;
    for (auto _ : state) {
        for (const engine::EngineState& set : kept.sets) {
            tamsor::formatResultSet(engine::resultSetOf(set), first, second);
            benchmark::DoNotOptimize(first.text().data());
            benchmark::DoNotOptimize(second.text().data());
        }
        if (status != VORBECK1_SUCCESS) continue;
        const auto& loads = engineState.loads;
        for (int i = 1; i <= engineState.load_count; ++i) {
            tamsor::formatPlotPoint(i, loads[i], first);
            benchmark::DoNotOptimize(first.text().data());
            if (i == engineState.load_count || loads[i + 1] != loads[i]) {
                tamsor::formatPlotPoint(i + 1, loads[i], first);
                benchmark::DoNotOptimize(first.text().data());
            }
        }
    }
    labelOutcome(state, bench);
}

// Other work on a shared machine only ever adds time, so with repetitions
// the fastest one is reported beside the median.
double fastest(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}

void clusteredBuildings(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgNames({"loads", "method_flag"})->ArgsProduct({{11, 50, 100}, {0, 1}});
    benchmark->ComputeStatistics("min", fastest);
}

}  // namespace

BENCHMARK(BM_FullCall)->Apply(clusteredBuildings);
BENCHMARK(BM_Computation)->Apply(clusteredBuildings);
BENCHMARK(BM_FileWork)->Apply(clusteredBuildings);
BENCHMARK(BM_Formatting)->Apply(clusteredBuildings);
