#include "bench_cases.h"

#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <random>
#include <stdexcept>
#include <utility>

namespace tamsor::bench {
namespace {

namespace fs = std::filesystem;

// Isolator loads of a building with corner, edge and interior columns and
// core walls, in kN, each scattered by 10 per cent: the clusters the engine
// is made for, close enough that both techniques complete on 50 and 100
// loads (no technique completes on 11: nine types leave one-load types).
std::string clustered_loads(int load_count) {
    struct ColumnType {
        double share;
        double mean;
    };
    constexpr std::array<ColumnType, 4> kTypes{
        {{0.10, 1150}, {0.35, 1900}, {0.40, 2700}, {0.15, 3600}}};
    std::mt19937 random(1000 + static_cast<unsigned>(load_count));
    std::string text;
    for (int i = 0; i < load_count; ++i) {
        // Column types in turn, as the grid axes list them.
        const double position = (i + 0.5) / load_count;
        double cumulative = 0;
        double mean = kTypes.back().mean;
        for (const ColumnType& type : kTypes) {
            cumulative += type.share;
            if (position < cumulative) {
                mean = type.mean;
                break;
            }
        }
        std::normal_distribution<double> scatter(mean, 0.10 * mean);
        char line[32];
        std::snprintf(line, sizeof line, "%.1f\r\n", scatter(random));
        text += line;
    }
    return text;
}

std::vector<std::string> crlf_lines(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size() - 1) + 1;
        lines.push_back(text.substr(start, end - start));
        start = end;
    }
    return lines;
}

// Private folder under bench_folder(), removed when the benchmark ends.
class ScratchFolder {
  public:
    ScratchFolder() {
        std::string pattern = (bench_folder() / "engine-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot create a folder under " + bench_folder().string());
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

std::unique_ptr<BenchCase> make_case(const fs::path& folder, int load_count,
                                     std::int32_t method_flag) {
    auto bench = std::make_unique<BenchCase>();
    bench->load_count = load_count;
    bench->method_flag = method_flag;
    bench->input =
        folder / ("B" + std::to_string(load_count) + "M" + std::to_string(method_flag) + ".DAT");
    const std::string name = bench->input.string();
    if (name.size() > VORBECK1_PATH_LENGTH)
        throw std::runtime_error("benchmark folder path too long: " + name);
    std::memset(bench->padded_name, ' ', VORBECK1_PATH_LENGTH);
    std::memcpy(bench->padded_name, name.data(), name.size());

    std::ofstream(bench->input, std::ios::binary) << clustered_loads(load_count);
    bench->status = call_engine(*bench);
    fs::path result = bench->input;
    bench->report_lines = crlf_lines(result.replace_extension(".out"));
    if (bench->status == VORBECK1_SUCCESS)
        bench->plot_lines = crlf_lines(result.replace_extension(".plt"));
    return bench;
}

}  // namespace

fs::path bench_folder() {
    const char* chosen = std::getenv("TAMSOR_BENCH_DIR");
    return chosen != nullptr && *chosen != '\0' ? fs::path(chosen) : fs::temp_directory_path();
}

std::int32_t call_engine(const BenchCase& bench) {
    std::int32_t method_flag = bench.method_flag;
    std::int32_t status = 0;
    vorbeck1(&method_flag, &status, bench.padded_name);
    return status;
}

const BenchCase& bench_case(int load_count, std::int32_t method_flag) {
    static ScratchFolder folder;
    static std::map<std::pair<int, std::int32_t>, std::unique_ptr<BenchCase>> cases;
    auto& bench = cases[{load_count, method_flag}];
    if (!bench) bench = make_case(folder.path(), load_count, method_flag);
    return *bench;
}

}  // namespace tamsor::bench
