#include "report_summary.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <string>

#include "tamsor/free_form_reader.h"

namespace tamsor {
namespace {

// The number in columns [start, start + width) of a report line; a field of
// asterisks (a figure too large for its columns) reads as NaN.
double field(const std::string& line, std::size_t start, std::size_t width) {
    if (start >= line.size())
        throw ReadError(ReadError::Kind::kPastEnd, "a report line ends early");
    std::string text = line.substr(start, width);
    text.erase(0, text.find_first_not_of(' '));
    while (!text.empty() && (text.back() == ' ' || text.back() == '\r'))
        text.pop_back();
    if (!text.empty() && text.find_first_not_of('*') == std::string::npos)
        return std::numeric_limits<double>::quiet_NaN();
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size())
        throw ReadError(ReadError::Kind::kNotANumber, "not a number in the report: " + text);
    return value;
}

}  // namespace

std::vector<ResultSet> read_report(const std::string& path) {
    std::ifstream report(path, std::ios::binary);
    if (!report) throw ReadError(ReadError::Kind::kCannotOpen, "cannot open " + path);
    std::vector<ResultSet> sets;
    std::string first_line;
    std::string second_line;
    // Line 1: (I4,F12.2,I9,10I10); line 2: (19X,10(1X,F10.2)).
    while (std::getline(report, first_line) && std::getline(report, second_line)) {
        ResultSet set;
        const double count = field(first_line, 0, 4);
        if (!(count >= 1 && count <= 9))
            throw ReadError(ReadError::Kind::kNotANumber, "not a partition report: " + path);
        set.type_count = static_cast<int>(count);
        set.pooled_variance = static_cast<float>(field(first_line, 4, 12));
        const double operations = field(first_line, 16, 9);
        set.operation_count = std::isnan(operations) ? -1 : static_cast<std::int32_t>(operations);
        for (int k = 0; k < set.type_count; ++k) {
            const double first = field(first_line, 25 + 10 * static_cast<std::size_t>(k), 10);
            const double next = field(first_line, 35 + 10 * static_cast<std::size_t>(k), 10);
            const double mean = field(second_line, 20 + 11 * static_cast<std::size_t>(k), 10);
            set.types.push_back({static_cast<int>(next - first), static_cast<float>(mean)});
        }
        sets.push_back(std::move(set));
    }
    return sets;
}

namespace {

// A figure with two decimals in `width` columns, or asterisks where the
// report had no room for it.
std::string figure(double value, int width) {
    char text[64];
    if (std::isnan(value))
        std::snprintf(text, sizeof text, "%*s", width,
                      std::string(static_cast<std::size_t>(std::min(width, 12)), '*').c_str());
    else
        std::snprintf(text, sizeof text, "%*.2f", width, value);
    return text;
}

}  // namespace

void print_summary(std::ostream& out, const std::vector<ResultSet>& sets) {
    out << "  types   pooled variance   per type: isolators x mean load\n";
    char text[32];
    for (const auto& set : sets) {
        std::snprintf(text, sizeof text, "%7d ", set.type_count);
        out << text << figure(set.pooled_variance, 17) << "  ";
        for (const auto& type : set.types) {
            std::snprintf(text, sizeof text, " %3d x ", type.isolators);
            out << text << figure(type.mean_load, 9);
        }
        out << '\n';
    }
}

}  // namespace tamsor
