// SPDX-License-Identifier: GPL-3.0-or-later
#include "import_command.h"

#include "tamsor/load_table_file.h"

namespace tamsor {

const char* const kImportUsage =
    "\n"
    "usage: tamsor-batch --import TABLE --load-column COLUMN [--label-column COLUMN]...\n"
    "                    [--where COLUMN=VALUE]... [--negative-compression]\n"
    "                    [--delimiter comma|semicolon|tab|blank] [--decimal point|comma]\n"
    "                    --output FILE.DAT\n"
    "\n"
    "Makes an input data file from a load table: a support-reaction table of the\n"
    "analysis program or a spreadsheet saved as delimited text (UTF-8 or Latin-1).\n"
    "Title and units lines are skipped and the header row is found; a COLUMN is its\n"
    "header's name or its position from 1. The data file holds one isolator a line:\n"
    "the load as the table writes it (a decimal comma as a point), two blanks, the\n"
    "label columns joined by blanks. It is written whole or not at all.\n"
    "\n"
    "  --import TABLE          the load table to read\n"
    "  --load-column COLUMN    the column of the sustained (axial) loads\n"
    "  --label-column COLUMN   a column written after the load; repeat for more\n"
    "  --where COLUMN=VALUE    keep only rows where the column holds the value\n"
    "                          (letter case and blanks around it ignored); conditions\n"
    "                          on different columns must all hold, several values for\n"
    "                          one column are alternatives\n"
    "  --negative-compression  the loads are axial forces with compression negative:\n"
    "                          taken as magnitudes; a kept load above 0 is refused\n"
    "  --delimiter NAME        how fields are separated; detected when not given\n"
    "  --decimal MARK          the load column's decimal mark; detected when not given\n"
    "  --output FILE.DAT       the data file to write (never the table itself)\n"
    "\n"
    "For example, the sustained combination of an analysis program's export:\n"
    "    tamsor-batch --import examples/OFFICE5_reactions.csv --load-column FZ \\\n"
    "        --label-column Joint --where \"Load Case=Sustained\" \\\n"
    "        --negative-compression --output OFFICE5_imported.DAT\n"
    "\n"
    "How many rows were kept and dropped goes to standard error. Exit status: 0 when\n"
    "the data file was written, 1 when the table cannot be imported (the message\n"
    "names the row, the column and the reason) or the file cannot be written, 2 on\n"
    "a usage error.\n";

bool asksForImport(const std::vector<std::string>& arguments) {
    for (const std::string& argument : arguments)
        if (argument == "--import") return true;
    return false;
}

ParsedImportCommand parseImportCommand(const std::vector<std::string>& arguments) {
    ParsedImportCommand parsed;
    ImportCommand& command = parsed.command;
    ImportSettings& settings = command.settings;
    bool loadColumnGiven = false;
    const auto fail = [&](std::string error) {
        parsed.error = std::move(error);
        return parsed;
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--negative-compression") {
            settings.compressionIsNegative = true;
            continue;
        }
        const bool takesValue = option == "--import" || option == "--load-column" ||
                                option == "--label-column" || option == "--where" ||
                                option == "--delimiter" || option == "--decimal" ||
                                option == "--output";
        if (!takesValue)
            return fail(option.rfind("--", 0) == 0
                            ? "unknown option " + option + " with --import"
                            : "unexpected argument " + option + " with --import");
        if (i + 1 >= arguments.size()) return fail(option + " needs a value");
        const std::string& value = arguments[++i];
        if (option == "--import") {
            command.table = value;
        } else if (option == "--load-column") {
            if (value.empty()) return fail("--load-column needs a column name or position");
            settings.loadColumn = ColumnChoice::fromText(value);
            loadColumnGiven = true;
        } else if (option == "--label-column") {
            if (value.empty()) return fail("--label-column needs a column name or position");
            settings.labelColumns.push_back(ColumnChoice::fromText(value));
        } else if (option == "--where") {
            const std::size_t equals = value.find('=');
            if (equals == std::string::npos || equals == 0)
                return fail("--where takes COLUMN=VALUE");
            settings.conditions.push_back(
                {ColumnChoice::fromText(value.substr(0, equals)), value.substr(equals + 1)});
        } else if (option == "--delimiter") {
            settings.reading.delimiter = delimiterNamed(value);
            if (!settings.reading.delimiter)
                return fail("--delimiter takes comma, semicolon, tab or blank");
        } else if (option == "--decimal") {
            if (value == "point")
                settings.decimalMark = DecimalMark::kPoint;
            else if (value == "comma")
                settings.decimalMark = DecimalMark::kComma;
            else
                return fail("--decimal takes point or comma");
        } else {
            command.output = value;
        }
    }
    if (command.table.empty()) return fail("--import needs a table");
    if (!loadColumnGiven) return fail("--import needs --load-column");
    if (command.output.empty()) return fail("--import needs --output FILE.DAT");
    return parsed;
}

int runImport(const ImportCommand& command, std::ostream& messages) {
    const LoadTableBytes table = readLoadTableFile(command.table);
    if (!table.problem.empty()) {
        messages << command.table << ' ' << table.problem << '\n';
        return 1;
    }
    const ImportOutcome outcome = importLoadTable(table.bytes, command.settings);
    if (!outcome.ok()) {
        messages << command.table << ": " << outcome.refusal.message << '\n';
        return 1;
    }
    messages << command.table << ": " << describeImport(*outcome.table) << '\n';
    const std::string failure =
        writeImportedDataFile(command.output, *outcome.table, command.table);
    if (!failure.empty()) {
        messages << command.output << ' ' << failure << '\n';
        return 1;
    }
    messages << "wrote " << command.output << '\n';
    return 0;
}

}  // namespace tamsor
