// SPDX-License-Identifier: GPL-3.0-or-later
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
std::string clusteredLoads(int loadCount) {
    struct ColumnType {
        double share;
        double mean;
    };
    constexpr std::array<ColumnType, 4> kTypes{
        {{0.10, 1150}, {0.35, 1900}, {0.40, 2700}, {0.15, 3600}}};
    std::mt19937 random(1000 + static_cast<unsigned>(loadCount));
    std::string text;
    for (int i = 0; i < loadCount; ++i) {
        // Column types in turn, as the grid axes list them.
        const double position = (i + 0.5) / loadCount;
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

std::vector<std::string> crlfLines(const fs::path& path) {
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

// Private folder under benchFolder(), removed when the benchmark ends.
class ScratchFolder {
  public:
    ScratchFolder() {
        std::string pattern = (benchFolder() / "engine-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot create a folder under " + benchFolder().string());
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

std::unique_ptr<BenchCase> makeCase(const fs::path& folder, int loadCount,
                                    std::int32_t methodFlag) {
    auto bench = std::make_unique<BenchCase>();
    bench->loadCount = loadCount;
    bench->methodFlag = methodFlag;
    bench->input =
        folder / ("B" + std::to_string(loadCount) + "M" + std::to_string(methodFlag) + ".DAT");
    const std::string name = bench->input.string();
    if (name.size() > VORBECK1_PATH_LENGTH)
        throw std::runtime_error("benchmark folder path too long: " + name);
    std::memset(bench->paddedName, ' ', VORBECK1_PATH_LENGTH);
    std::memcpy(bench->paddedName, name.data(), name.size());

    std::ofstream(bench->input, std::ios::binary) << clusteredLoads(loadCount);
    bench->status = callEngine(*bench);
    fs::path result = bench->input;
    bench->reportLines = crlfLines(result.replace_extension(".out"));
    if (bench->status == VORBECK1_SUCCESS)
        bench->plotLines = crlfLines(result.replace_extension(".plt"));
    return bench;
}

}  // namespace

fs::path benchFolder() {
    const char* chosen = std::getenv("TAMSOR_BENCH_DIR");
    return chosen != nullptr && *chosen != '\0' ? fs::path(chosen) : fs::temp_directory_path();
}

std::int32_t callEngine(const BenchCase& bench) {
    std::int32_t methodFlag = bench.methodFlag;
    std::int32_t status = 0;
    vorbeck1(&methodFlag, &status, bench.paddedName);
    return status;
}

const BenchCase& benchCase(int loadCount, std::int32_t methodFlag) {
    static ScratchFolder folder;
    static std::map<std::pair<int, std::int32_t>, std::unique_ptr<BenchCase>> cases;
    auto& bench = cases[{loadCount, methodFlag}];
    if (!bench) bench = makeCase(folder.path(), loadCount, methodFlag);
    return *bench;
}

}  // namespace tamsor::bench
