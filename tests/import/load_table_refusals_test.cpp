// SPDX-License-Identifier: GPL-3.0-or-later
// Tables that cannot be imported as they stand: each refusal names the row,
// the column and the text, and says what to change.
#include <gtest/gtest.h>

#include <string>

#include "tamsor/load_table_import.h"

namespace {

using tamsor::ColumnChoice;
using tamsor::ImportFault;

// Twelve isolators below a header: rows 2 to 13.
const std::string kTwelve =
    "Isolator,P\n"
    "A1,1200\nA2,1300\nA3,1250\nA4,1180\nA5,1320\nA6,1275\n"
    "A7,1190\nA8,1210\nA9,1330\nA10,1260\nA11,1240\nA12,1205\n";

tamsor::ImportSettings loadP() {
    tamsor::ImportSettings settings;
    settings.loadColumn = ColumnChoice::named("P");
    settings.labelColumns = {ColumnChoice::named("Isolator")};
    return settings;
}

std::string withRow5(const std::string& row) {
    std::string text = kTwelve;
    text.replace(text.find("A4,1180"), 7, row);
    return text;
}

tamsor::ImportRefusal refusalOf(const std::string& text,
                                const tamsor::ImportSettings& settings = loadP()) {
    const tamsor::ImportOutcome outcome = tamsor::importLoadTable(text, settings);
    EXPECT_FALSE(outcome.ok());
    return outcome.refusal;
}

TEST(LoadTableRefusals, ARowWithoutAReadableLoadIsNamedWithColumnAndText) {
    ASSERT_TRUE(tamsor::importLoadTable(kTwelve, loadP()).ok());

    const struct {
        const char* row;
        const char* message;
    } cases[] = {
        {"A4,12 kN", "Row 5, column 2 (\"P\"): \"12 kN\" is not a number."},
        {"A4,", "Row 5, column 2 (\"P\"): the load is empty."},
        {"A4", "Row 5, column 2 (\"P\"): there is no load: the row has only 1 field."},
        {"A4,\"1,180.5\"",
         "Row 5, column 2 (\"P\"): \"1,180.5\" has a thousands separator, which is not taken: "
         "save the table without them."},
        {"A4,1e39", "Row 5, column 2 (\"P\"): \"1e39\" is beyond the range of a load."},
        // A delimiter inside an unquoted label shifts the load.
        {"A4 north,wing,1180",
         "Row 5, column 2 (\"P\"): \"wing\" is not a number (the row has 3 fields, the header "
         "2)."},
    };
    for (const auto& [row, message] : cases) {
        SCOPED_TRACE(row);
        const tamsor::ImportRefusal refusal = refusalOf(withRow5(row));
        EXPECT_EQ(refusal.fault, ImportFault::kBadLoads);
        EXPECT_EQ(refusal.message, message);
        EXPECT_EQ(refusal.rows, (std::vector<std::size_t>{5}));
    }
}

TEST(LoadTableRefusals, KeepingTenRowsSaysHowManyAndWhyTheOthersWereDropped) {
    const std::string text =
        "Case,Isolator,P\n"
        "G,A1,1200\nQ,A1,300\nG,A2,1300\nG,A3,1250\n\nG,A4,1180\nG,A5,1320\n"
        "G,A6,1275\nQ,A6,280\nG,A7,1190\nG,A8,1210\nG,A9,1330\nG,A10,1260\n";
    tamsor::ImportSettings settings = loadP();
    settings.conditions = {{ColumnChoice::named("Case"), "G"}};
    const tamsor::ImportRefusal refusal = refusalOf(text, settings);
    EXPECT_EQ(refusal.fault, ImportFault::kTooFewRows);
    EXPECT_EQ(refusal.message,
              "Only 10 rows are kept, and every technique needs at least 11 isolators. Dropped "
              "3 rows: 2 where \"Case\" is not \"G\", 1 blank. Header in row 1.");

    EXPECT_EQ(refusalOf("Isolator,P\n", loadP()).message,
              "No row is kept, and every technique needs at least 11 isolators. None dropped. "
              "Header in row 1.");
}

TEST(LoadTableRefusals, PositiveLoadsUnderCompressionNegativeAreNamed) {
    tamsor::ImportSettings settings = loadP();
    settings.compressionIsNegative = true;
    const tamsor::ImportRefusal refusal = refusalOf(kTwelve, settings);
    EXPECT_EQ(refusal.fault, ImportFault::kPositiveLoads);
    EXPECT_EQ(refusal.rows, (std::vector<std::size_t>{2, 3, 4, 5, 6}));
    EXPECT_EQ(refusal.message,
              "With compression negative, every load must be negative or zero, but 12 kept rows "
              "of 12 hold a positive load (tension): row 2 holds \"1200\", row 3 holds \"1300\", "
              "row 4 holds \"1250\", row 5 holds \"1180\", row 6 holds \"1320\" and 7 more rows. "
              "If compression is positive in this table, clear the option.");

    // Zero and minus zero are compression of nothing; signs are dropped.
    std::string negative = "Isolator,P\n";
    for (int i = 1; i <= 10; ++i)
        negative += "A" + std::to_string(i) + ",-" + std::to_string(1000 + i) + ".5\n";
    negative += "B1,-0\nB2,0\nB3,+0.0\n";
    const tamsor::ImportOutcome outcome = tamsor::importLoadTable(negative, settings);
    ASSERT_TRUE(outcome.ok()) << outcome.refusal.message;
    EXPECT_EQ(outcome.table->loads[0].text, "1001.5");
    EXPECT_EQ(outcome.table->loads[10].text, "0");
    EXPECT_EQ(outcome.table->loads[12].text, "0.0");
}

TEST(LoadTableRefusals, AnUnsureDecimalMarkIsAskedForNotGuessed) {
    // Every load could be a whole number with a thousands separator.
    std::string text = "Isolator;P\n";
    for (int i = 1; i <= 12; ++i)
        text += "A" + std::to_string(i) + ";1," + std::to_string(200 + 10 * i) + "\n";
    tamsor::ImportSettings settings = loadP();
    const tamsor::ImportRefusal refusal = refusalOf(text, settings);
    EXPECT_EQ(refusal.fault, ImportFault::kDecimalMarkUnsure);
    EXPECT_EQ(refusal.message,
              "Every fraction in column 2 (\"P\") has three digits after its comma (\"1,210\" in "
              "row 2), so the comma may be a thousands separator: choose the column's decimal "
              "mark.");

    settings.decimalMark = tamsor::DecimalMark::kComma;
    const tamsor::ImportOutcome comma = tamsor::importLoadTable(text, settings);
    ASSERT_TRUE(comma.ok());
    EXPECT_EQ(comma.table->loads[0].text, "1.210");
    EXPECT_EQ(comma.table->loads[0].load, 1.21f);
    settings.decimalMark = tamsor::DecimalMark::kPoint;
    EXPECT_EQ(refusalOf(text, settings).fault, ImportFault::kBadLoads);
}

TEST(LoadTableRefusals, ColumnsRowsAndFilesThatAreNotThere) {
    tamsor::ImportSettings settings = loadP();
    settings.loadColumn = ColumnChoice::named("Fz");
    EXPECT_EQ(refusalOf(kTwelve, settings).message,
              "No column is named \"Fz\". The header (row 1) names \"Isolator\" and \"P\".");
    settings.loadColumn = ColumnChoice::at(3);
    EXPECT_EQ(refusalOf(kTwelve, settings).message,
              "The table has no column 3: its rows have at most 2 fields.");

    std::string twice = "Isolator,p,P \n";
    for (int i = 1; i <= 12; ++i)
        twice += "A" + std::to_string(i) + ",1200,0\n";
    const tamsor::ImportRefusal ambiguous = refusalOf(twice);
    EXPECT_EQ(ambiguous.fault, ImportFault::kAmbiguousColumn);
    EXPECT_EQ(ambiguous.message,
              "Columns 2 and 3 are all named \"P\": choose one by its position.");

    const std::string headless = kTwelve.substr(kTwelve.find('\n') + 1);
    settings.loadColumn = ColumnChoice::named("P");
    EXPECT_EQ(refusalOf(headless, settings).message,
              "The table has no header row, so no column is named \"P\": choose the column by "
              "its position (1 to 2) or choose the header row.");
    settings.reading.headerRow = 20;
    EXPECT_EQ(refusalOf(kTwelve, settings).fault, ImportFault::kNoSuchRow);

    const tamsor::ImportRefusal workbook = refusalOf(std::string("PK\x03\x04\x14\0\x06\0", 8));
    EXPECT_EQ(workbook.fault, ImportFault::kNotText);
    EXPECT_EQ(workbook.message,
              "The file is a spreadsheet workbook or another zipped file, not a text table: save "
              "the sheet from the spreadsheet as CSV (comma or semicolon separated) and import "
              "that.");
}

}  // namespace
