// SPDX-License-Identifier: GPL-3.0-or-later
// The exact technique's result files written alone, at the sizes it takes, and the floor
// every run stands on: the data file's text parsed by a plain strtod loop.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "load_shapes.h"
#include "tamsor/data_file.h"
#include "tamsor/result_set_format.h"
#include "tamsor/safe_result_files.h"

namespace {

using tamsor::bench::LoadShape;

// Result sets of equal numbers of isolators per type: the report is 18 lines whatever the
// grouping, a trifle beside the load plot file, so its figures need only be plausible.
std::vector<tamsor::ResultSetRecord> equalCountSets(const std::vector<float>& sortedLoads) {
    const auto count = static_cast<std::int32_t>(sortedLoads.size());
    std::vector<tamsor::ResultSetRecord> sets;
    for (int n = 1; n <= tamsor::report_layout::kMaxTypes; ++n) {
        tamsor::ResultSetRecord set;
        set.partitionCount = n;
        set.operationCount = 9LL * count * n;
        double squares = 0;
        for (int k = 0; k <= n; ++k)
            set.firstPositions[k] = 1 + static_cast<std::int32_t>(std::int64_t{count} * k / n);
        for (int k = 0; k < n; ++k) {
            const auto first = sortedLoads.begin() + (set.firstPositions[k] - 1);
            const auto end = sortedLoads.begin() + (set.firstPositions[k + 1] - 1);
            double sum = 0;
            for (auto load = first; load != end; ++load)
                sum += *load;
            const double mean = sum / static_cast<double>(end - first);
            for (auto load = first; load != end; ++load)
                squares += (*load - mean) * (*load - mean);
            set.means[k] = static_cast<float>(mean);
        }
        set.pooledVariance = static_cast<float>(squares / count);
        sets.push_back(set);
    }
    return sets;
}

long fileSize(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return 0;
    std::fseek(file, 0, SEEK_END);
    const long size = std::ftell(file);
    std::fclose(file);
    return size;
}

// The report and the load plot file of sorted loads written as a run writes them: under
// temporary names, moved into place when both are complete.
void BM_ResultFileWriting(benchmark::State& state, LoadShape shape) {
    const int loadCount = static_cast<int>(state.range(0));
    std::vector<float> loads = tamsor::bench::shapedLoads(shape, loadCount);
    std::stable_sort(loads.begin(), loads.end());
    const std::vector<tamsor::ResultSetRecord> sets = equalCountSets(loads);
    const auto& dataFile = tamsor::bench::shapedDataFile(shape, loadCount);
    tamsor::DataFile input;
    if (!input.open(dataFile.c_str())) return state.SkipWithError("cannot open the data file");
    const std::string report = dataFile.parent_path() / "WRITING.out";
    const std::string plot = dataFile.parent_path() / "WRITING.plt";
    for (auto _ : state) {
        tamsor::ResultFilePair results(report.c_str(), plot.c_str());
        bool written = results.check(input.identity()) && results.openReport();
        for (const tamsor::ResultSetRecord& set : sets)
            tamsor::writeResultSet(results.report(), set);
        written = written && results.openPlot();
        tamsor::writeLoadPlot(results.plot(), loads);
        if (!results.commit() || !written) return state.SkipWithError("cannot write the files");
    }
    state.SetBytesProcessed(state.iterations() * (fileSize(report) + fileSize(plot)));
}

// The floor: the data file read into memory and each load parsed with strtod, nothing
// checked and nothing kept.
void BM_ParseFloor(benchmark::State& state, LoadShape shape) {
    const int loadCount = static_cast<int>(state.range(0));
    const std::string path = tamsor::bench::shapedDataFile(shape, loadCount);
    std::string text(static_cast<std::size_t>(fileSize(path)), '\0');
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        if (file == nullptr) return state.SkipWithError("cannot open the data file");
        const std::size_t read = std::fread(text.data(), 1, text.size(), file);
        std::fclose(file);
        if (read != text.size()) return state.SkipWithError("cannot read the data file");
        const char* next = text.c_str();
        double sum = 0;
        int count = 0;
        for (;;) {
            char* end = nullptr;
            const double load = std::strtod(next, &end);
            if (end == next) break;
            sum += load;
            ++count;
            next = end;
        }
        benchmark::DoNotOptimize(sum);
        if (count != loadCount) return state.SkipWithError("the data file lost loads");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

double fastest(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}

void largeRuns(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgName("loads")->Arg(10'000)->Arg(100'000)->Arg(1'000'000);
    benchmark->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);
}

}  // namespace

BENCHMARK_CAPTURE(BM_ResultFileWriting, uniform, LoadShape::kUniform)->Apply(largeRuns);
BENCHMARK_CAPTURE(BM_ResultFileWriting, clustered, LoadShape::kClustered)->Apply(largeRuns);
BENCHMARK_CAPTURE(BM_ResultFileWriting, two_levels, LoadShape::kTwoLevels)->Apply(largeRuns);
BENCHMARK_CAPTURE(BM_ParseFloor, uniform, LoadShape::kUniform)->Apply(largeRuns);
BENCHMARK_CAPTURE(BM_ParseFloor, clustered, LoadShape::kClustered)->Apply(largeRuns);
BENCHMARK_CAPTURE(BM_ParseFloor, two_levels, LoadShape::kTwoLevels)->Apply(largeRuns);
