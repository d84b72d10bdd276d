// SPDX-License-Identifier: GPL-3.0-or-later
// The pieces of the import's messages: rows, columns and texts as the
// engineer finds them in the table.
#ifndef TAMSOR_IMPORT_TABLE_MESSAGES_H
#define TAMSOR_IMPORT_TABLE_MESSAGES_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "tamsor/delimited_table.h"
#include "tamsor/load_table_import.h"

namespace tamsor {

// How many faulty rows a message names before it counts the rest.
inline constexpr std::size_t kRowsNamed = 5;

// "1 row", "3 rows".
std::string countOf(std::size_t count, std::string_view noun);
// "row 12", or "row 12 (line 14)" when quoted line breaks come before it.
std::string rowShown(const DelimitedTable& table, std::size_t row);
// A text from the table in double quotes, on one line, long ones cut.
std::string quoted(std::string_view text);
// "a", "a and b", "a, b and c".
std::string listed(const std::vector<std::string>& items);
// "not \"a\"", "neither \"a\" nor \"b\"", "none of \"a\", \"b\" or \"c\"".
std::string alternatives(const std::vector<std::string>& values);
// "column 6 (\"F3\")", or "column 6" when the header gives no name.
std::string columnShown(std::size_t column, const std::vector<ColumnSummary>& columns);
// "\"F3\"", or "column 6" when the header gives no name.
std::string columnNamed(std::size_t column, const std::vector<ColumnSummary>& columns);
std::string capitalised(std::string text);
// "Dropped 194 rows: 192 where \"Load Case\" is not \"DEAD\", 2 blank. Header
// in row 3; rows 1, 2 and 4 skipped as title or units lines."
std::string whatWasDropped(const ImportedTable& table);

}  // namespace tamsor

#endif
