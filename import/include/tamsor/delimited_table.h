// SPDX-License-Identifier: GPL-3.0-or-later
// A delimited text table split into rows and fields: comma, semicolon or tab
// separated, or columns set apart by runs of blanks. A field in double quotes
// may hold the delimiter, line breaks and doubled quotes ("a ""b"""); blanks
// around a field are not part of it. Rows are numbered as a spreadsheet
// numbers them: one row per record, blank ones included, so that a quoted
// line break does not shift the numbers; each row also knows the line of the
// file it starts on.
#ifndef TAMSOR_DELIMITED_TABLE_H
#define TAMSOR_DELIMITED_TABLE_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tamsor {

enum class Delimiter { kComma, kSemicolon, kTab, kBlank };

// "comma", "semicolon", "tab", "blank" (as tamsor-batch's --delimiter takes them).
const char* delimiterName(Delimiter delimiter);
std::optional<Delimiter> delimiterNamed(std::string_view name);

class DelimitedTable {
  public:
    // Splits `text` (UTF-8) into at most `maxRows` rows.
    static DelimitedTable split(std::string_view text, Delimiter delimiter,
                                std::size_t maxRows = SIZE_MAX);

    Delimiter delimiter() const { return delimiter_; }
    std::size_t rowCount() const { return rows_.size(); }
    // Rows are indexed from 0 here; row index i is row number i + 1.
    std::size_t fieldCount(std::size_t row) const { return rows_[row].fieldCount; }
    // The field's text, unquoted; empty beyond the row's last field.
    std::string_view field(std::size_t row, std::size_t column) const;
    // 1-based line of the file on which the row starts.
    std::size_t lineOf(std::size_t row) const { return rows_[row].line; }
    // No field holds anything.
    bool isBlank(std::size_t row) const;
    // The most fields any row has.
    std::size_t widestRow() const { return widestRow_; }
    // The row whose quote is never closed (it runs to the end of the text).
    std::optional<std::size_t> unclosedQuoteRow() const { return unclosedQuoteRow_; }

  private:
    struct Span {
        std::uint32_t offset = 0;  // in text_; tables are refused long before 4 GiB
        std::uint32_t length = 0;
    };
    struct Row {
        std::size_t firstField = 0;
        std::uint32_t fieldCount = 0;
        std::size_t line = 0;
    };

    Delimiter delimiter_ = Delimiter::kComma;
    std::string text_;  // every field's text, one after the other
    std::vector<Span> fields_;
    std::vector<Row> rows_;
    std::size_t widestRow_ = 0;
    std::optional<std::size_t> unclosedQuoteRow_;
};

// The delimiter that splits the first rows of `text` most evenly: the one by
// which the most rows have the same number of fields (two or more), then the
// one giving more fields, then tab, semicolon, comma and blank in this order.
// A table of one column is taken as comma separated, or as semicolon
// separated when it holds decimal commas.
Delimiter detectDelimiter(std::string_view text);

}  // namespace tamsor

#endif
