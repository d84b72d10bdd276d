// SPDX-License-Identifier: GPL-3.0-or-later
// A whole input data file read into memory, for the tools that show or check
// its loads; the engine reads through LoadFileReader into its own table.
#ifndef TAMSOR_LOAD_FILE_H
#define TAMSOR_LOAD_FILE_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tamsor/domain_limits.h"
#include "tamsor/load_file_reader.h"

namespace tamsor {

// Largest number of isolators the two classic techniques take.
inline constexpr std::size_t kMaxIsolators = kMaxClassicIsolators;

struct LoadRecord {
    std::int64_t line = 0;  // 1-based line in the file
    float load = 0;
    std::string label;  // the rest of the line after the number, trimmed

    friend bool operator==(const LoadRecord&, const LoadRecord&) = default;
};

// A line whose number is directly followed by a comma and a digit.
struct DecimalCommaWarning {
    std::int64_t line = 0;
    std::string text;    // "150,75"
    std::string readAs;  // "150", the number as written
};

struct LoadFile {
    std::vector<LoadRecord> loads;  // in file order; those before a fault
    std::vector<DecimalCommaWarning> warnings;
    LoadFault fault;  // kind kNone when the whole file was read

    bool ok() const { return fault.kind == LoadFaultKind::kNone; }
};

// Reads the data file at `path` by the reading rules, at most `maxLoads` loads.
LoadFile readLoadFile(const std::string& path, std::size_t maxLoads);

// What is wrong, in the engineer's words, without file name and line:
// "\"abc\" is not a number", "cannot be opened: No such file or directory".
// Bytes of the offending text that a terminal cannot show are written as \xNN.
std::string describeLoadFault(const LoadFault& fault);

}  // namespace tamsor

#endif
