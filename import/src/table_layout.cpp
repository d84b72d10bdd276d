// SPDX-License-Identifier: GPL-3.0-or-later
#include "table_layout.h"

#include <algorithm>
#include <map>
#include <set>

#include "tamsor/table_number.h"

namespace tamsor {
namespace {

// How far down the header is looked for.
constexpr std::size_t kHeaderSearchRows = 1000;

bool holdsNumber(const DelimitedTable& table, std::size_t row) {
    for (std::size_t column = 0; column < table.fieldCount(row); ++column)
        if (numberFormOf(table.field(row, column)) != NumberForm::kText) return true;
    return false;
}

bool isDataLike(const DelimitedTable& table, std::size_t row, std::size_t columns) {
    return table.fieldCount(row) == columns && holdsNumber(table, row);
}

// The first of two data-like rows in a row (blank rows between them do not
// count), so that a title with a number in it is not taken for data; a lone
// data-like row when there is no such pair.
std::optional<std::size_t> firstDataLikeRow(const DelimitedTable& table) {
    const std::size_t columns = usualFieldCount(table);
    const std::size_t end = std::min(table.rowCount(), kHeaderSearchRows);
    std::optional<std::size_t> lone;
    for (std::size_t row = 0; row < end; ++row) {
        if (!isDataLike(table, row, columns)) continue;
        if (!lone) lone = row;
        std::size_t next = row + 1;
        while (next < table.rowCount() && table.isBlank(next))
            ++next;
        if (next == table.rowCount() || isDataLike(table, next, columns)) return row;
    }
    return lone;
}

// Distinct names a row gives its columns.
std::size_t namesIn(const DelimitedTable& table, std::size_t row) {
    std::set<std::string> names;
    for (std::size_t column = 0; column < table.fieldCount(row); ++column) {
        const std::string name = columnName(table.field(row, column));
        if (!name.empty() && numberFormOf(name) == NumberForm::kText) names.insert(name);
    }
    return names.size();
}

}  // namespace

std::size_t usualFieldCount(const DelimitedTable& table) {
    std::map<std::size_t, std::size_t> rowsByFieldCount;
    const std::size_t end = std::min(table.rowCount(), kHeaderSearchRows);
    for (std::size_t row = 0; row < end; ++row)
        if (!table.isBlank(row)) ++rowsByFieldCount[table.fieldCount(row)];
    // Rows of two fields or more decide; one field when there are none.
    std::size_t usual = 1;
    std::size_t mostRows = 0;
    for (const auto& [fields, rows] : rowsByFieldCount) {
        if (fields < 2) continue;
        if (rows >= mostRows) {
            usual = fields;
            mostRows = rows;
        }
    }
    return usual;
}

std::vector<std::size_t> headerCandidates(const DelimitedTable& table) {
    std::vector<std::size_t> candidates;
    // A table without data rows may still have its header.
    const std::size_t end =
        firstDataLikeRow(table).value_or(std::min(table.rowCount(), kHeaderSearchRows));
    for (std::size_t row = 0; row < end; ++row)
        if (!table.isBlank(row)) candidates.push_back(row);
    return candidates;
}

std::optional<std::size_t> detectHeaderRow(const DelimitedTable& table) {
    const std::size_t columns = usualFieldCount(table);
    std::optional<std::size_t> best;
    std::size_t bestNames = 0;
    for (const std::size_t row : headerCandidates(table)) {
        if (table.fieldCount(row) != columns) continue;
        const std::size_t names = namesIn(table, row);
        if (names > bestNames) {
            best = row;
            bestNames = names;
        }
    }
    // A title is no header, unless the table has one column.
    if (best && bestNames < 2 && columns > 1) return std::nullopt;
    return best;
}

std::size_t firstDataRow(const DelimitedTable& table, std::optional<std::size_t> headerRow) {
    const bool oneColumn = usualFieldCount(table) == 1;
    for (std::size_t row = headerRow ? *headerRow + 1 : 0; row < table.rowCount(); ++row)
        if ((oneColumn || table.fieldCount(row) >= 2) && holdsNumber(table, row)) return row;
    return table.rowCount();
}

std::string columnName(std::string_view headerField) {
    std::string name;
    bool blank = false;
    for (const char c : trimmedField(headerField)) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            blank = true;
            continue;
        }
        if (blank && !name.empty()) name += ' ';
        blank = false;
        name += c;
    }
    return name;
}

std::vector<ColumnSummary> summariseColumns(const DelimitedTable& table,
                                            std::optional<std::size_t> headerRow,
                                            std::size_t firstData) {
    std::size_t columns = usualFieldCount(table);
    if (headerRow) columns = std::max(columns, table.fieldCount(*headerRow));
    std::vector<ColumnSummary> summaries(columns);
    std::vector<std::size_t> pointFractions(columns), commaFractions(columns);
    std::vector<std::size_t> pointThousandsLike(columns), commaThousandsLike(columns);
    for (std::size_t column = 0; column < columns; ++column) {
        summaries[column].position = column + 1;
        if (headerRow) summaries[column].name = columnName(table.field(*headerRow, column));
    }
    for (std::size_t row = firstData; row < table.rowCount(); ++row) {
        if (table.isBlank(row)) continue;
        for (std::size_t column = 0; column < columns; ++column) {
            ColumnSummary& summary = summaries[column];
            const std::string_view field = trimmedField(table.field(row, column));
            if (field.empty()) {
                ++summary.empties;
                continue;
            }
            switch (numberFormOf(field)) {
                case NumberForm::kText:
                    ++summary.texts;
                    continue;
                case NumberForm::kWhole:
                case NumberForm::kGrouped:
                    break;
                case NumberForm::kPointFraction:
                    ++pointFractions[column];
                    pointThousandsLike[column] += looksLikeThousands(field) ? 1 : 0;
                    break;
                case NumberForm::kCommaFraction:
                    ++commaFractions[column];
                    commaThousandsLike[column] += looksLikeThousands(field) ? 1 : 0;
                    break;
            }
            ++summary.numbers;
            // The sign as written; "-0" and "0e5" are zero.
            bool zero = true;
            for (const char c : field) {
                if (c == 'e' || c == 'E') break;
                if (c >= '1' && c <= '9') {
                    zero = false;
                    break;
                }
            }
            if (!zero) ++(field.front() == '-' ? summary.negatives : summary.positives);
        }
    }
    for (std::size_t column = 0; column < columns; ++column) {
        ColumnSummary& summary = summaries[column];
        const bool comma = commaFractions[column] > 0 && pointFractions[column] == 0;
        summary.decimalMark = comma ? DecimalMark::kComma : DecimalMark::kPoint;
        const std::size_t fractions = comma ? commaFractions[column] : pointFractions[column];
        const std::size_t thousandsLike =
            comma ? commaThousandsLike[column] : pointThousandsLike[column];
        summary.decimalMarkUnsure = fractions > 0 && thousandsLike == fractions;
    }
    return summaries;
}

}  // namespace tamsor
