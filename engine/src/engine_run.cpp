// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine_run.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "boundary_refinement.h"
#include "load_table.h"
#include "partition_statistics.h"
#include "result_files.h"
#include "starting_boundaries.h"
#include "tamsor/data_file.h"
#include "tamsor/result_names.h"
#include "tamsor/safe_result_files.h"

namespace engine {
namespace {

class ReportWriter final : public ResultSetSink {
  public:
    explicit ReportWriter(tamsor::ResultFile& report) : report_(report) {}
    void onResultSet(const EngineState& state) override { writeResultSet(report_, state); }

  private:
    tamsor::ResultFile& report_;
};

// The path as an ordinary zero-terminated string, trailing blanks removed.
std::string_view inputPath(const char* input_file_name,
                           std::array<char, kInputPathLength + 1>& path) {
    std::size_t length = 0;
    while (length < kInputPathLength && input_file_name[length] != '\0')
        ++length;
    while (length > 0 && input_file_name[length - 1] == ' ')
        --length;
    std::memcpy(path.data(), input_file_name, length);
    path[length] = '\0';
    return {path.data(), length};
}

// The names are composed in the state's own fields: a run allocates nothing.
void storeResultNames(EngineState& state, std::string_view path) {
    const std::string_view stem = tamsor::resultStem(path);
    const auto store = [stem](std::array<char, kResultNameCapacity>& field,
                              std::string_view extension) {
        const std::size_t stemLength = std::min(stem.size(), field.size() - 1);
        const std::size_t extensionLength =
            std::min(extension.size(), field.size() - 1 - stemLength);
        std::memcpy(field.data(), stem.data(), stemLength);
        std::memcpy(field.data() + stemLength, extension.data(), extensionLength);
        field[stemLength + extensionLength] = '\0';
    };
    store(state.report_file_name, ".out");
    store(state.plot_file_name, ".plt");
}

}  // namespace

void sortLoads(EngineState& state) {
    auto& loads = state.loads;
    for (int i = 2; i <= state.load_count; ++i) {
        const Real load = loads[i];
        int position = i;
        while (position > 1 && loads[position - 1] > load) {
            loads[position] = loads[position - 1];
            --position;
        }
        loads[position] = load;
    }
}

void computeResultSets(EngineState& state, std::int32_t method_flag, std::int32_t& status,
                       ResultSetSink& sink) {
    sortLoads(state);
    state.operation_count = 0;
    state.partition_count = 1;
    state.boundary[1] = 0;
    state.boundary[2] = state.load_count;
    if (state.load_count < kMinLoads) {
        status = kUnreadable;
        return;
    }

    compute_partition_means(state, status);
    if (status == kEmptyPartition) return;
    compute_total_deviation(state);
    if (!resultSetIsFinite(state)) {
        status = kUnreadable;
        return;
    }
    sink.onResultSet(state);
    state.total_deviation = 0;

    state.equal_count_start = method_flag != 0 ? 1 : 0;
    for (int n = 2; n <= kMaxPartitions; ++n) {
        state.partition_count = n;
        std::fill_n(state.boundary.begin() + 1, n + 1, 0);
        std::fill_n(state.partition_mean.begin() + 1, n + 1, Real{0});

        place_starting_boundaries(state);
        refinePartitions(state, status);
        if (status == kEmptyPartition) return;
        compute_partition_means(state, status);
        if (status == kEmptyPartition) return;
        compute_total_deviation(state);
        if (!resultSetIsFinite(state)) {
            status = kUnreadable;
            return;
        }
        sink.onResultSet(state);
    }
}

void runEngine(EngineState& state, std::int32_t method_flag, std::int32_t& status,
               const char* input_file_name) {
    status = kUnreadable;
    std::array<char, kInputPathLength + 1> pathText;
    const std::string_view path = inputPath(input_file_name, pathText);

    // The loads are read before any result file is looked at, so an input
    // that is missing, unreadable, not a regular file (a FIFO would keep the
    // run waiting) or refused by the reading rules touches nothing.
    tamsor::DataFile input;
    if (path.empty() || !input.open(pathText.data()) || !readLoads(input, state)) return;
    const tamsor::FileIdentity dataFile = input.identity();
    input.close();
    if (state.load_count < kMinLoads) return;

    // Neither result file may be the data file itself, under its own name or
    // through a link, nor anything but a writable regular file.
    storeResultNames(state, path);
    tamsor::ResultFilePair results(state.report_file_name.data(), state.plot_file_name.data());
    if (!results.check(dataFile) || !results.openReport()) return;

    status = kSuccess;
    ReportWriter writer(results.report());
    computeResultSets(state, method_flag, status, writer);
    if (status == kUnreadable) {
        results.discard();
        return;
    }
    // The load plot file is written only after a complete run; a run that
    // stops at an empty partition keeps the previous plot file as it was.
    if (status == kSuccess) {
        if (results.openPlot()) writeLoadPlot(results.plot(), state);
    }
    // A failure to write wins over an empty partition: the report would not
    // hold the sets before it.
    if (!results.commit()) status = kUnreadable;
}

}  // namespace engine
