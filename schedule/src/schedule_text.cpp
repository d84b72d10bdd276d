// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/schedule_text.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "schedule_rows.h"
#include "tamsor/terminal_text.h"

namespace tamsor {
namespace {

constexpr std::string_view kIndent = "  ";
constexpr std::string_view kGap = "  ";

// Every column right-aligned to its widest cell, except a last column of free
// text, which is left as it is so that no label widens the table.
void writeTable(std::ostream& out, std::string_view title, const std::vector<TextRow>& rows,
                bool lastColumnIsText) {
    std::vector<std::size_t> widths(rows.front().size(), 0);
    for (const auto& row : rows)
        for (std::size_t i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths[i], row[i].size());
    out << kIndent << title << '\n';
    for (const auto& row : rows) {
        std::string line(kIndent);
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0) line += kGap;
            const bool padded = !(lastColumnIsText && i + 1 == row.size());
            if (padded) line.append(widths[i] - row[i].size(), ' ');
            line += row[i];
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out << line << '\n';
    }
}

}  // namespace

void writeScheduleText(std::ostream& out, const IsolatorSchedule& schedule) {
    std::vector<TextRow> types = {typeHeader()};
    for (const auto& type : schedule.types)
        types.push_back(typeRow(type, schedule.loadDecimals, "-"));
    writeTable(out, "Isolator types", types, false);
    out << kIndent << groupingFiguresLine(schedule) << "\n\n";

    std::vector<TextRow> isolators = {isolatorHeader()};
    for (const auto& isolator : schedule.isolators)
        isolators.push_back(isolatorRow(isolator, schedule.loadDecimals, terminalText));
    writeTable(out, "Isolators in data file order", isolators, true);
}

}  // namespace tamsor
