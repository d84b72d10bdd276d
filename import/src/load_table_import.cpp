// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/load_table_import.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "table_layout.h"
#include "table_messages.h"
#include "tamsor/domain_limits.h"

namespace tamsor {
namespace {

// The table as split with the reading settled, detected where not given.
struct ReadTable {
    TextEncoding encoding = TextEncoding::kUtf8;
    DelimitedTable table;
    bool delimiterDetected = false;
    std::optional<std::size_t> headerRow;  // index from 0
    bool headerDetected = false;
    std::size_t firstData = 0;
    std::optional<ImportRefusal> refusal;
};

ImportRefusal refusal(ImportFault fault, std::string message, std::vector<std::size_t> rows = {}) {
    return {fault, std::move(message), std::move(rows)};
}

ReadTable readTable(std::string_view bytes, const TableReading& reading) {
    ReadTable read;
    TableText text = decodeTableText(bytes);
    read.encoding = text.encoding;
    if (!text.refusal.empty()) {
        read.refusal = refusal(ImportFault::kNotText, "The file " + text.refusal + ".");
        return read;
    }
    // The split table keeps 32-bit offsets into its text.
    if (text.utf8.size() > UINT32_MAX) {
        read.refusal =
            refusal(ImportFault::kNotText, "The file is larger than a load table can be.");
        return read;
    }
    read.delimiterDetected = !reading.delimiter;
    const Delimiter delimiter = reading.delimiter.value_or(detectDelimiter(text.utf8));
    read.table = DelimitedTable::split(text.utf8, delimiter);
    const DelimitedTable& table = read.table;
    if (reading.headerRow) {
        if (*reading.headerRow > table.rowCount()) {
            read.refusal =
                refusal(ImportFault::kNoSuchRow,
                        "The table has " + countOf(table.rowCount(), "row") + ", so row " +
                            std::to_string(*reading.headerRow) + " cannot be its header.");
            return read;
        }
        if (*reading.headerRow > 0) read.headerRow = *reading.headerRow - 1;
    } else {
        read.headerDetected = true;
        read.headerRow = detectHeaderRow(table);
    }
    read.firstData = firstDataRow(table, read.headerRow);
    if (const auto row = table.unclosedQuoteRow()) {
        read.refusal = refusal(ImportFault::kUnclosedQuote,
                               "The quote that opens in " + rowShown(table, *row) +
                                   " is never closed, so the rest of the table would be one "
                                   "field: close it, or remove it.",
                               {*row + 1});
    }
    return read;
}

bool sameText(std::string_view a, std::string_view b) {
    const std::string left = columnName(a);
    const std::string right = columnName(b);
    return std::equal(left.begin(), left.end(), right.begin(), right.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

// The columns' names and how many there are, for resolving choices.
struct Columns {
    std::vector<ColumnSummary> summaries;
    std::optional<std::size_t> headerRow;
    std::size_t count = 0;  // the most fields a row of the table has
};

// The column chosen, or the refusal in `out`; `role` names it in the
// refusal: "load", "label", "condition".
std::optional<std::size_t> resolve(const ColumnChoice& choice, const char* role,
                                   const Columns& columns, const DelimitedTable& table,
                                   std::optional<ImportRefusal>& out) {
    if (choice.name.empty()) {
        if (choice.position >= 1 && choice.position <= columns.count) return choice.position - 1;
        if (choice.position == 0)
            out = refusal(ImportFault::kNoSuchColumn,
                          std::string("No ") + role + " column is chosen.");
        else
            out = refusal(ImportFault::kNoSuchColumn,
                          "The table has no column " + std::to_string(choice.position) +
                              ": its rows have at most " + countOf(columns.count, "field") + ".");
        return std::nullopt;
    }
    if (!columns.headerRow) {
        out = refusal(ImportFault::kNoSuchColumn,
                      "The table has no header row, so no column is named " + quoted(choice.name) +
                          ": choose the column by its position (1 to " +
                          std::to_string(columns.count) + ") or choose the header row.");
        return std::nullopt;
    }
    std::vector<std::size_t> matches;
    for (const ColumnSummary& summary : columns.summaries)
        if (sameText(summary.name, choice.name)) matches.push_back(summary.position - 1);
    if (matches.size() == 1) return matches.front();
    if (matches.empty()) {
        std::vector<std::string> names;
        for (const ColumnSummary& summary : columns.summaries)
            if (!summary.name.empty()) names.push_back(quoted(summary.name));
        out = refusal(ImportFault::kNoSuchColumn,
                      "No column is named " + quoted(choice.name) + ". The header (" +
                          rowShown(table, *columns.headerRow) + ") names " + listed(names) + ".");
    } else {
        std::vector<std::string> positions;
        for (const std::size_t index : matches)
            positions.push_back(std::to_string(index + 1));
        out = refusal(ImportFault::kAmbiguousColumn, "Columns " + listed(positions) +
                                                         " are all named " + quoted(choice.name) +
                                                         ": choose one by its position.");
    }
    return std::nullopt;
}

// The conditions of one column: its field must be one of the values.
struct ColumnCondition {
    std::size_t column = 0;
    std::vector<std::string> values;
    std::string failed;  // the reason for a row that fails it
};

// A label field on one line: line breaks, tabs and runs of blanks become one
// blank, other control characters too.
std::string labelText(std::string_view field, bool& hadLineBreak) {
    std::string label;
    bool blank = false;
    for (const char c : trimmedField(field)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n' || c == '\r') hadLineBreak = true;
        if (byte <= 0x20 || byte == 0x7F) {
            blank = true;
            continue;
        }
        if (blank && !label.empty()) label += ' ';
        blank = false;
        label += c;
    }
    return label;
}

struct RowProblem {
    std::size_t row = 0;
    std::string text;
};

std::string loadProblem(const DelimitedTable& table, std::size_t row, std::size_t column,
                        const Columns& columns, LoadFieldFault fault, DecimalMark mark) {
    const std::string where =
        rowShown(table, row) + ", " + columnShown(column, columns.summaries) + ": ";
    const std::string text = quoted(trimmedField(table.field(row, column)));
    const std::size_t fields = table.fieldCount(row);
    const std::size_t headerFields =
        columns.headerRow ? table.fieldCount(*columns.headerRow) : usualFieldCount(table);
    // A row of another width may hold a delimiter in an unquoted field.
    const std::string shifted = fields != headerFields && fields > 0
                                    ? " (the row has " + countOf(fields, "field") + ", " +
                                          (columns.headerRow ? "the header " : "most rows ") +
                                          std::to_string(headerFields) + ")"
                                    : "";
    const char* markName = decimalMarkName(mark);
    switch (fault) {
        case LoadFieldFault::kNone:
            break;
        case LoadFieldFault::kEmpty:
            if (column >= fields)
                return where + "there is no load: the row has only " + countOf(fields, "field");
            return where + "the load is empty";
        case LoadFieldFault::kNotANumber:
            return where + text + " is not a number" + shifted;
        case LoadFieldFault::kThousandsSeparator:
            return where + text +
                   " has a thousands separator, which is not taken: save the table without them";
        case LoadFieldFault::kOtherDecimalMark:
            return where + text + " has a " + (mark == DecimalMark::kPoint ? "comma" : "point") +
                   ", but the column's decimal mark is the " + markName +
                   ": choose the other decimal mark if that is what it is (thousands "
                   "separators are not taken)";
        case LoadFieldFault::kOutOfRange:
            return where + text + " is beyond the range of a load";
    }
    return where;
}

ImportRefusal rowsRefused(ImportFault fault, const std::string& heading,
                          const std::vector<RowProblem>& problems, std::size_t total) {
    ImportRefusal refused{fault, {}, {}};
    for (const RowProblem& problem : problems)
        refused.rows.push_back(problem.row);
    if (total == 1) {
        refused.message = capitalised(problems.front().text) + ".";
        return refused;
    }
    refused.message = heading + ":";
    for (const RowProblem& problem : problems)
        refused.message += "\n" + problem.text + ";";
    if (total > problems.size())
        refused.message += "\nand " + countOf(total - problems.size(), "more row") + ".";
    else
        refused.message.back() = '.';
    return refused;
}

}  // namespace

ColumnChoice ColumnChoice::named(std::string name) {
    return {std::move(name), 0};
}

ColumnChoice ColumnChoice::at(std::size_t position) {
    return {{}, position};
}

ColumnChoice ColumnChoice::fromText(std::string_view text) {
    const std::string_view digits = trimmedField(text);
    if (!digits.empty() && digits.size() <= 9 &&
        digits.find_first_not_of("0123456789") == std::string_view::npos)
        return at(static_cast<std::size_t>(std::stoul(std::string(digits))));
    return named(std::string(text));
}

std::size_t ImportedTable::droppedCount() const {
    std::size_t count = 0;
    for (const DroppedRows& rows : dropped)
        count += rows.count;
    return count;
}

TablePreview previewLoadTable(std::string_view bytes, const TableReading& reading,
                              std::size_t rowsShown) {
    TablePreview preview;
    ReadTable read = readTable(bytes, reading);
    preview.encoding = read.encoding;
    if (read.refusal) preview.problem = read.refusal->message;
    if (read.refusal && read.refusal->fault == ImportFault::kNotText) return preview;
    const DelimitedTable& table = read.table;
    preview.delimiter = table.delimiter();
    preview.delimiterDetected = read.delimiterDetected;
    if (read.headerRow) preview.headerRow = *read.headerRow + 1;
    preview.headerDetected = read.headerDetected;
    for (const std::size_t row : headerCandidates(table))
        preview.headerCandidates.push_back(row + 1);
    preview.firstDataRow = read.firstData + 1;
    preview.rowCount = table.rowCount();
    preview.columns = summariseColumns(table, read.headerRow, read.firstData);

    for (std::size_t row = 0; row < std::min(rowsShown, table.rowCount()); ++row) {
        PreviewRow shown;
        shown.row = row + 1;
        shown.line = table.lineOf(row);
        if (table.isBlank(row))
            shown.role = RowRole::kBlank;
        else if (row == read.headerRow)
            shown.role = RowRole::kHeader;
        else if (row < read.firstData)
            shown.role = RowRole::kSkipped;
        for (std::size_t column = 0; column < table.fieldCount(row); ++column)
            shown.fields.emplace_back(table.field(row, column));
        preview.rows.push_back(std::move(shown));
    }
    return preview;
}

ImportOutcome importLoadTable(std::string_view bytes, const ImportSettings& settings) {
    ImportOutcome outcome;
    ReadTable read = readTable(bytes, settings.reading);
    if (read.refusal) {
        outcome.refusal = std::move(*read.refusal);
        return outcome;
    }
    const DelimitedTable& table = read.table;
    Columns columns;
    columns.summaries = summariseColumns(table, read.headerRow, read.firstData);
    columns.headerRow = read.headerRow;
    columns.count = std::max(table.widestRow(), columns.summaries.size());
    // Names for columns beyond the summaries, which only some rows reach.
    for (std::size_t position = columns.summaries.size() + 1; position <= columns.count;
         ++position) {
        ColumnSummary beyond;
        beyond.position = position;
        columns.summaries.push_back(beyond);
    }

    std::optional<ImportRefusal> refused;
    const auto loadColumn = resolve(settings.loadColumn, "load", columns, table, refused);
    std::vector<std::size_t> labelColumns;
    for (const ColumnChoice& choice : settings.labelColumns) {
        if (refused) break;
        if (const auto column = resolve(choice, "label", columns, table, refused))
            labelColumns.push_back(*column);
    }
    std::vector<ColumnCondition> conditions;
    for (const RowCondition& condition : settings.conditions) {
        if (refused) break;
        const auto column = resolve(condition.column, "condition", columns, table, refused);
        if (!column) break;
        auto same = std::find_if(conditions.begin(), conditions.end(),
                                 [&](const ColumnCondition& c) { return c.column == *column; });
        if (same == conditions.end()) same = conditions.insert(conditions.end(), {*column, {}, {}});
        same->values.push_back(condition.value);
    }
    if (refused || !loadColumn) {
        outcome.refusal = std::move(*refused);
        return outcome;
    }
    for (ColumnCondition& condition : conditions) {
        std::vector<std::string> values;
        for (const std::string& value : condition.values)
            values.push_back(quoted(value));
        condition.failed =
            columnNamed(condition.column, columns.summaries) + " is " + alternatives(values);
    }

    const ColumnSummary& loadSummary = columns.summaries[*loadColumn];
    const DecimalMark mark = settings.decimalMark.value_or(loadSummary.decimalMark);
    if (!settings.decimalMark && loadSummary.decimalMarkUnsure) {
        // The column's first fraction, as an example; there is one.
        std::size_t example = read.firstData;
        const auto isFraction = [&](std::size_t row) {
            const NumberForm form = numberFormOf(table.field(row, *loadColumn));
            return form == NumberForm::kPointFraction || form == NumberForm::kCommaFraction;
        };
        while (example + 1 < table.rowCount() && !isFraction(example))
            ++example;
        outcome.refusal =
            refusal(ImportFault::kDecimalMarkUnsure,
                    "Every fraction in " + columnShown(*loadColumn, columns.summaries) +
                        " has three digits after its " + decimalMarkName(mark) + " (" +
                        quoted(trimmedField(table.field(example, *loadColumn))) + " in " +
                        rowShown(table, example) + "), so the " + decimalMarkName(mark) +
                        " may be a thousands separator: choose the column's decimal mark.");
        return outcome;
    }

    ImportedTable imported;
    imported.rowCount = table.rowCount();
    imported.encoding = read.encoding;
    imported.delimiter = table.delimiter();
    if (read.headerRow) imported.headerRow = *read.headerRow + 1;
    imported.decimalMark = mark;
    for (std::size_t row = 0; row < read.firstData; ++row)
        if (row != read.headerRow && !table.isBlank(row)) imported.skippedRows.push_back(row + 1);

    const auto drop = [&](const std::string& reason, std::size_t row) {
        auto rows = std::find_if(imported.dropped.begin(), imported.dropped.end(),
                                 [&](const DroppedRows& d) { return d.reason == reason; });
        if (rows == imported.dropped.end())
            rows = imported.dropped.insert(imported.dropped.end(), {reason, 0, row + 1});
        ++rows->count;
    };
    std::vector<RowProblem> problems;
    std::size_t problemCount = 0;
    for (std::size_t row = read.firstData; row < table.rowCount(); ++row) {
        if (table.isBlank(row)) {
            drop("blank", row);
            continue;
        }
        const auto failed = std::find_if(
            conditions.begin(), conditions.end(), [&](const ColumnCondition& condition) {
                return std::none_of(condition.values.begin(), condition.values.end(),
                                    [&](const std::string& value) {
                                        return sameText(table.field(row, condition.column), value);
                                    });
            });
        if (failed != conditions.end()) {
            drop(failed->failed, row);
            continue;
        }
        LoadField load = readLoadField(table.field(row, *loadColumn), mark);
        if (load.fault != LoadFieldFault::kNone) {
            if (++problemCount <= kRowsNamed)
                problems.push_back(
                    {row + 1, loadProblem(table, row, *loadColumn, columns, load.fault, mark)});
            continue;
        }
        ImportedLoad kept;
        kept.row = row + 1;
        kept.load = load.value;
        kept.text = std::move(load.text);
        for (const std::size_t column : labelColumns) {
            bool lineBreak = false;
            const std::string label = labelText(table.field(row, column), lineBreak);
            if (lineBreak) ++imported.labelsWithLineBreaks;
            if (label.empty()) continue;
            if (!kept.label.empty()) kept.label += ' ';
            kept.label += label;
        }
        imported.loads.push_back(std::move(kept));
    }
    if (problemCount > 0) {
        outcome.refusal = rowsRefused(
            ImportFault::kBadLoads, countOf(problemCount, "row") + " have no load that can be read",
            problems, problemCount);
        return outcome;
    }

    if (settings.compressionIsNegative) {
        std::vector<std::string> positive;
        std::vector<std::size_t> positiveRows;
        std::size_t positiveCount = 0;
        for (const ImportedLoad& load : imported.loads) {
            if (load.load <= 0 || ++positiveCount > kRowsNamed) continue;
            positive.push_back(rowShown(table, load.row - 1) + " holds " + quoted(load.text));
            positiveRows.push_back(load.row);
        }
        if (positiveCount > 0) {
            if (positiveCount > kRowsNamed)
                positive.push_back(countOf(positiveCount - kRowsNamed, "more row"));
            std::string message =
                "With compression negative, every load must be negative or zero, but " +
                countOf(positiveCount, "kept row") + " of " +
                std::to_string(imported.loads.size()) + (positiveCount == 1 ? " holds" : " hold") +
                " a positive load (tension): " + listed(positive) + ".";
            if (positiveCount == imported.loads.size())
                message += " If compression is positive in this table, clear the option.";
            outcome.refusal =
                refusal(ImportFault::kPositiveLoads, std::move(message), std::move(positiveRows));
            return outcome;
        }
        for (ImportedLoad& load : imported.loads) {
            if (load.text.front() == '-' || load.text.front() == '+') load.text.erase(0, 1);
            load.load = std::fabs(load.load);
        }
        imported.magnitudesTaken = true;
    }

    if (imported.loads.size() < kMinIsolators) {
        outcome.refusal = refusal(
            ImportFault::kTooFewRows,
            (imported.loads.empty() ? std::string("No row is kept")
                                    : "Only " + countOf(imported.loads.size(), "row") +
                                          (imported.loads.size() == 1 ? " is" : " are") + " kept") +
                ", and every technique needs at least " + std::to_string(kMinIsolators) +
                " isolators. " + whatWasDropped(imported));
        return outcome;
    }
    if (imported.loads.size() > kMaxOptimalIsolators) {
        outcome.refusal =
            refusal(ImportFault::kTooManyRows,
                    countOf(imported.loads.size(), "row") + " are kept, more than the " +
                        std::to_string(kMaxOptimalIsolators) + " isolators any technique takes.");
        return outcome;
    }
    outcome.table = std::move(imported);
    return outcome;
}

std::string describeImport(const ImportedTable& table) {
    std::string text =
        "Kept " + countOf(table.loads.size(), "row") + " of loads. " + whatWasDropped(table);
    if (table.magnitudesTaken) text += " Loads taken as magnitudes (compression is negative).";
    if (table.labelsWithLineBreaks > 0)
        text += " Line breaks in " + countOf(table.labelsWithLineBreaks, "label") +
                " written as blanks.";
    if (!table.magnitudesTaken &&
        std::all_of(table.loads.begin(), table.loads.end(),
                    [](const ImportedLoad& load) { return load.load <= 0; }) &&
        std::any_of(table.loads.begin(), table.loads.end(),
                    [](const ImportedLoad& load) { return load.load < 0; }))
        text +=
            " Every load is negative or zero: if compression is negative in this table, "
            "import it with compression negative.";
    return text;
}

std::string dataFileText(const ImportedTable& table) {
    std::string text;
    for (const ImportedLoad& load : table.loads) {
        text += load.text;
        if (!load.label.empty()) {
            text += "  ";
            text += load.label;
        }
        text += '\n';
    }
    return text;
}

}  // namespace tamsor
