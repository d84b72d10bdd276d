// SPDX-License-Identifier: GPL-3.0-or-later
// Where a split table's header and data rows are, and what each column holds.
// Row indexes here count from 0.
#ifndef TAMSOR_IMPORT_TABLE_LAYOUT_H
#define TAMSOR_IMPORT_TABLE_LAYOUT_H

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "tamsor/delimited_table.h"
#include "tamsor/load_table_import.h"

namespace tamsor {

// The number of fields most rows have: the table's columns.
std::size_t usualFieldCount(const DelimitedTable& table);

// The non-blank rows before the first run of data rows (all of them in a
// table without data rows), any of which may be the header: title lines, the
// header and a units line.
std::vector<std::size_t> headerCandidates(const DelimitedTable& table);

// The candidate that names the most columns, each differently, with as many
// fields as the data rows; the earliest of equals. None when no candidate
// names two columns or more (a title is no header) or the table has one
// column and no text before its numbers.
std::optional<std::size_t> detectHeaderRow(const DelimitedTable& table);

// The first row after the header (or from the top) that holds a number, in a
// table of one column or with two fields or more; the rows between are title
// and units lines. rowCount() when no row does.
std::size_t firstDataRow(const DelimitedTable& table, std::optional<std::size_t> headerRow);

// A header's text as a column name: blanks and line breaks folded to one blank.
std::string columnName(std::string_view headerField);

// What the data rows hold, column by column, for the columns the header
// names and those the usual row has.
std::vector<ColumnSummary> summariseColumns(const DelimitedTable& table,
                                            std::optional<std::size_t> headerRow,
                                            std::size_t firstData);

}  // namespace tamsor

#endif
