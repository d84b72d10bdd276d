// SPDX-License-Identifier: GPL-3.0-or-later
// Tables as the engineer brings them, imported into data files that are
// checked byte for byte against files written by hand.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "scratch_folder.h"
#include "tamsor/load_file.h"
#include "tamsor/load_table_file.h"
#include "tamsor/load_table_import.h"

namespace {

using tamsor::ColumnChoice;
using tamsor::ImportSettings;
using tamsor::testing::read_file;

std::string table(const std::string& name) {
    return read_file(std::string(TAMSOR_TEST_TABLES) + "/" + name);
}

ImportSettings sustainedLoads() {
    ImportSettings settings;
    settings.loadColumn = ColumnChoice::named("fz");
    settings.labelColumns = {ColumnChoice::named("Story"), ColumnChoice::named("Joint")};
    settings.conditions = {{ColumnChoice::named("Load Case"), "sustained"}};
    settings.compressionIsNegative = true;
    return settings;
}

TEST(LoadTableImport, SupportReactionExportGivesTheSustainedAxialForcesAsMagnitudes) {
    const std::string bytes = table("support_reactions.csv");

    const tamsor::TablePreview preview = tamsor::previewLoadTable(bytes, {});
    EXPECT_EQ(preview.problem, "");
    EXPECT_EQ(preview.delimiter, tamsor::Delimiter::kComma);
    EXPECT_TRUE(preview.delimiterDetected && preview.headerDetected);
    EXPECT_EQ(preview.headerRow, 2u);
    EXPECT_EQ(preview.headerCandidates, (std::vector<std::size_t>{1, 2, 3}));
    EXPECT_EQ(preview.firstDataRow, 4u);
    EXPECT_EQ(preview.rowCount, 39u);
    ASSERT_EQ(preview.columns.size(), 10u);
    const tamsor::ColumnSummary& fz = preview.columns[6];
    EXPECT_EQ(fz.name, "FZ");
    EXPECT_EQ(fz.decimalMark, tamsor::DecimalMark::kPoint);
    EXPECT_EQ(fz.numbers, 36u);
    EXPECT_EQ(fz.negatives, 35u);
    EXPECT_EQ(fz.positives, 1u);
    ASSERT_GE(preview.rows.size(), 4u);
    EXPECT_EQ(preview.rows[0].role, tamsor::RowRole::kSkipped);
    EXPECT_EQ(preview.rows[1].role, tamsor::RowRole::kHeader);
    EXPECT_EQ(preview.rows[2].role, tamsor::RowRole::kSkipped);
    EXPECT_EQ(preview.rows[3].role, tamsor::RowRole::kData);
    EXPECT_EQ(preview.rows[3].fields[3], "Linear Static");

    const tamsor::ImportOutcome byName = tamsor::importLoadTable(bytes, sustainedLoads());
    ASSERT_TRUE(byName.ok()) << byName.refusal.message;
    EXPECT_EQ(tamsor::dataFileText(*byName.table), table("support_reactions_sustained.DAT"));
    EXPECT_EQ(tamsor::describeImport(*byName.table),
              "Kept 12 rows of loads. Dropped 24 rows: 24 where \"Load Case\" is not "
              "\"sustained\". Header in row 2. Rows 1 and 3 skipped as title or units lines. "
              "Loads taken as magnitudes (compression is negative).");

    // The same columns by position.
    ImportSettings byPosition;
    byPosition.loadColumn = ColumnChoice::fromText("7");
    byPosition.labelColumns = {ColumnChoice::at(1), ColumnChoice::at(2)};
    byPosition.conditions = {{ColumnChoice::at(3), "Sustained"}};
    byPosition.compressionIsNegative = true;
    const tamsor::ImportOutcome positions = tamsor::importLoadTable(bytes, byPosition);
    ASSERT_TRUE(positions.ok()) << positions.refusal.message;
    EXPECT_EQ(tamsor::dataFileText(*positions.table), table("support_reactions_sustained.DAT"));

    // Two values for one column are alternatives: dead and sustained rows.
    ImportSettings twoCases = sustainedLoads();
    twoCases.conditions.push_back({ColumnChoice::named("Load Case"), "Dead"});
    const tamsor::ImportOutcome both = tamsor::importLoadTable(bytes, twoCases);
    ASSERT_TRUE(both.ok()) << both.refusal.message;
    EXPECT_EQ(both.table->loads.size(), 24u);
    EXPECT_EQ(both.table->loads[0].text, "1180.6");
    EXPECT_EQ(both.table->dropped[0].reason, "\"Load Case\" is neither \"sustained\" nor \"Dead\"");

    // The live load case lifts joint 7: under "compression is negative" the
    // table is refused and the row named; rows dropped by the condition
    // (joint 7's dead and sustained loads are negative) do not count.
    ImportSettings live = sustainedLoads();
    live.conditions = {{ColumnChoice::named("Load Case"), "Live"}};
    const tamsor::ImportOutcome lifted = tamsor::importLoadTable(bytes, live);
    ASSERT_FALSE(lifted.ok());
    EXPECT_EQ(lifted.refusal.fault, tamsor::ImportFault::kPositiveLoads);
    EXPECT_EQ(lifted.refusal.rows, (std::vector<std::size_t>{23}));
    EXPECT_EQ(lifted.refusal.message,
              "With compression negative, every load must be negative or zero, but 1 kept row "
              "of 12 holds a positive load (tension): row 23 holds \"12.4\".");
    // Without the option the loads stay as they stand, and the summary says
    // what the signs suggest.
    live.compressionIsNegative = false;
    live.conditions = {{ColumnChoice::named("Load Case"), "Dead"}};
    const tamsor::ImportOutcome asTheyStand = tamsor::importLoadTable(bytes, live);
    ASSERT_TRUE(asTheyStand.ok());
    EXPECT_EQ(asTheyStand.table->loads[0].text, "-1180.6");
    EXPECT_NE(tamsor::describeImport(*asTheyStand.table)
                  .find("Every load is negative or zero: if compression is negative in this "
                        "table, import it with compression negative."),
              std::string::npos);
}

TEST(LoadTableImport, TheDataFileReadsBackToTheSameLoadsAndLabels) {
    const tamsor::ImportOutcome outcome =
        tamsor::importLoadTable(table("support_reactions.csv"), sustainedLoads());
    ASSERT_TRUE(outcome.ok());
    tamsor::testing::ScratchFolder folder;
    const std::string path = folder.file("HOSP-B.DAT").string();
    ASSERT_EQ(tamsor::writeImportedDataFile(
                  path, *outcome.table, std::string(TAMSOR_TEST_TABLES) + "/support_reactions.csv"),
              "");
    const tamsor::LoadFile file = tamsor::readLoadFile(path, 1000);
    ASSERT_TRUE(file.ok());
    ASSERT_EQ(file.loads.size(), 12u);
    EXPECT_EQ(file.loads[0].load, 1252.7f);
    EXPECT_EQ(file.loads[0].label, "Base 1");
    EXPECT_EQ(file.loads[11].load, 1250.27f);
    EXPECT_EQ(file.loads[11].label, "Base 12");
    for (std::size_t i = 0; i < file.loads.size(); ++i)
        EXPECT_EQ(file.loads[i].load, outcome.table->loads[i].load);

    // Never written over the table it came from.
    const std::string tablePath = folder.file("HOSP-B.csv").string();
    tamsor::testing::write_file(tablePath, "the table");
    EXPECT_EQ(tamsor::writeImportedDataFile(tablePath, *outcome.table, tablePath),
              "is the load table itself");
    EXPECT_EQ(read_file(tablePath), "the table");
}

TEST(LoadTableImport, SpreadsheetTableWithSemicolonsAndDecimalCommas) {
    const std::string bytes = table("spreadsheet_semicolon.csv");
    const tamsor::TablePreview preview = tamsor::previewLoadTable(bytes, {});
    EXPECT_EQ(preview.encoding, tamsor::TextEncoding::kUtf8WithByteOrderMark);
    EXPECT_EQ(preview.delimiter, tamsor::Delimiter::kSemicolon);
    EXPECT_EQ(preview.headerRow, 3u);
    ASSERT_EQ(preview.columns.size(), 4u);
    EXPECT_EQ(preview.columns[2].name, "Load [kN]");
    EXPECT_EQ(preview.columns[2].decimalMark, tamsor::DecimalMark::kComma);
    EXPECT_FALSE(preview.columns[2].decimalMarkUnsure);

    ImportSettings settings;
    settings.loadColumn = ColumnChoice::named("Load [kN]");
    settings.labelColumns = {ColumnChoice::named("axis"), ColumnChoice::named("GRID"),
                             ColumnChoice::named("Remark")};
    const tamsor::ImportOutcome outcome = tamsor::importLoadTable(bytes, settings);
    ASSERT_TRUE(outcome.ok()) << outcome.refusal.message;
    EXPECT_EQ(tamsor::dataFileText(*outcome.table), table("spreadsheet_semicolon.DAT"));
    EXPECT_EQ(tamsor::describeImport(*outcome.table),
              "Kept 14 rows of loads. Dropped 1 row: 1 blank. Header in row 3. Row 1 skipped as "
              "title or units lines.");

    // The decimal point chosen instead: every comma is refused, none guessed.
    settings.decimalMark = tamsor::DecimalMark::kPoint;
    const tamsor::ImportOutcome refused = tamsor::importLoadTable(bytes, settings);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.refusal.fault, tamsor::ImportFault::kBadLoads);
    EXPECT_EQ(refused.refusal.rows, (std::vector<std::size_t>{4, 5, 7, 8, 9}));
    const std::string& message = refused.refusal.message;
    EXPECT_EQ(message.substr(0, message.find('\n')), "12 rows have no load that can be read:");
    EXPECT_NE(message.find("\nrow 4, column 3 (\"Load [kN]\"): \"1180,5\" has a comma, but the "
                           "column's decimal mark is the point: choose the other decimal mark if "
                           "that is what it is (thousands separators are not taken);\n"),
              std::string::npos);
    EXPECT_EQ(message.substr(message.rfind('\n')), "\nand 7 more rows.");
}

