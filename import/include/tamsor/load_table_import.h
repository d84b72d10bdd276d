// SPDX-License-Identifier: GPL-3.0-or-later
// Importing the engineer's load table: a support-reaction table of the
// structural analysis program or a spreadsheet saved as delimited text,
// turned into TAMSOR's own data file, one isolator a line.
//
// Two calls serve the program's import dialog and tamsor-batch alike: the
// preview shows the first rows and what was detected (delimiter, header row,
// each column's decimal mark), for the engineer to check and change; the
// import, with the settings chosen, gives the rows kept with the counts
// dropped and why, or a refusal that names row, column and text.
#ifndef TAMSOR_LOAD_TABLE_IMPORT_H
#define TAMSOR_LOAD_TABLE_IMPORT_H

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tamsor/delimited_table.h"
#include "tamsor/table_number.h"
#include "tamsor/table_text.h"

namespace tamsor {

// A column of the table, by the name in its header or by its 1-based position.
struct ColumnChoice {
    std::string name;          // matched ignoring letter case and blanks around it
    std::size_t position = 0;  // used when `name` is empty

    static ColumnChoice named(std::string name);
    static ColumnChoice at(std::size_t position);
    // Digits alone give a position ("6"), anything else a name ("F3").
    static ColumnChoice fromText(std::string_view text);
};

// A row is kept only where the column holds the value (ignoring letter case
// and blanks around it). Conditions on different columns must all hold;
// several values for one column are alternatives.
struct RowCondition {
    ColumnChoice column;
    std::string value;
};

// How the text is split; what is left empty is detected.
struct TableReading {
    std::optional<Delimiter> delimiter;
    // The header's 1-based row number; 0 for a table without header.
    std::optional<std::size_t> headerRow;
};

struct ImportSettings {
    TableReading reading;
    ColumnChoice loadColumn;
    std::vector<ColumnChoice> labelColumns;  // joined in this order
    std::vector<RowCondition> conditions;
    // Axial forces with compression negative: the loads are taken as their
    // magnitudes, provided every kept load is negative or zero.
    bool compressionIsNegative = false;
    // The load column's decimal mark; detected when empty.
    std::optional<DecimalMark> decimalMark;
};

// What the data rows of one column hold.
struct ColumnSummary {
    std::size_t position = 0;  // 1-based
    std::string name;          // from the header, blanks folded; empty without one
    DecimalMark decimalMark = DecimalMark::kPoint;  // detected
    // Every fraction could be a whole number with a thousands separator
    // ("1,250"): the import asks for the mark rather than guess it.
    bool decimalMarkUnsure = false;
    std::size_t numbers = 0;
    std::size_t negatives = 0;
    std::size_t positives = 0;
    std::size_t texts = 0;
    std::size_t empties = 0;
};

enum class RowRole {
    kSkipped,  // a title or units line before the data
    kHeader,
    kBlank,
    kData,
};

struct PreviewRow {
    std::size_t row = 0;   // 1-based, as a spreadsheet counts
    std::size_t line = 0;  // the line of the file it starts on
    RowRole role = RowRole::kData;
    std::vector<std::string> fields;
};

struct TablePreview {
    // Why the table cannot be read at all, in a sentence; empty when it can.
    std::string problem;
    TextEncoding encoding = TextEncoding::kUtf8;
    Delimiter delimiter = Delimiter::kComma;
    bool delimiterDetected = false;
    std::optional<std::size_t> headerRow;  // 1-based; none without header
    bool headerDetected = false;
    std::vector<std::size_t> headerCandidates;  // 1-based rows that may be the header
    std::size_t firstDataRow = 0;               // 1-based; beyond the table when it has none
    std::size_t rowCount = 0;
    std::vector<ColumnSummary> columns;
    std::vector<PreviewRow> rows;  // the first rows
};

TablePreview previewLoadTable(std::string_view bytes, const TableReading& reading,
                              std::size_t rowsShown = 50);

struct ImportedLoad {
    std::size_t row = 0;  // 1-based row of the table
    float load = 0;       // as the data file gives it
    std::string text;     // the load as written in the data file
    std::string label;    // the label columns joined by blanks, on one line
};

struct DroppedRows {
    std::string reason;  // "\"Load Case\" is not \"DEAD\"", "blank"
    std::size_t count = 0;
    std::size_t firstRow = 0;  // 1-based
};

struct ImportedTable {
    std::vector<ImportedLoad> loads;
    std::vector<DroppedRows> dropped;
    std::vector<std::size_t> skippedRows;  // title and units lines, 1-based
    std::size_t rowCount = 0;              // rows of the table, header and blanks included
    // The reading as used, with what was detected filled in.
    TextEncoding encoding = TextEncoding::kUtf8;
    Delimiter delimiter = Delimiter::kComma;
    std::optional<std::size_t> headerRow;
    DecimalMark decimalMark = DecimalMark::kPoint;
    bool magnitudesTaken = false;
    // Labels whose quoted line breaks were written as blanks.
    std::size_t labelsWithLineBreaks = 0;

    std::size_t droppedCount() const;
};

enum class ImportFault {
    kNotText,            // a workbook, PDF or other binary file
    kUnclosedQuote,      // a quote runs to the end of the text
    kNoSuchRow,          // the header row chosen is beyond the table
    kNoSuchColumn,       // no column of that name or position
    kAmbiguousColumn,    // two columns share the name
    kDecimalMarkUnsure,  // the load column's comma or point may group thousands
    kBadLoads,           // rows whose load is empty or not a number
    kPositiveLoads,      // positive loads where compression is negative
    kTooFewRows,         // fewer than the 11 isolators every technique needs
    kTooManyRows,        // more isolators than any technique takes
};

struct ImportRefusal {
    ImportFault fault = ImportFault::kNotText;
    // Plain English, naming rows, columns and texts; may run over lines.
    std::string message;
    std::vector<std::size_t> rows;  // 1-based rows at fault, the first few
};

struct ImportOutcome {
    std::optional<ImportedTable> table;
    ImportRefusal refusal;  // when there is no table

    bool ok() const { return table.has_value(); }
};

ImportOutcome importLoadTable(std::string_view bytes, const ImportSettings& settings);

// What was kept and dropped, in a sentence or two: "Kept 96 of 290 rows
// (rows 4 to 293 hold data); dropped 192 where ...".
std::string describeImport(const ImportedTable& table);

// The data file: per isolator the load, two blanks and its label.
std::string dataFileText(const ImportedTable& table);

}  // namespace tamsor

#endif
