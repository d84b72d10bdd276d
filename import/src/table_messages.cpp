// SPDX-License-Identifier: GPL-3.0-or-later
#include "table_messages.h"

namespace tamsor {
namespace {

constexpr std::size_t kLongestQuotedText = 60;

std::string rowList(const std::vector<std::size_t>& rows) {
    std::vector<std::string> shown;
    for (std::size_t i = 0; i < rows.size() && i < kRowsNamed; ++i)
        shown.push_back(std::to_string(rows[i]));
    if (rows.size() > kRowsNamed) shown.push_back(countOf(rows.size() - kRowsNamed, "more"));
    return (rows.size() == 1 ? "row " : "rows ") + listed(shown);
}

}  // namespace

std::string countOf(std::size_t count, std::string_view noun) {
    std::string text = std::to_string(count) + " " + std::string(noun);
    if (count != 1 && noun != "more") text += 's';
    return text;
}

std::string rowShown(const DelimitedTable& table, std::size_t row) {
    std::string text = "row " + std::to_string(row + 1);
    if (table.lineOf(row) != row + 1) text += " (line " + std::to_string(table.lineOf(row)) + ")";
    return text;
}

std::string quoted(std::string_view text) {
    std::string shown = "\"";
    std::size_t kept = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        // Cut before a character, never inside one.
        if (kept >= kLongestQuotedText && (byte & 0xC0) != 0x80) {
            shown += "...";
            break;
        }
        shown += byte < 0x20 || byte == 0x7F ? ' ' : text[i];
        ++kept;
    }
    return shown + "\"";
}

std::string listed(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) text += i + 1 == items.size() ? " and " : ", ";
        text += items[i];
    }
    return text;
}

std::string alternatives(const std::vector<std::string>& values) {
    if (values.size() == 1) return "not " + values[0];
    if (values.size() == 2) return "neither " + values[0] + " nor " + values[1];
    std::string text = "none of ";
    for (std::size_t i = 0; i < values.size(); ++i)
        text += (i == 0 ? "" : i + 1 == values.size() ? " or " : ", ") + values[i];
    return text;
}

std::string columnShown(std::size_t column, const std::vector<ColumnSummary>& columns) {
    std::string text = "column " + std::to_string(column + 1);
    if (column < columns.size() && !columns[column].name.empty())
        text += " (" + quoted(columns[column].name) + ")";
    return text;
}

std::string columnNamed(std::size_t column, const std::vector<ColumnSummary>& columns) {
    if (column < columns.size() && !columns[column].name.empty())
        return quoted(columns[column].name);
    return "column " + std::to_string(column + 1);
}

std::string capitalised(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = char(text[0] - 'a' + 'A');
    return text;
}

std::string whatWasDropped(const ImportedTable& table) {
    std::string text;
    if (table.dropped.empty()) {
        text = "None dropped.";
    } else {
        text = "Dropped " + countOf(table.droppedCount(), "row") + ":";
        for (std::size_t i = 0; i < table.dropped.size(); ++i) {
            const DroppedRows& rows = table.dropped[i];
            text += (i == 0 ? " " : ", ") + std::to_string(rows.count) +
                    (rows.reason == "blank" ? " blank" : " where " + rows.reason);
        }
        text += ".";
    }
    if (table.headerRow) text += " Header in row " + std::to_string(*table.headerRow) + ".";
    if (!table.skippedRows.empty()) {
        text += ' ';
        text += capitalised(rowList(table.skippedRows));
        text += " skipped as title or units lines.";
    }
    return text;
}

}  // namespace tamsor