TEST(LoadTableImport, QuotedLabelsKeepDelimitersAndQuotesAndGoOnOneLine) {
    const std::string bytes = table("quoted_labels.csv");
    ImportSettings settings;
    settings.loadColumn = ColumnChoice::named("Load");
    settings.labelColumns = {ColumnChoice::named("Label"), ColumnChoice::named("Note")};
    const tamsor::ImportOutcome outcome = tamsor::importLoadTable(bytes, settings);
    ASSERT_TRUE(outcome.ok()) << outcome.refusal.message;
    EXPECT_EQ(tamsor::dataFileText(*outcome.table), table("quoted_labels.DAT"));
    EXPECT_EQ(outcome.table->labelsWithLineBreaks, 2u);
    EXPECT_NE(
        tamsor::describeImport(*outcome.table).find("Line breaks in 2 labels written as blanks."),
        std::string::npos);

    // Rows are counted as a spreadsheet counts them; the line is added where
    // quoted line breaks came before.
    std::string faulty = bytes;
    faulty.replace(faulty.find("1181"), 4, "n/a");
    const tamsor::ImportOutcome refused = tamsor::importLoadTable(faulty, settings);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.refusal.message,
              "Row 7 (line 8), column 2 (\"Load\"): \"n/a\" is not a number.");
    EXPECT_EQ(refused.refusal.rows, (std::vector<std::size_t>{7}));

    const tamsor::ImportOutcome unclosed =
        tamsor::importLoadTable(bytes + "E/2,\"1150\nE/3,1170\n", settings);
    ASSERT_FALSE(unclosed.ok());
    EXPECT_EQ(unclosed.refusal.fault, tamsor::ImportFault::kUnclosedQuote);
    EXPECT_EQ(unclosed.refusal.message,
              "The quote that opens in row 13 (line 16) is never closed, so the rest of the "
              "table would be one field: close it, or remove it.");
}

