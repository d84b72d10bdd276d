// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/delimited_table.h"

#include <array>
#include <map>
#include <tuple>

namespace tamsor {
namespace {

// How many rows the delimiter is judged on.
constexpr std::size_t kSampleRows = 200;

bool isLineEnd(char c) {
    return c == '\n' || c == '\r';
}

// Splits one text into rows and fields; the table takes its results.
class Splitter {
  public:
    Splitter(std::string_view text, Delimiter delimiter) : text_(text), delimiter_(delimiter) {}

    bool atEnd() const { return position_ >= text_.size(); }
    std::size_t line() const { return line_; }
    bool quoteLeftOpen() const { return quoteLeftOpen_; }

    // Reads the fields of the next row, handing each to `addField`.
    template <typename AddField>
    void readRow(const AddField& addField) {
        if (delimiter_ == Delimiter::kBlank) skipBlanks();
        if (atEnd() || isLineEnd(text_[position_])) {
            endLine();
            return;  // a blank line: no fields
        }
        for (;;) {
            addField(readField());
            if (atEnd() || isLineEnd(text_[position_])) break;
            // At a delimiter: one character, or for blanks the whole run.
            if (delimiter_ == Delimiter::kBlank) {
                skipBlanks();
                if (atEnd() || isLineEnd(text_[position_])) break;
            } else {
                ++position_;
            }
        }
        endLine();
    }

  private:
    bool isBlank(char c) const { return c == ' ' || (c == '\t' && delimiter_ != Delimiter::kTab); }
    bool isDelimiter(char c) const {
        switch (delimiter_) {
            case Delimiter::kComma:
                return c == ',';
            case Delimiter::kSemicolon:
                return c == ';';
            case Delimiter::kTab:
                return c == '\t';
            case Delimiter::kBlank:
                return c == ' ' || c == '\t';
        }
        return false;
    }
    void skipBlanks() {
        while (!atEnd() && isBlank(text_[position_]))
            ++position_;
    }
    // Passes over one line end (LF, CR LF or a lone CR) and counts it.
    void passLineEnd() {
        if (text_[position_] == '\r' && position_ + 1 < text_.size() &&
            text_[position_ + 1] == '\n')
            ++position_;
        ++position_;
        ++line_;
    }
    void endLine() {
        if (!atEnd()) passLineEnd();
    }

    std::string readField() {
        std::string field;
        skipBlanks();
        if (!atEnd() && text_[position_] == '"') {
            ++position_;
            for (;;) {
                if (atEnd()) {
                    quoteLeftOpen_ = true;
                    return field;
                }
                const char c = text_[position_];
                if (c == '"') {
                    if (position_ + 1 < text_.size() && text_[position_ + 1] == '"') {
                        field += '"';
                        position_ += 2;
                        continue;
                    }
                    ++position_;
                    break;
                }
                if (isLineEnd(c)) {
                    // A quoted line break stays in the field as one LF.
                    passLineEnd();
                    field += '\n';
                    continue;
                }
                field += c;
                ++position_;
            }
        }
        // Unquoted text, or text after a closing quote, up to the delimiter.
        const std::size_t start = position_;
        while (!atEnd() && !isDelimiter(text_[position_]) && !isLineEnd(text_[position_]))
            ++position_;
        std::string_view rest = text_.substr(start, position_ - start);
        while (!rest.empty() && isBlank(rest.back()))
            rest.remove_suffix(1);
        field += rest;
        return field;
    }

