#include "engine_run.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "boundary_refinement.h"
#include "load_reader.h"
#include "partition_statistics.h"
#include "result_files.h"
#include "starting_boundaries.h"
#include "tamsor/result_names.h"

namespace engine {
namespace {

class ReportWriter final : public ResultSetSink {
  public:
    explicit ReportWriter(ResultFile& report) : report_(report) {}
    void on_result_set(const EngineState& state) override { write_result_set(report_, state); }

  private:
    ResultFile& report_;
};

// The path as an ordinary zero-terminated string, trailing blanks removed.
std::string_view input_path(const char* input_file_name,
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

void store_result_names(EngineState& state, std::string_view path) {
    const auto names = tamsor::result_names_for(path);
    const auto store = [](std::array<char, kResultNameCapacity>& field, const std::string& name) {
        const std::size_t length = std::min(name.size(), field.size() - 1);
        std::memcpy(field.data(), name.data(), length);
        field[length] = '\0';
    };
    store(state.report_file_name, names.report);
    store(state.plot_file_name, names.plot);
}

}  // namespace

void sort_loads(EngineState& state) {
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

void compute_result_sets(EngineState& state, std::int32_t method_flag, std::int32_t& status,
                         ResultSetSink& sink) {
    sort_loads(state);
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
    sink.on_result_set(state);
    state.total_deviation = 0;

    state.equal_count_start = method_flag != 0 ? 1 : 0;
    for (int n = 2; n <= kMaxPartitions; ++n) {
        state.partition_count = n;
        std::fill_n(state.boundary.begin() + 1, n + 1, 0);
        std::fill_n(state.partition_mean.begin() + 1, n + 1, Real{0});

        place_starting_boundaries(state);
        refine_partitions(state, status);
        if (status == kEmptyPartition) return;
        compute_partition_means(state, status);
        if (status == kEmptyPartition) return;
        compute_total_deviation(state);
        sink.on_result_set(state);
    }
}

void run_engine(EngineState& state, std::int32_t method_flag, std::int32_t& status,
                const char* input_file_name) {
    std::array<char, kInputPathLength + 1> path_text;
    const std::string_view path = input_path(input_file_name, path_text);

    // The loads are read before any result file is opened, so a missing or
    // unreadable input never creates or touches a result file.
    std::FILE* input = path.empty() ? nullptr : std::fopen(path_text.data(), "rb");
    if (input == nullptr) {
        status = kUnreadable;
        return;
    }
    const ReadOutcome outcome = read_loads(input, state);
    std::fclose(input);
    if (outcome != ReadOutcome::kOk || state.load_count < kMinLoads) {
        status = kUnreadable;
        return;
    }

    store_result_names(state, path);
    ResultFile report;
    if (!report.open(state.report_file_name.data())) {
        status = kUnreadable;
        return;
    }
    status = kSuccess;

    ReportWriter writer(report);
    compute_result_sets(state, method_flag, status, writer);
    const bool report_written = report.close();
    if (status != kSuccess) return;

    // The load plot file is written only after a complete run; a run that
    // fails keeps the previous plot file as it was.
    ResultFile plot;
    if (plot.open(state.plot_file_name.data())) write_load_plot(plot, state);
    const bool plot_written = plot.close();
    if (!report_written || !plot_written) status = kUnreadable;
}

}  // namespace engine
