#include "result_files.h"

#include <cstring>

namespace engine {

bool ResultFile::open(const char* name) {
    file_ = std::fopen(name, "wb");
    failed_ = file_ == nullptr;
    // The lines are gathered here already; stdio need not copy them again.
    if (file_ != nullptr) std::setvbuf(file_, nullptr, _IONBF, 0);
    pending_size_ = 0;
    return file_ != nullptr;
}

void ResultFile::write(const FieldLine& line) {
    if (file_ == nullptr) return;
    const auto text = line.text();
    if (pending_size_ + text.size() > pending_.size()) flush();
    std::memcpy(pending_.data() + pending_size_, text.data(), text.size());
    pending_size_ += text.size();
}

void ResultFile::flush() {
    if (pending_size_ > 0 && std::fwrite(pending_.data(), 1, pending_size_, file_) != pending_size_)
        failed_ = true;
    pending_size_ = 0;
}

bool ResultFile::close() {
    if (file_ != nullptr) {
        flush();
        if (std::ferror(file_)) failed_ = true;
        if (std::fclose(file_) != 0) failed_ = true;
        file_ = nullptr;
    }
    return !failed_;
}

void format_result_set(const EngineState& state, FieldLine& first_line, FieldLine& second_line) {
    const int n = state.partition_count;
    const Real pooled_variance = state.total_deviation / static_cast<Real>(state.load_count);

    // (I4,F12.2,I9,10I10): count, pooled variance, operations, first positions.
    first_line.clear();
    first_line.integer(4, n);
    first_line.fixed2(12, pooled_variance);
    first_line.integer(9, state.operation_count);
    for (int k = 1; k <= n + 1; ++k)
        first_line.integer(10, state.boundary[k] + 1);
    first_line.end_line();

    // (19X,10(1X,F10.2)): the partition means.
    second_line.clear();
    second_line.blanks(19);
    for (int k = 1; k <= n; ++k) {
        second_line.blanks(1);
        second_line.fixed2(10, state.partition_mean[k]);
    }
    second_line.end_line();
}

void write_result_set(ResultFile& report, const EngineState& state) {
    FieldLine first_line;
    FieldLine second_line;
    format_result_set(state, first_line, second_line);
    report.write(first_line);
    report.write(second_line);
}

void write_load_plot(ResultFile& plot, const EngineState& state) {
    const int load_count = state.load_count;
    FieldLine line;
    const auto point = [&](int position, Real load) {
        line.clear();
        line.integer(11, position);
        line.plot_load(load);
        line.end_line();
        plot.write(line);
    };
    for (int i = 1; i <= load_count; ++i) {
        point(i, state.loads[i]);
        if (i == load_count || state.loads[i + 1] != state.loads[i]) point(i + 1, state.loads[i]);
    }
}

}  // namespace engine
