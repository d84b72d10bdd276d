// SPDX-License-Identifier: GPL-3.0-or-later
// tamsor-batch --import run as a script runs it: the data file byte for byte,
// the counts and refusals on standard error, and the exit status.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "batch_test_support.h"
#include "office5_sustained.h"

namespace {

namespace fs = std::filesystem;
using tamsor::testing::batch;
using tamsor::testing::kOffice5Sustained;
using tamsor::testing::ProgramRun;
using tamsor::testing::read_file;
using tamsor::testing::ScratchFolder;
using tamsor::testing::write_file;

std::string example(const char* name) {
    return (fs::path(TAMSOR_EXAMPLES_DIR) / name).string();
}

TEST(BatchImport, TheReadmeExampleWritesADataFileThatCalculates) {
    ScratchFolder folder;
    const std::string output = folder.file("OFFICE5_imported.DAT").string();
    const ProgramRun run = batch(
        {"--import", example("OFFICE5_reactions.csv"), "--load-column", "FZ", "--label-column",
         "Joint", "--where", "Load Case=Sustained", "--negative-compression", "--output", output},
        folder);
    EXPECT_EQ(run.end.exitStatus, 0) << run.err;
    EXPECT_EQ(read_file(output), kOffice5Sustained);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, example("OFFICE5_reactions.csv") +
                           ": Kept 24 rows of loads. Dropped 48 rows: 48 where \"Load Case\" is "
                           "not \"Sustained\". Header in row 2. Rows 1 and 3 skipped as title or "
                           "units lines. Loads taken as magnitudes (compression is negative).\n"
                           "wrote " +
                           output + "\n");

    const ProgramRun calculated = batch({"--method", "optimal", output}, folder);
    EXPECT_EQ(calculated.end.exitStatus, 0) << calculated.err;
    EXPECT_NE(calculated.out.find("24 isolators, Optimal"), std::string::npos) << calculated.out;
}

TEST(BatchImport, DelimiterAndDecimalMarkAsGivenByPosition) {
    ScratchFolder folder;
    const std::string output = folder.file("b.DAT").string();
    const std::string table = std::string(TAMSOR_TEST_TABLES) + "/spreadsheet_semicolon.csv";
    const std::vector<std::string> common = {"--import",       table,    "--load-column",  "3",
                                             "--label-column", "1",      "--label-column", "2",
                                             "--label-column", "Remark", "--output",       output};
    std::vector<std::string> arguments = common;
    arguments.insert(arguments.end(), {"--delimiter", "semicolon", "--decimal", "comma"});
    const ProgramRun run = batch(arguments, folder);
    EXPECT_EQ(run.end.exitStatus, 0) << run.err;
    EXPECT_EQ(read_file(output),
              read_file(std::string(TAMSOR_TEST_TABLES) + "/spreadsheet_semicolon.DAT"));

    // A decimal point asked for: refused row by row, nothing written over the file.
    write_file(output, "kept\n");
    arguments = common;
    arguments.insert(arguments.end(), {"--decimal", "point"});
    const ProgramRun refused = batch(arguments, folder);
    EXPECT_EQ(refused.end.exitStatus, 1);
    EXPECT_NE(refused.err.find(": 12 rows have no load that can be read:\nrow 4, column 3 "
                               "(\"Load [kN]\"): \"1180,5\" has a comma"),
              std::string::npos)
        << refused.err;
    EXPECT_EQ(read_file(output), "kept\n");
}

TEST(BatchImport, TablesThatCannotBeImportedNameRowColumnAndReason) {
    ScratchFolder folder;
    const std::string output = folder.file("out.DAT").string();
    struct Case {
        std::string table;
        std::vector<std::string> options;
        std::string message;
    };
    const Case cases[] = {
        {"Joint,Load\nJ1,1200\nJ2,1300\nJ3,n/a\n",
         {},
         ": Row 4, column 2 (\"Load\"): \"n/a\" is not a number.\n"},
        {"Joint,P\nJ1,-1200\nJ2,15\n", {"--negative-compression"}, "row 3 holds \"15\""},
        {"Load\n1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n",
         {},
         "Only 10 rows are kept, and every technique needs at least 11 isolators."},
        {"Load\n1\n", {"--label-column", "Joint"}, "\"Joint\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.table);
        write_file(folder.file("t.csv"), c.table);
        std::vector<std::string> arguments = {
            "--import", folder.file("t.csv").string(), "--load-column", "2", "--output", output};
        if (c.table.rfind("Load\n", 0) == 0) arguments[3] = "Load";
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        const ProgramRun run = batch(arguments, folder);
        EXPECT_EQ(run.end.exitStatus, 1);
        EXPECT_EQ(run.err.rfind(folder.file("t.csv").string() + ": ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(output));
    }
    const ProgramRun missing = batch(
        {"--import", folder.file("none.csv").string(), "--load-column", "2", "--output", output},
        folder);
    EXPECT_EQ(missing.end.exitStatus, 1);
    EXPECT_EQ(missing.err,
              folder.file("none.csv").string() + " cannot be opened: No such file or directory\n");
}

TEST(BatchImport, UsageErrorsExitWithTwoAndOneLine) {
    ScratchFolder folder;
    const std::string table = example("OFFICE5_reactions.csv");
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--import", table, "--load-column", "FZ"}, "--import needs --output FILE.DAT"},
        {{"--import", table, "--output", "x.DAT"}, "--import needs --load-column"},
        {{"--import", table, "--load-column", "FZ", "--output", "x.DAT", "--delimiter", "pipe"},
         "--delimiter takes comma, semicolon, tab or blank"},
        {{"--import", table, "--load-column", "FZ", "--output", "x.DAT", "--decimal", "dot"},
         "--decimal takes point or comma"},
        {{"--import", table, "--load-column", "FZ", "--output", "x.DAT", "--where", "Sustained"},
         "--where takes COLUMN=VALUE"},
        {{"--import", table, "--load-column", "FZ", "--output", "x.DAT", "--method", "2"},
         "unknown option --method with --import"},
        {{"--import", table, "--load-column", "FZ", "--output", "x.DAT", "b.DAT"},
         "unexpected argument b.DAT with --import"},
        {{"--load-column", "FZ", "--import"}, "--import needs a value"},
    };
    for (const auto& [arguments, error] : cases) {
        const ProgramRun run = batch(arguments, folder);
        EXPECT_EQ(run.end.exitStatus, 2) << error;
        EXPECT_EQ(run.err, "tamsor-batch: " + error + "\nTry 'tamsor-batch --help'.\n");
        EXPECT_FALSE(fs::exists(folder.file("x.DAT")));
    }
    const ProgramRun help = batch({"--help"}, folder);
    EXPECT_NE(help.out.find("usage: tamsor-batch --import TABLE --load-column COLUMN"),
              std::string::npos);
    EXPECT_NE(help.out.find("tamsor-batch --import examples/OFFICE5_reactions.csv"),
              std::string::npos);
}

}  // namespace
