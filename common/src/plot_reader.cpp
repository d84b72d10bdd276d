// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/plot_reader.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>
#include <system_error>

#include "tamsor/decimal_syntax.h"
#include "tamsor/report_layout.h"

namespace tamsor {
namespace {

using namespace report_layout;

constexpr std::size_t kLineLength = kPlotPositionWidth + kPlotLoadWidth;

[[noreturn]] void fault(std::size_t line, ReadError::Kind kind, const std::string& what) {
    throw ReadError(kind, "line " + std::to_string(line) + ": " + what);
}

// A right-justified field: blanks, then the figure without blanks.
std::string_view figure(std::string_view field, std::size_t line, const char* what) {
    field.remove_prefix(std::min(field.find_first_not_of(' '), field.size()));
    if (field.empty()) fault(line, ReadError::Kind::kNotANumber, std::string("no ") + what);
    return field;
}

PlotPoint parsePoint(std::string_view text, std::size_t line) {
    if (text.size() != kLineLength)
        fault(line, ReadError::Kind::kMalformed,
              std::to_string(text.size()) + " characters, not " + std::to_string(kLineLength));
    PlotPoint point;
    const std::string_view position = figure(text.substr(0, kPlotPositionWidth), line, "position");
    const auto [positionEnd, positionError] =
        std::from_chars(position.data(), position.data() + position.size(), point.position);
    if (positionError != std::errc{} || positionEnd != position.data() + position.size())
        fault(line, ReadError::Kind::kNotANumber,
              "\"" + std::string(position) + "\" is not a position");

    const std::string_view load = figure(text.substr(kPlotPositionWidth), line, "load");
    const std::size_t skip = load[0] == '+' ? 1 : 0;
    const auto [loadEnd, loadError] =
        std::from_chars(load.data() + skip, load.data() + load.size(), point.load);
    if (!isDecimalNumber(load) || loadError != std::errc{} ||
        loadEnd != load.data() + load.size() || !std::isfinite(point.load))
        fault(line, ReadError::Kind::kNotANumber, "\"" + std::string(load) + "\" is not a load");
    return point;
}

}  // namespace

std::vector<PlotPoint> parsePlot(std::string_view text) {
    std::vector<PlotPoint> points;
    std::size_t line = 0;
    for (std::size_t start = 0; start < text.size();) {
        ++line;
        const char* const newline =
            static_cast<const char*>(std::memchr(text.data() + start, '\n', text.size() - start));
        const std::size_t end = newline != nullptr ? newline - text.data() : text.size();
        std::string_view lineText = text.substr(start, end - start);
        if (!lineText.empty() && lineText.back() == '\r') lineText.remove_suffix(1);
        start = end + 1;

        const PlotPoint point = parsePoint(lineText, line);
        if (points.empty()) {
            if (point.position != 1)
                fault(line, ReadError::Kind::kMalformed, "the first point is not at position 1");
        } else {
            const PlotPoint& previous = points.back();
            if (point.position != previous.position && point.position != previous.position + 1)
                fault(line, ReadError::Kind::kMalformed,
                      "position " + std::to_string(point.position) + " after " +
                          std::to_string(previous.position));
            if (point.load < previous.load)
                fault(line, ReadError::Kind::kMalformed, "a load below the one before");
        }
        points.push_back(point);
    }
    if (points.empty()) throw ReadError(ReadError::Kind::kPastEnd, "no points");
    return points;
}

std::vector<PlotPoint> readPlot(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ReadError(ReadError::Kind::kCannotOpen, path + ": cannot be opened");
    // In one piece: the plot of a large building holds millions of points.
    std::string text;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size > 0) {
        text.resize(static_cast<std::size_t>(size));
        in.read(text.data(), size);
    }
    if (!in) throw ReadError(ReadError::Kind::kCannotOpen, path + ": cannot be read");
    try {
        return parsePlot(text);
    } catch (const ReadError& error) {
        throw ReadError(error.kind(), path + ": " + error.what());
    }
}

}  // namespace tamsor
