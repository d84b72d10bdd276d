// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/report_reader.h"

#include <charconv>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <system_error>
#include <utility>

#include "tamsor/decimal_syntax.h"
#include "tamsor/report_layout.h"

namespace tamsor {
namespace {

using namespace report_layout;

// One line of the report and where it stands, for the messages.
struct ReportLine {
    std::string_view text;
    std::size_t number;  // 1-based

    [[noreturn]] void fault(ReadError::Kind kind, const std::string& what) const {
        throw ReadError(kind, "line " + std::to_string(number) + ": " + what);
    }

    // The field at [start, start + width): right-justified, so blanks, then
    // the figure without blanks; std::nullopt for a field of asterisks.
    std::optional<std::string_view> field(std::size_t start, int width, const char* what) const {
        std::string_view text = this->text.substr(start, static_cast<std::size_t>(width));
        if (text.find_first_not_of('*') == std::string_view::npos) return std::nullopt;
        text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
        if (text.empty())
            fault(ReadError::Kind::kNotANumber,
                  "columns " + std::to_string(start + 1) + "-" +
                      std::to_string(start + static_cast<std::size_t>(width)) + ": blank where " +
                      what + " must be");
        if (text.find(' ') != std::string_view::npos)
            fault(ReadError::Kind::kNotANumber, "\"" + std::string(text) + "\" is not " + what);
        return text;
    }

    std::optional<std::int64_t> integer(std::size_t start, int width, const char* what) const {
        const auto text = field(start, width, what);
        if (!text) return std::nullopt;
        std::int64_t value = 0;
        const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
        if (error != std::errc{} || end != text->data() + text->size())
            fault(ReadError::Kind::kNotANumber, "\"" + std::string(*text) + "\" is not " + what);
        return value;
    }

    // An integer that must be shown: asterisks are not allowed.
    std::int64_t shownInteger(std::size_t start, int width, const char* what) const {
        const auto value = integer(start, width, what);
        if (!value)
            fault(ReadError::Kind::kNotANumber,
                  std::string("asterisks where ") + what + " must be");
        return *value;
    }

    std::optional<float> fixed(std::size_t start, int width, const char* what) const {
        const auto text = field(start, width, what);
        if (!text) return std::nullopt;
        float value = 0;
        const std::size_t skip = (*text)[0] == '+' ? 1 : 0;
        const auto [end, error] =
            std::from_chars(text->data() + skip, text->data() + text->size(), value);
        if (!isDecimalNumber(*text) || error != std::errc{} || end != text->data() + text->size())
            fault(ReadError::Kind::kNotANumber, "\"" + std::string(*text) + "\" is not " + what);
        return value;
    }
};

ReportSet parseResultSet(const ReportLine& first, const ReportLine& second, int expectedCount) {
    ReportSet set;
    if (first.text.size() < kVarianceColumn)
        first.fault(ReadError::Kind::kMalformed, "too short for a result set");
    const std::int64_t count = first.shownInteger(kCountColumn, kCountWidth, "the number of types");
    if (count != expectedCount)
        first.fault(ReadError::Kind::kMalformed, "result set " + std::to_string(expectedCount) +
                                                     " is headed by " + std::to_string(count));
    const int n = static_cast<int>(count);
    set.partitionCount = n;
    for (const auto& [line, length] :
         {std::pair{&first, firstLineLength(n)}, std::pair{&second, secondLineLength(n)}}) {
        if (line->text.size() != length)
            line->fault(ReadError::Kind::kMalformed,
                        std::to_string(line->text.size()) + " characters, not " +
                            std::to_string(length) + " for " + std::to_string(n) + " types");
    }

    set.pooledVariance = first.fixed(kVarianceColumn, kVarianceWidth, "a pooled variance");
    if (set.pooledVariance && *set.pooledVariance < 0)
        first.fault(ReadError::Kind::kMalformed, "a negative pooled variance");
    set.operationCount = first.integer(kOperationsColumn, kOperationsWidth, "an operation count");
    if (set.operationCount && *set.operationCount < 0)
        first.fault(ReadError::Kind::kMalformed, "a negative operation count");

    for (int k = 0; k <= n; ++k) {
        const std::int64_t position =
            first.shownInteger(positionColumn(k), kPositionWidth, "a position");
        const std::int64_t lowest = k == 0 ? 1 : set.firstPositions.back() + 1;
        if (position > INT32_MAX || (k == 0 ? position != 1 : position < lowest))
            first.fault(ReadError::Kind::kMalformed,
                        k == 0 ? "the first type does not start at position 1"
                               : "type " + std::to_string(k + 1) + " does not start after type " +
                                     std::to_string(k));
        set.firstPositions.push_back(static_cast<std::int32_t>(position));
    }

    if (second.text.substr(0, kMeansIndent).find_first_not_of(' ') != std::string_view::npos)
        second.fault(ReadError::Kind::kMalformed, "text before the means");
    for (int k = 0; k < n; ++k) {
        if (second.text[meanColumn(k) - kMeanGap] != ' ')
            second.fault(ReadError::Kind::kMalformed, "means not apart");
        set.means.push_back(second.fixed(meanColumn(k), kMeanWidth, "a mean load"));
    }
    return set;
}

}  // namespace

std::vector<ReportSet> parseReport(std::string_view text) {
    std::vector<ReportLine> lines;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back({line, lines.size() + 1});
        start = next;
    }
    if (lines.size() % 2 != 0)
        lines.back().fault(ReadError::Kind::kPastEnd, "the report ends inside result set " +
                                                          std::to_string(lines.size() / 2 + 1));

    std::vector<ReportSet> sets;
    for (std::size_t i = 0; i < lines.size(); i += 2) {
        const int expected = static_cast<int>(i / 2) + 1;
        if (expected > kMaxTypes)
            lines[i].fault(ReadError::Kind::kMalformed, "more than 9 result sets");
        sets.push_back(parseResultSet(lines[i], lines[i + 1], expected));
        if (sets.back().firstPositions.back() != sets.front().firstPositions.back())
            lines[i].fault(ReadError::Kind::kMalformed,
                           "result set " + std::to_string(expected) +
                               " holds another number of loads than result set 1");
    }
    return sets;
}

std::vector<ReportSet> readReport(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ReadError(ReadError::Kind::kCannotOpen, path + ": cannot be opened");
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) throw ReadError(ReadError::Kind::kCannotOpen, path + ": cannot be read");
    try {
        return parseReport(text);
    } catch (const ReadError& error) {
        throw ReadError(error.kind(), path + ": " + error.what());
    }
}

}  // namespace tamsor
