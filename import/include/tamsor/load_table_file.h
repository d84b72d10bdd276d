// SPDX-License-Identifier: GPL-3.0-or-later
// A load table read from disk, and the data file made from it written beside
// it: whole or not at all, and never over the table itself.
#ifndef TAMSOR_LOAD_TABLE_FILE_H
#define TAMSOR_LOAD_TABLE_FILE_H

#include <cstddef>
#include <string>

#include "tamsor/load_table_import.h"

namespace tamsor {

// Larger tables are refused before they are read: a million isolators with a
// few load cases each stay well below it.
inline constexpr std::size_t kLargestLoadTable = 512u * 1024 * 1024;

struct LoadTableBytes {
    std::string bytes;
    // Why the file cannot be read, to follow its name ("cannot be opened: No
    // such file or directory"); empty when it was read.
    std::string problem;
};

LoadTableBytes readLoadTableFile(const std::string& path);

// Writes the data file of `table` at `path`. Returns why it was not written,
// to follow the data file's name ("is the load table itself", "No space left
// on device"), or an empty text.
std::string writeImportedDataFile(const std::string& path, const ImportedTable& table,
                                  const std::string& tablePath);

}  // namespace tamsor

#endif