TEST(LoadTableImport, Latin1TableIsHandedOnAsUtf8) {
    const std::string bytes = table("latin1_tabs.txt");
    const tamsor::TablePreview preview = tamsor::previewLoadTable(bytes, {});
    EXPECT_EQ(preview.encoding, tamsor::TextEncoding::kLatin1);
    EXPECT_EQ(preview.delimiter, tamsor::Delimiter::kTab);
    EXPECT_EQ(preview.headerRow, 2u);
    ASSERT_EQ(preview.columns.size(), 3u);
    EXPECT_EQ(preview.columns[2].name, "St\xC3\xBCtzenlast");
    ASSERT_GE(preview.rows.size(), 3u);
    EXPECT_EQ(preview.rows[2].role, tamsor::RowRole::kSkipped);  // the units line

    ImportSettings settings;
    settings.loadColumn = ColumnChoice::named("St\xC3\xBCtzenlast");
    settings.labelColumns = {ColumnChoice::at(1), ColumnChoice::at(2)};
    const tamsor::ImportOutcome outcome = tamsor::importLoadTable(bytes, settings);
    ASSERT_TRUE(outcome.ok()) << outcome.refusal.message;
    EXPECT_EQ(tamsor::dataFileText(*outcome.table), table("latin1_tabs.DAT"));
}

// The sample tables beside the sample buildings give the same loads, digit
// for digit, in the same order.
TEST(LoadTableImport, SampleTablesGiveTheSampleBuildingsLoads) {
    const auto firstWords = [](const std::string& dataFile) {
        std::vector<std::string> words;
        std::istringstream lines(read_file(std::string(TAMSOR_EXAMPLES_DIR) + "/" + dataFile));
        std::string word;
        for (std::string line; std::getline(lines, line);)
            if (std::istringstream(line) >> word) words.push_back(word);
        return words;
    };
    const auto loadTexts = [](const tamsor::ImportOutcome& outcome) {
        std::vector<std::string> texts;
        if (outcome.ok())
            for (const tamsor::ImportedLoad& load : outcome.table->loads)
                texts.push_back(load.text);
        return texts;
    };

    ImportSettings office;
    office.loadColumn = ColumnChoice::named("FZ");
    office.labelColumns = {ColumnChoice::named("Joint")};
    office.conditions = {{ColumnChoice::named("Load Case"), "Sustained"}};
    office.compressionIsNegative = true;
    const tamsor::ImportOutcome officeLoads = tamsor::importLoadTable(
        read_file(std::string(TAMSOR_EXAMPLES_DIR) + "/OFFICE5_reactions.csv"), office);
    EXPECT_EQ(loadTexts(officeLoads), firstWords("OFFICE5.DAT"));
    ASSERT_TRUE(officeLoads.ok());
    EXPECT_EQ(officeLoads.table->loads[23].label, "D-6");

    ImportSettings school;
    school.loadColumn = ColumnChoice::named("Load [kN]");
    const tamsor::ImportOutcome schoolLoads = tamsor::importLoadTable(
        read_file(std::string(TAMSOR_EXAMPLES_DIR) + "/SCHOOL_loads.csv"), school);
    EXPECT_EQ(loadTexts(schoolLoads), firstWords("SCHOOL.DAT"));
}

}  // namespace
