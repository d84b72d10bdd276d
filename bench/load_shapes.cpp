// SPDX-License-Identifier: GPL-3.0-or-later
#include "load_shapes.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <random>
#include <stdexcept>
#include <utility>

#include "bench_cases.h"

namespace tamsor::bench {
namespace {

namespace fs = std::filesystem;

float tenthsOfKilonewton(double load) {
    return static_cast<float>(std::round(load * 10) / 10);
}

std::vector<float> clusteredLoads(int loadCount, double scatter) {
    constexpr std::array<double, 4> kShares{0.10, 0.35, 0.40, 0.15};
    constexpr std::array<double, 4> kMeans{1150, 1900, 2700, 3600};
    std::mt19937 random(2000 + static_cast<unsigned>(loadCount));
    std::vector<float> loads;
    for (std::size_t type = 0; type < kShares.size(); ++type) {
        std::normal_distribution<double> load(kMeans[type], scatter * kMeans[type]);
        for (int i = 0; i < kShares[type] * loadCount; ++i)
            loads.push_back(tenthsOfKilonewton(load(random)));
    }
    loads.resize(loadCount, static_cast<float>(kMeans.back()));
    return loads;
}

// Loads of `levels` values 1000, 1000 + step, ..., chosen at random.
std::vector<float> levelledLoads(int loadCount, int levels, double step) {
    std::mt19937 random(3000 + static_cast<unsigned>(loadCount));
    std::uniform_int_distribution<int> level(0, levels - 1);
    std::vector<float> loads(loadCount);
    for (float& load : loads)
        load = static_cast<float>(1000 + step * level(random));
    return loads;
}

// Private folder under benchFolder(), removed when the program ends.
class ShapeFolder {
  public:
    ShapeFolder() {
        std::string pattern = (benchFolder() / "load-shapes-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot create a folder under " + benchFolder().string());
        path_ = pattern;
    }
    ~ShapeFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

}  // namespace

std::vector<float> shapedLoads(LoadShape shape, int loadCount) {
    switch (shape) {
        case LoadShape::kUniform: {
            std::mt19937 random(4000 + static_cast<unsigned>(loadCount));
            std::uniform_real_distribution<double> load(500, 4000);
            std::vector<float> loads(loadCount);
            for (float& value : loads)
                value = tenthsOfKilonewton(load(random));
            return loads;
        }
        case LoadShape::kClustered:
            return clusteredLoads(loadCount, 0.10);
        case LoadShape::kTightlyClustered:
            return clusteredLoads(loadCount, 0.01);
        case LoadShape::kTwoLevels:
            return levelledLoads(loadCount, 2, 1000);
        case LoadShape::kNineLevels:
            return levelledLoads(loadCount, 9, 250);
        case LoadShape::kAllEqual:
            return std::vector<float>(loadCount, 1500.0F);
    }
    return {};
}

std::vector<double> sortedShapedLoads(LoadShape shape, int loadCount) {
    const std::vector<float> loads = shapedLoads(shape, loadCount);
    std::vector<double> sorted(loads.begin(), loads.end());
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

const fs::path& shapedDataFile(LoadShape shape, int loadCount) {
    static ShapeFolder folder;
    static std::map<std::pair<LoadShape, int>, fs::path> files;
    fs::path& file = files[{shape, loadCount}];
    if (file.empty()) {
        const fs::path path = folder.path() / ("S" + std::to_string(static_cast<int>(shape)) + "N" +
                                               std::to_string(loadCount) + ".DAT");
        std::ofstream out(path, std::ios::binary);
        char line[32];
        for (const float load : shapedLoads(shape, loadCount)) {
            const int length = std::snprintf(line, sizeof line, "%.1f\r\n", load);
            out.write(line, length);
        }
        if (!out) throw std::runtime_error("cannot write " + path.string());
        file = path;
    }
    return file;
}

}  // namespace tamsor::bench
