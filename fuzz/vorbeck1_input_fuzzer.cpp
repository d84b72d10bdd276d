// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: any bytes as an input data file, through the engine's C
// entry with both techniques, checking what each run leaves on disk against
// what the shared reader makes of the same bytes.
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "result_file_checks.h"
#include "tamsor/domain_limits.h"
#include "tamsor/load_file_reader.h"
#include "tamsor/read_error.h"
#include "tamsor/report_reader.h"
#include "vorbeck1.h"

namespace {

namespace fs = std::filesystem;

struct RunFolder {
    fs::path input;
    fs::path report;
    fs::path plot;
    char padded_name[VORBECK1_PATH_LENGTH];
};

RunFolder* run_folder = nullptr;

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "vorbeck1: %s\n", what.c_str());
    std::abort();
}

[[noreturn]] void fail(const std::string& what, std::int32_t method_flag) {
    fail("method flag " + std::to_string(method_flag) + ": " + what);
}

// The first two lines of a report (empty when there is none).
std::string_view first_result_set(std::string_view report) {
    const std::size_t first_end = report.find('\n');
    if (first_end == std::string_view::npos) return {};
    return report.substr(0, report.find('\n', first_end + 1) + 1);
}

void remove_run_folder() {
    std::error_code ignored;
    if (run_folder != nullptr) fs::remove_all(run_folder->input.parent_path(), ignored);
}

std::string read_whole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// What the shared reader makes of the input, checked as it reads: lines
// rise, labels are trimmed, a decimal comma starts with the number read.
struct Reading : tamsor::LoadSink {
    void onLoad(const tamsor::LoadLine& load) override {
        if (load.line <= lastLine) fail("load lines do not rise");
        lastLine = load.line;
        const std::string_view label = load.label;
        if (!label.empty() && (label.front() == ' ' || label.front() == '\t' ||
                               label.back() == ' ' || label.back() == '\t' || label.back() == '\r'))
            fail("label not trimmed");
        if (!load.decimalComma.empty() &&
            load.decimalComma.substr(0, load.number.size()) != load.number)
            fail("decimal comma does not start with the number");
        largest = std::max(largest, std::fabs(load.load));
    }
    std::int64_t lastLine = 0;
    float largest = 0;
};

struct ReaderVerdict {
    bool accepted = false;  // the loads the classic engine takes, by the reading rules
    std::size_t loads = 0;
    float largest = 0;
};

ReaderVerdict readWithTheSharedReader(const std::uint8_t* data, std::size_t size) {
    Reading reading;
    tamsor::LoadFileReader reader(reading, tamsor::kMaxClassicIsolators);
    const bool read = reader.feed(reinterpret_cast<const char*>(data), size) && reader.finish();
    return {read && reader.loadCount() >= tamsor::kMinIsolators, reader.loadCount(),
            reading.largest};
}

// Only the input and its two result files: no temporary left behind.
void expectNoTemporaries(std::int32_t method_flag) {
    for (const auto& entry : fs::directory_iterator(run_folder->input.parent_path())) {
        const fs::path& path = entry.path();
        if (path != run_folder->input && path != run_folder->report && path != run_folder->plot)
            fail("left behind: " + path.filename().string(), method_flag);
    }
}

// One run on the bytes already in the input file; returns the report's bytes.
std::string run_and_check(std::int32_t method_flag, const ReaderVerdict& verdict) {
    std::error_code ignored;
    fs::remove(run_folder->report, ignored);
    fs::remove(run_folder->plot, ignored);

    std::int32_t flag = method_flag;
    std::int32_t status = 0;
    vorbeck1(&flag, &status, run_folder->padded_name);
    expectNoTemporaries(method_flag);

    const bool has_report = fs::exists(run_folder->report);
    const bool has_plot = fs::exists(run_folder->plot);
    switch (status) {
        case VORBECK1_UNREADABLE:
            // The folder is writable, so status 1 can only come from the
            // loads: refused by the reading rules, or so large that the
            // single-precision sums overflow.
            if (verdict.accepted && !(verdict.largest > 1e17f))
                fail("status 1 for loads the reader accepts", method_flag);
            if (has_report || has_plot) fail("status 1 left a result file", method_flag);
            return {};
        case VORBECK1_SUCCESS:
        case VORBECK1_EMPTY_PARTITION:
            if (!verdict.accepted) fail("calculated loads the reader refuses", method_flag);
            break;
        default:
            fail("status " + std::to_string(status), method_flag);
    }

    const std::string report = read_whole(run_folder->report);
    std::string error;
    const auto lines = tamsor::fuzz::crlf_lines(report, error);
    if (error.empty()) error = tamsor::fuzz::check_report(lines);
    if (!error.empty()) fail("report " + error, method_flag);
    // The shared report reader takes every report the engine writes.
    try {
        const auto sets = tamsor::parseReport(report);
        if (sets.size() * 2 != lines.size() ||
            static_cast<std::size_t>(sets.front().loadCount()) != verdict.loads)
            fail("report read back with other sets or loads", method_flag);
    } catch (const tamsor::ReadError& readError) {
        fail(std::string("report not read back: ") + readError.what(), method_flag);
    }
    if (status == VORBECK1_EMPTY_PARTITION) {
        // Result sets 1 to n - 1 for a failure at n = 2..9; no plot.
        if (lines.size() < 2 || lines.size() > 16) fail("status 2 with a full report", method_flag);
        if (has_plot) fail("status 2 wrote a plot file", method_flag);
        return report;
    }

    if (lines.size() != 18) fail(std::to_string(lines.size()) + " report lines", method_flag);
    const std::string plot = read_whole(run_folder->plot);
    const auto plot_lines = tamsor::fuzz::crlf_lines(plot, error);
    if (error.empty()) error = tamsor::fuzz::check_plot(plot_lines, lines.front());
    if (!error.empty()) fail("plot " + error, method_flag);
    return report;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The folder's path holds no "." and no blank, and leaves the name room
    // within the entry's 120 bytes.
    std::string pattern = (fs::temp_directory_path() / "vorbeck1-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::perror("mkdtemp");
        std::exit(1);
    }
    run_folder = new RunFolder{fs::path(pattern) / "LOADS.DAT",
                               fs::path(pattern) / "LOADS.out",
                               fs::path(pattern) / "LOADS.plt",
                               {}};
    const std::string name = run_folder->input.string();
    if (name.size() > VORBECK1_PATH_LENGTH) {
        std::fprintf(stderr, "temp folder path too long: %s\n", name.c_str());
        std::exit(1);
    }
    std::memset(run_folder->padded_name, ' ', VORBECK1_PATH_LENGTH);
    std::memcpy(run_folder->padded_name, name.data(), name.size());
    std::atexit(remove_run_folder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        std::ofstream input(run_folder->input, std::ios::binary | std::ios::trunc);
        input.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const ReaderVerdict verdict = readWithTheSharedReader(data, size);
    const std::string equal_ranges = run_and_check(0, verdict);
    const std::string equal_counts = run_and_check(1, verdict);

    // Reading does not depend on the technique, nor does the single partition.
    if (equal_ranges.empty() != equal_counts.empty()) fail("only one technique read the loads");
    if (first_result_set(equal_ranges) != first_result_set(equal_counts))
        fail("result set 1 differs between the techniques");

    // The engine's working record outlives a run; nothing of the run before may leak in.
    if (run_and_check(0, verdict) != equal_ranges) fail("second run differs from the first", 0);
    return 0;
}
