// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a table's text: encodings, delimiters, header rows and the numbers
// in its fields.
#include <gtest/gtest.h>

#include <string>

#include "tamsor/load_table_import.h"

namespace {

using tamsor::DecimalMark;
using tamsor::Delimiter;
using tamsor::LoadFieldFault;

TEST(TableReading, LoadFieldsInEitherDecimalMarkAndNoThousandsSeparator) {
    const struct {
        const char* field;
        DecimalMark mark;
        LoadFieldFault fault;
        const char* text;
    } cases[] = {
        {" -1234.5 ", DecimalMark::kPoint, LoadFieldFault::kNone, "-1234.5"},
        {"-1234,5", DecimalMark::kComma, LoadFieldFault::kNone, "-1234.5"},
        {"1,5E+3", DecimalMark::kComma, LoadFieldFault::kNone, "1.5E+3"},
        {"\xC2\xA0"
         "812\xC2\xA0",
         DecimalMark::kPoint, LoadFieldFault::kNone, "812"},
        {"", DecimalMark::kPoint, LoadFieldFault::kEmpty, ""},
        {"12,5", DecimalMark::kPoint, LoadFieldFault::kOtherDecimalMark, ""},
        {"12.5", DecimalMark::kComma, LoadFieldFault::kOtherDecimalMark, ""},
        {"1.234,5", DecimalMark::kComma, LoadFieldFault::kThousandsSeparator, ""},
        {"1,234.5", DecimalMark::kPoint, LoadFieldFault::kThousandsSeparator, ""},
        {"1.234.567", DecimalMark::kPoint, LoadFieldFault::kThousandsSeparator, ""},
        {"1 234,5", DecimalMark::kComma, LoadFieldFault::kThousandsSeparator, ""},
        {"1'234.5", DecimalMark::kPoint, LoadFieldFault::kThousandsSeparator, ""},
        {"1\xE2\x80\xAF"
         "234",
         DecimalMark::kPoint, LoadFieldFault::kThousandsSeparator, ""},
        {"- 5", DecimalMark::kPoint, LoadFieldFault::kNotANumber, ""},
        {"12 kN", DecimalMark::kPoint, LoadFieldFault::kNotANumber, ""},
        {"nan", DecimalMark::kPoint, LoadFieldFault::kNotANumber, ""},
        {"0x10", DecimalMark::kPoint, LoadFieldFault::kNotANumber, ""},
        {"1e39", DecimalMark::kPoint, LoadFieldFault::kOutOfRange, ""},
    };
    for (const auto& [field, mark, fault, text] : cases) {
        SCOPED_TRACE(field);
        const tamsor::LoadField load = tamsor::readLoadField(field, mark);
        EXPECT_EQ(load.fault, fault);
        EXPECT_EQ(load.text, text);
    }
    EXPECT_EQ(tamsor::readLoadField("-1234,5", DecimalMark::kComma).value, -1234.5f);

    // Grouped numbers are numbers when the table's layout is found, so that
    // a column of them is refused with its rows, not skipped as a title.
    using tamsor::NumberForm;
    for (const char* grouped : {"1.234,5", "-1,234.5", "1 234", "1.234.567", "12'500"})
        EXPECT_EQ(tamsor::numberFormOf(grouped), NumberForm::kGrouped) << grouped;
    for (const char* text : {"Base", "12 kN", "1-2", "A-1", ",5,"})
        EXPECT_EQ(tamsor::numberFormOf(text), NumberForm::kText) << text;
}

TEST(TableReading, EncodingsAreDetectedAndHandedOnAsUtf8) {
    const tamsor::TableText bom = tamsor::decodeTableText(
        "\xEF\xBB\xBF"
        "Achse\xC3\xA4");
    EXPECT_EQ(bom.encoding, tamsor::TextEncoding::kUtf8WithByteOrderMark);
    EXPECT_EQ(bom.utf8, "Achse\xC3\xA4");

    // Not well-formed UTF-8 (a lone 0xE4, an overlong 0xC0 0xAF): Latin-1,
    // with Windows' euro sign and dash at 0x80 and 0x96.
    const tamsor::TableText latin = tamsor::decodeTableText("\xE4\xC0\xAF\x80\x96\x81");
    EXPECT_EQ(latin.encoding, tamsor::TextEncoding::kLatin1);
    EXPECT_EQ(latin.utf8, "\xC3\xA4\xC3\x80\xC2\xAF\xE2\x82\xAC\xE2\x80\x93\xC2\x81");

    // A spreadsheet's "Unicode text": UTF-16, little-endian, with a pair.
    const tamsor::TableText wide =
        tamsor::decodeTableText(std::string("\xFF\xFE"
                                            "A\0\t\0\xE4\0\x3D\xD8\x00\xDE",
                                            12));
    EXPECT_EQ(wide.refusal, "");
    EXPECT_EQ(wide.utf8, "A\t\xC3\xA4\xF0\x9F\x98\x80");
    EXPECT_NE(tamsor::decodeTableText(std::string("\xFF\xFE\x00\xDC", 4)).refusal, "");

    EXPECT_EQ(tamsor::decodeTableText(std::string("1200\0\0", 6)).refusal,
              "holds zero bytes, so it is not a text table");
    EXPECT_EQ(tamsor::decodeTableText("%PDF-1.7").refusal, "is a PDF document, not a text table");
}

TEST(TableReading, DelimiterHeaderAndDataAreFoundInTablesOfEveryShape) {
    const struct {
        const char* name;
        std::string text;
        Delimiter delimiter;
        std::optional<std::size_t> header;
        std::size_t firstData;
        std::size_t columns;
        std::size_t rows;
    } cases[] = {
        // Columns aligned by blanks, indented, a title with a number in it.
        {"blank aligned",
         "  Reactions of model 3\n"
         "  Joint   Case      Fz\n"
         "  1       DEAD   -1180.6\n"
         "  2       DEAD   -1893.2\n"
         "  3       DEAD   -1901.4\n",
         Delimiter::kBlank, 2, 3, 3, 5},
        {"tab separated, no header", "A1\t1200\t0.5\nA2\t1300\t0.5\nA3\t1250\t0.5\n",
         Delimiter::kTab, std::nullopt, 1, 3, 3},
        // A spreadsheet's one column with decimal commas: the commas are no delimiter.
        {"one column with a header", "Load\n1200\n1300,5\n1250\n", Delimiter::kSemicolon, 1, 2, 1,
         4},
        // A title is no header; the decimal comma does not make commas the delimiter.
        {"semicolons, title only", "Loads of building B\nA;1;1200,5\nA;2;1300,25\nB;1;1250,75\n",
         Delimiter::kSemicolon, std::nullopt, 2, 3, 4},
        // Quoted fields with the delimiter and a line break, CR LF line ends.
        {"quoted, CR LF",
         "\"Isolator, axis\",Load\r\n\"A, 1\",1200\r\n\"A\r\n2\",1300\r\n\"A, 3\",1250\r\n",
         Delimiter::kComma, 1, 2, 2, 4},
    };
    for (const auto& [name, text, delimiter, header, firstData, columns, rows] : cases) {
        SCOPED_TRACE(name);
        const tamsor::TablePreview preview = tamsor::previewLoadTable(text, {});
        EXPECT_EQ(preview.problem, "");
        EXPECT_EQ(preview.delimiter, delimiter);
        EXPECT_EQ(preview.headerRow, header);
        EXPECT_EQ(preview.firstDataRow, firstData);
        EXPECT_EQ(preview.columns.size(), columns);
        EXPECT_EQ(preview.rowCount, rows);
    }

    // Chosen instead of detected: the header row, and then no header at all.
    const std::string spreadsheet = "Loads;;\nAxis;Grid;P\nA;1;1200,5\nA;2;1300\n";
    tamsor::TableReading reading;
    reading.headerRow = 1;
    const tamsor::TablePreview chosen = tamsor::previewLoadTable(spreadsheet, reading);
    EXPECT_FALSE(chosen.headerDetected);
    EXPECT_EQ(chosen.columns[0].name, "Loads");
    EXPECT_EQ(chosen.firstDataRow, 3u);
    EXPECT_EQ(chosen.rows[1].role, tamsor::RowRole::kSkipped);
    reading.headerRow = 0;
    reading.delimiter = Delimiter::kComma;
    const tamsor::TablePreview none = tamsor::previewLoadTable(spreadsheet, reading);
    EXPECT_FALSE(none.headerRow.has_value());
    EXPECT_FALSE(none.delimiterDetected);
    EXPECT_EQ(none.delimiter, Delimiter::kComma);
}

}  // namespace
