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

using tamsor::bench::bench_case;
using tamsor::bench::BenchCase;

const BenchCase& case_of(const benchmark::State& state) {
    return bench_case(static_cast<int>(state.range(0)), static_cast<std::int32_t>(state.range(1)));
}

// A run that ends with status 2 writes fewer result sets and no plot; the
// label says so beside its time.
void label_outcome(benchmark::State& state, const BenchCase& bench) {
    state.SetLabel("status " + std::to_string(bench.status) + ", " +
                   std::to_string(bench.report_lines.size() / 2) + " result sets");
}

class DiscardResultSets final : public engine::ResultSetSink {
  public:
    void onResultSet(const engine::EngineState&) override {}
};

// (a) One whole entry call through the shared library: read, compute, write.
void BM_FullCall(benchmark::State& state) {
    const BenchCase& bench = case_of(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(tamsor::bench::call_engine(bench));
    label_outcome(state, bench);
}

// The case's loads read into `engine_state` as the engine reads them; on
// failure the benchmark is skipped.
bool read_case_loads(const BenchCase& bench, engine::EngineState& engine_state,
                     benchmark::State& state) {
    tamsor::DataFile input;
    const bool read = input.open(bench.input.c_str()) && engine::readLoads(input, engine_state);
    if (!read) state.SkipWithError("cannot read the benchmark input");
    return read;
}

// (b) The computation alone on the loads already read: sorting, the result
// sets for 1 to 9 types, and nothing written.
void BM_Computation(benchmark::State& state) {
    const BenchCase& bench = case_of(state);
    engine::EngineState engine_state;
    if (!read_case_loads(bench, engine_state, state)) return;
    const auto unsorted = engine_state.loads;
    DiscardResultSets sink;
    for (auto _ : state) {
        engine_state.loads = unsorted;
        std::int32_t status = 0;
        engine::computeResultSets(engine_state, bench.method_flag, status, sink);
        benchmark::DoNotOptimize(status);
        benchmark::ClobberMemory();
    }
    // The count is the same every iteration; as an inverted rate it reads as
    // time per counted operation.
    const double operations = engine_state.operation_count;
    state.counters["operations"] = operations;
    state.counters["time_per_operation"] = benchmark::Counter(
        operations, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    label_outcome(state, bench);
}

void write_lines(const std::filesystem::path& path, const std::vector<std::string>& lines) {
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
    const BenchCase& bench = case_of(state);
    std::filesystem::path report = bench.input;
    report.replace_filename("FILEWORK.out");
    std::filesystem::path plot = bench.input;
    plot.replace_filename("FILEWORK.plt");
    engine::EngineState engine_state;
    for (auto _ : state) {
        tamsor::DataFile input;
        if (!input.open(bench.input.c_str())) {
            state.SkipWithError("cannot read the benchmark input");
            break;
        }
        benchmark::DoNotOptimize(engine::readLoads(input, engine_state));
        input.close();
        write_lines(report, bench.report_lines);
        if (bench.status == VORBECK1_SUCCESS) write_lines(plot, bench.plot_lines);
    }
    label_outcome(state, bench);
}

class KeepResultSets final : public engine::ResultSetSink {
  public:
    void onResultSet(const engine::EngineState& state) override { sets.push_back(state); }
    std::vector<engine::EngineState> sets;
};

// (d) What the whole call does beyond (b) and (c): formatting the same result
// sets and plot points into lines, written nowhere.
void BM_Formatting(benchmark::State& state) {
    const BenchCase& bench = case_of(state);
    engine::EngineState engine_state;
    if (!read_case_loads(bench, engine_state, state)) return;
    KeepResultSets kept;
    std::int32_t status = 0;
    engine::computeResultSets(engine_state, bench.method_flag, status, kept);
    tamsor::FieldLine first;
    tamsor::FieldLine second;
    for (auto _ : state) {
        for (const engine::EngineState& set : kept.sets) {
            tamsor::formatResultSet(engine::resultSetOf(set), first, second);
            benchmark::DoNotOptimize(first.text().data());
            benchmark::DoNotOptimize(second.text().data());
        }
        if (status != VORBECK1_SUCCESS) continue;
        const auto& loads = engine_state.loads;
        for (int i = 1; i <= engine_state.load_count; ++i) {
            tamsor::formatPlotPoint(i, loads[i], first);
            benchmark::DoNotOptimize(first.text().data());
            if (i == engine_state.load_count || loads[i + 1] != loads[i]) {
                tamsor::formatPlotPoint(i + 1, loads[i], first);
                benchmark::DoNotOptimize(first.text().data());
            }
        }
    }
    label_outcome(state, bench);
}

// Other work on a shared machine only ever adds time, so with repetitions
// the fastest one is reported beside the median.
double fastest(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}

void clustered_buildings(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgNames({"loads", "method_flag"})->ArgsProduct({{11, 50, 100}, {0, 1}});
    benchmark->ComputeStatistics("min", fastest);
}

}  // namespace

BENCHMARK(BM_FullCall)->Apply(clustered_buildings);
BENCHMARK(BM_Computation)->Apply(clustered_buildings);
BENCHMARK(BM_FileWork)->Apply(clustered_buildings);
BENCHMARK(BM_Formatting)->Apply(clustered_buildings);
