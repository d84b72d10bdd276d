// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot_as_written.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <memory>

#include "tamsor/report_layout.h"
#include "tamsor/result_set_format.h"

namespace tamsor {
namespace {

// The plot file open for reading, closed on every way out.
class PlotInput {
  public:
    explicit PlotInput(const std::string& path)
        : descriptor_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    PlotInput(const PlotInput&) = delete;
    PlotInput& operator=(const PlotInput&) = delete;
    ~PlotInput() {
        if (descriptor_ >= 0) ::close(descriptor_);
    }

    bool isOpen() const { return descriptor_ >= 0; }

    // Reads up to `size` bytes, fewer only at the end of the file; -1 on an error.
    ssize_t readUpTo(char* data, std::size_t size) {
        std::size_t got = 0;
        while (got < size) {
            const ssize_t part = ::read(descriptor_, data + got, size - got);
            if (part < 0 && errno == EINTR) continue;
            if (part < 0) return -1;
            if (part == 0) break;
            got += static_cast<std::size_t>(part);
        }
        return static_cast<ssize_t>(got);
    }

  private:
    int descriptor_;
};

bool holdsText(const std::string& path, std::span<const float> sortedLoads) {
    PlotInput input(path);
    if (!input.isOpen()) return false;
    const auto text = std::make_unique<LoadPlotText>(sortedLoads);
    const auto read =
        std::make_unique<std::array<char, LoadPlotText::kLineLength * LoadPlotText::kBlockLines>>();
    for (std::string_view block = text->nextBlock(); !block.empty(); block = text->nextBlock()) {
        const ssize_t got = input.readUpTo(read->data(), block.size());
        if (got != static_cast<ssize_t>(block.size()) ||
            std::memcmp(read->data(), block.data(), block.size()) != 0)
            return false;
    }
    // Nothing after the last point.
    return input.readUpTo(read->data(), 1) == 0;
}

}  // namespace

float asPlotted(float load) {
    std::array<char, report_layout::kPlotLoadWidth> field;
    plotLoadField(load, field.data());
    const char* const end = field.data() + field.size();
    const char* const start =
        std::find_if(field.cbegin(), field.cend(), [](char c) { return c != ' '; });
    float plotted = 0;
    std::from_chars(start, end, plotted);
    return plotted;
}

std::optional<std::vector<PlotPoint>> pointsIfAsWritten(const std::string& path,
                                                        std::span<const float> sortedLoads) {
    if (sortedLoads.empty() || !holdsText(path, sortedLoads)) return std::nullopt;
    const std::size_t count = sortedLoads.size();
    // A point per load, and one more per step up and at the end.
    std::size_t steps = 1;
    for (std::size_t i = 1; i < count; ++i)
        steps += sortedLoads[i] != sortedLoads[i - 1] ? 1 : 0;
    std::vector<PlotPoint> points;
    points.reserve(count + steps);
    float shown = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const float load = sortedLoads[i];
        // One load field per run of equal loads, as the text has it.
        if (i == 0 ||
            std::bit_cast<std::uint32_t>(load) != std::bit_cast<std::uint32_t>(sortedLoads[i - 1]))
            shown = asPlotted(load);
        const auto position = static_cast<std::int32_t>(i + 1);
        points.push_back({position, shown});
        if (i + 1 == count || sortedLoads[i + 1] != load) points.push_back({position + 1, shown});
    }
    return points;
}

}  // namespace tamsor