    std::string_view text_;
    Delimiter delimiter_;
    std::size_t position_ = 0;
    std::size_t line_ = 1;
    bool quoteLeftOpen_ = false;
};

}  // namespace

const char* delimiterName(Delimiter delimiter) {
    switch (delimiter) {
        case Delimiter::kComma:
            return "comma";
        case Delimiter::kSemicolon:
            return "semicolon";
        case Delimiter::kTab:
            return "tab";
        case Delimiter::kBlank:
            return "blank";
    }
    return "";
}

std::optional<Delimiter> delimiterNamed(std::string_view name) {
    for (const Delimiter delimiter :
         {Delimiter::kComma, Delimiter::kSemicolon, Delimiter::kTab, Delimiter::kBlank})
        if (name == delimiterName(delimiter)) return delimiter;
    return std::nullopt;
}

DelimitedTable DelimitedTable::split(std::string_view text, Delimiter delimiter,
                                     std::size_t maxRows) {
    DelimitedTable table;
    table.delimiter_ = delimiter;
    table.text_.reserve(text.size());
    Splitter splitter(text, delimiter);
    while (!splitter.atEnd() && table.rows_.size() < maxRows) {
        Row row;
        row.firstField = table.fields_.size();
        row.line = splitter.line();
        splitter.readRow([&](const std::string& field) {
            table.fields_.push_back({static_cast<std::uint32_t>(table.text_.size()),
                                     static_cast<std::uint32_t>(field.size())});
            table.text_ += field;
        });
        row.fieldCount = static_cast<std::uint32_t>(table.fields_.size() - row.firstField);
        if (row.fieldCount > table.widestRow_) table.widestRow_ = row.fieldCount;
        if (splitter.quoteLeftOpen() && !table.unclosedQuoteRow_)
            table.unclosedQuoteRow_ = table.rows_.size();
        table.rows_.push_back(row);
    }
    return table;
}

std::string_view DelimitedTable::field(std::size_t row, std::size_t column) const {
    const Row& shape = rows_[row];
    if (column >= shape.fieldCount) return {};
    const Span span = fields_[shape.firstField + column];
    return std::string_view(text_).substr(span.offset, span.length);
}

bool DelimitedTable::isBlank(std::size_t row) const {
    for (std::size_t column = 0; column < rows_[row].fieldCount; ++column)
        for (const char c : field(row, column))
            if (c != ' ' && c != '\t') return false;
    return true;
}

Delimiter detectDelimiter(std::string_view text) {
    // A column of decimal commas, saved where the list separator is the
    // semicolon, has no delimiter at all: "1200" on one line, "1300,5" on the
    // next. Commas only ever between two digits, at most one a line and some
    // lines without: they are decimal commas, not a delimiter.
    const bool decimalCommasOnly = [&] {
        const DelimitedTable sample = DelimitedTable::split(text, Delimiter::kComma, kSampleRows);
        bool someWithout = false;
        for (std::size_t row = 0; row < sample.rowCount(); ++row) {
            if (sample.isBlank(row)) continue;
            if (sample.fieldCount(row) > 2) return false;
            if (sample.fieldCount(row) == 1) {
                someWithout = true;
                continue;
            }
            const std::string_view before = sample.field(row, 0);
            const std::string_view after = sample.field(row, 1);
            const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
            if (before.empty() || after.empty() || !isDigit(before.back()) ||
                !isDigit(after.front()))
                return false;
        }
        return someWithout;
    }();

    // In order of preference when two split equally well.
    constexpr std::array<Delimiter, 4> kCandidates = {Delimiter::kTab, Delimiter::kSemicolon,
                                                      Delimiter::kComma, Delimiter::kBlank};
    Delimiter best = decimalCommasOnly ? Delimiter::kSemicolon : Delimiter::kComma;
    std::tuple<std::size_t, std::size_t> bestScore{0, 0};
    for (const Delimiter candidate : kCandidates) {
        if (candidate == Delimiter::kComma && decimalCommasOnly) continue;
        const DelimitedTable sample = DelimitedTable::split(text, candidate, kSampleRows);
        std::map<std::size_t, std::size_t> rowsByFieldCount;
        for (std::size_t row = 0; row < sample.rowCount(); ++row)
            if (sample.fieldCount(row) >= 2 && !sample.isBlank(row))
                ++rowsByFieldCount[sample.fieldCount(row)];
        for (const auto& [fields, rows] : rowsByFieldCount) {
            const std::tuple<std::size_t, std::size_t> score{rows, fields};
            if (score > bestScore) {
                bestScore = score;
                best = candidate;
            }
        }
    }
    return best;
}

}  // namespace tamsor
