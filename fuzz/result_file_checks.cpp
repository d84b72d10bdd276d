// SPDX-License-Identifier: GPL-3.0-or-later
#include "result_file_checks.h"

#include <algorithm>
#include <charconv>
#include <cstddef>

namespace tamsor::fuzz {
namespace {

// A right-justified integer field, columns [start, start + width).
bool integer_field(std::string_view line, std::size_t start, std::size_t width, long& value) {
    if (line.size() < start + width) return false;
    std::string_view field = line.substr(start, width);
    field.remove_prefix(std::min(field.find_first_not_of(' '), field.size()));
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    return !field.empty() && error == std::errc{} && end == field.data() + field.size();
}

std::string at_line(std::size_t index, const std::string& what) {
    return "line " + std::to_string(index + 1) + ": " + what;
}

}  // namespace

std::vector<std::string_view> crlf_lines(std::string_view text, std::string& error) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos || end == start || text[end - 1] != '\r' ||
            text.substr(start, end - 1 - start).find('\r') != std::string_view::npos) {
            error = at_line(lines.size(), "not ended by CR LF");
            return {};
        }
        lines.push_back(text.substr(start, end - 1 - start));
        start = end + 1;
    }
    return lines;
}

std::string check_report(const std::vector<std::string_view>& lines) {
    if (lines.size() % 2 != 0) return "odd number of report lines";
    for (std::size_t i = 0; i < lines.size(); i += 2) {
        const long n = static_cast<long>(i / 2 + 1);
        long heading = 0;
        if (!integer_field(lines[i], 0, 4, heading) || heading != n)
            return at_line(i, "result set " + std::to_string(n) + " not headed by its count");
        // (I4,F12.2,I9,10I10) with n + 1 positions, (19X,10(1X,F10.2)) with n means.
        if (lines[i].size() != static_cast<std::size_t>(25 + 10 * (n + 1)))
            return at_line(i, "wrong width");
        if (lines[i + 1].size() != static_cast<std::size_t>(19 + 11 * n))
            return at_line(i + 1, "wrong width");
        long first = 0;
        if (!integer_field(lines[i], 25, 10, first) || first != 1)
            return at_line(i, "first partition does not start at position 1");
    }
    return {};
}

std::string check_plot(const std::vector<std::string_view>& plot_lines,
                       std::string_view first_report_line) {
    long past_last = 0;  // N + 1, the last position of result set 1
    if (!integer_field(first_report_line, 35, 10, past_last)) return "no load count in report";
    const long load_count = past_last - 1;
    const auto points = static_cast<long>(plot_lines.size());
    if (points < load_count + 1 || points > 2 * load_count)
        return std::to_string(points) + " plot points for " + std::to_string(load_count) + " loads";
    long previous = 0;
    for (std::size_t i = 0; i < plot_lines.size(); ++i) {
        long position = 0;
        if (plot_lines[i].size() != 27 || !integer_field(plot_lines[i], 0, 11, position))
            return "plot " + at_line(i, "malformed");
        if (position < previous || position > previous + 1)
            return "plot " + at_line(i, "positions do not advance by 0 or 1");
        previous = position;
    }
    long first = 0;
    integer_field(plot_lines.front(), 0, 11, first);
    if (first != 1 || previous != past_last) return "plot does not run from 1 to N + 1";
    return {};
}

}  // namespace tamsor::fuzz
