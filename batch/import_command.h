// SPDX-License-Identifier: GPL-3.0-or-later
// tamsor-batch --import: the engineer's load table made into a data file from
// a script, with the settings the program's import dialog offers.
#ifndef TAMSOR_BATCH_IMPORT_COMMAND_H
#define TAMSOR_BATCH_IMPORT_COMMAND_H

#include <ostream>
#include <string>
#include <vector>

#include "tamsor/load_table_import.h"

namespace tamsor {

struct ImportCommand {
    std::string table;
    std::string output;
    ImportSettings settings;
};

struct ParsedImportCommand {
    ImportCommand command;
    std::string error;  // a usage error, in a sentence without the usage text
};

// Whether the command line asks for an import rather than a calculation.
bool asksForImport(const std::vector<std::string>& arguments);

ParsedImportCommand parseImportCommand(const std::vector<std::string>& arguments);

// Reads the table, imports it and writes the data file; tells `messages` how
// many rows were kept and dropped, or why the table cannot be imported (row,
// column and reason). Returns the exit status: 0 written, 1 not.
int runImport(const ImportCommand& command, std::ostream& messages);

// The --help text's part on --import.
extern const char* const kImportUsage;

}  // namespace tamsor

#endif
