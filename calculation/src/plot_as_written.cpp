// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot_as_written.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>

#include "tamsor/report_layout.h"
#include "tamsor/result_set_format.h"
#include "tamsor/text_digest.h"

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

    // Whether the file holds `size` bytes.
    bool hasSize(std::size_t size) const {
        struct stat status {};
        return ::fstat(descriptor_, &status) == 0 && S_ISREG(status.st_mode) &&
               static_cast<std::uint64_t>(status.st_size) == size;
    }

    // The digest of the file's first `size` bytes; nothing where it holds fewer or
    // cannot be read. Read in pieces that stay in the processor's cache while they are
    // digested; not mapped, as a file that another program cuts meanwhile would then
    // end the program rather than fail the check.
    std::optional<std::uint64_t> digest(std::size_t size) {
        const auto chunk = std::make_unique<std::array<char, std::size_t{1} << 17>>();
        TextDigest digest;
        std::size_t got = 0;
        while (got < size) {
            const ssize_t part =
                ::pread(descriptor_, chunk->data(), std::min(chunk->size(), size - got),
                        static_cast<off_t>(got));
            if (part < 0 && errno == EINTR) continue;
            if (part <= 0) return std::nullopt;
            digest.add({chunk->data(), static_cast<std::size_t>(part)});
            got += static_cast<std::size_t>(part);
        }
        return digest.value();
    }

  private:
    int descriptor_;
};

// The number of points of the step curve: one a load, and one more per step up and at
// the end.
std::size_t pointCount(std::span<const float> sortedLoads) {
    std::size_t steps = 1;
    for (std::size_t i = 1; i < sortedLoads.size(); ++i)
        steps += sortedLoads[i] != sortedLoads[i - 1] ? 1 : 0;
    return sortedLoads.size() + steps;
}

bool holdsText(const std::string& path, std::size_t size, std::uint64_t digest) {
    PlotInput input(path);
    if (!input.isOpen() || !input.hasSize(size)) return false;
    return input.digest(size) == digest;
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

std::uint64_t plotTextDigest(std::span<const float> sortedLoads) {
    const auto text = std::make_unique<LoadPlotText>(sortedLoads);
    TextDigest digest;
    for (std::string_view block = text->nextBlock(); !block.empty(); block = text->nextBlock())
        digest.add(block);
    return digest.value();
}

bool holdsPlotText(const std::string& path, std::span<const float> sortedLoads,
                   std::uint64_t digest) {
    return !sortedLoads.empty() &&
           holdsText(path, pointCount(sortedLoads) * LoadPlotText::kLineLength, digest);
}

std::vector<PlotPoint> plottedPoints(std::span<const float> sortedLoads) {
    const std::size_t count = sortedLoads.size();
    std::vector<PlotPoint> points;
    points.reserve(pointCount(sortedLoads));
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
