// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/load_table_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "tamsor/data_file.h"
#include "tamsor/whole_file.h"

namespace tamsor {

LoadTableBytes readLoadTableFile(const std::string& path) {
    LoadTableBytes table;
    DataFile file;
    if (!file.open(path.c_str())) {
        table.problem = file.fault() == LoadFaultKind::kNotARegularFile
                            ? "is not a regular file"
                            : std::string("cannot be opened: ") + std::strerror(file.systemError());
        return table;
    }
    struct stat status {};
    if (::fstat(file.descriptor(), &status) == 0 &&
        static_cast<std::size_t>(status.st_size) > kLargestLoadTable) {
        table.problem = "is larger than a load table can be (" +
                        std::to_string(kLargestLoadTable / (1024 * 1024)) + " MiB)";
        return table;
    }
    table.bytes.reserve(static_cast<std::size_t>(status.st_size));
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(file.descriptor(), chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            table.problem = std::string("cannot be read: ") + std::strerror(errno);
            table.bytes.clear();
            return table;
        }
        if (got == 0) break;
        // A file that grows while it is read.
        if (table.bytes.size() + static_cast<std::size_t>(got) > kLargestLoadTable) {
            table.problem = "is larger than a load table can be";
            table.bytes.clear();
            return table;
        }
        table.bytes.append(chunk, static_cast<std::size_t>(got));
    }
    return table;
}

std::string writeImportedDataFile(const std::string& path, const ImportedTable& table,
                                  const std::string& tablePath) {
    // The import's result may not take the place of what it came from.
    struct stat target {};
    struct stat source {};
    if (::stat(path.c_str(), &target) == 0 && ::stat(tablePath.c_str(), &source) == 0 &&
        target.st_dev == source.st_dev && target.st_ino == source.st_ino)
        return "is the load table itself";
    const WholeFileFailure failure = writeWholeFile(path, dataFileText(table));
    return failure.ok() ? std::string() : describeWholeFileFailure(failure);
}

}  // namespace tamsor
