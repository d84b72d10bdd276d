// SPDX-License-Identifier: GPL-3.0-or-later
// The partition report read back by its columns, trusting nothing: every
// field must stand where the layout puts it and hold what the layout allows.
#ifndef TAMSOR_REPORT_READER_H
#define TAMSOR_REPORT_READER_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tamsor/read_error.h"

namespace tamsor {

// One result set as the report holds it. A figure too wide for its field is
// written as asterisks; it reads as "not shown" (empty), never as 0.
struct ReportSet {
    int partitionCount = 0;                      // n
    std::optional<float> pooledVariance;         // empty: did not fit its 12 columns
    std::optional<std::int64_t> operationCount;  // empty: did not fit its 9 columns
    std::vector<std::int32_t> firstPositions;    // n + 1, from 1 up to the number of loads + 1
    std::vector<std::optional<float>> means;     // n; empty: did not fit its 10 columns

    // Number of isolators of type k = 0..n-1.
    std::int32_t isolators(int k) const { return firstPositions[k + 1] - firstPositions[k]; }
    std::int32_t loadCount() const { return firstPositions.back() - 1; }
};

// The result sets of report text, in order. Throws ReadError, naming the line,
// where the text is not a partition report: a line of the wrong width, a
// field that is not a number of its kind, asterisks in the number of types or
// in a position, sets not numbered 1, 2, 3..., positions that do not rise
// from 1 or differ in their end between sets, or an odd line at the end.
std::vector<ReportSet> parseReport(std::string_view text);

// The same for the report file at `path` (ReadError kCannotOpen when it
// cannot be read; messages start with the path).
std::vector<ReportSet> readReport(const std::string& path);

}  // namespace tamsor

#endif
