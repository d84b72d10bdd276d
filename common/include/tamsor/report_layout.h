// SPDX-License-Identifier: GPL-3.0-or-later
// The columns of the result files, described once for the code that writes
// them and the code that reads them back.
//
// Partition report: two lines per result set, each ended by CR LF.
//   Line 1, (I4,F12.2,I9,10I10): the number of isolator types n, the pooled
//   variance, the operation count, then n + 1 first positions (the sorted
//   position of the first load of each type, then the number of loads + 1).
//   Line 2, (19X,10(1X,F10.2)): 19 blanks, then per type one blank and its
//   mean load.
// Load plot file: one point per line, (I11) position and the load in 16
// columns.
#ifndef TAMSOR_REPORT_LAYOUT_H
#define TAMSOR_REPORT_LAYOUT_H

#include <cstddef>

#include "tamsor/domain_limits.h"

namespace tamsor::report_layout {

// A report holds a result set for each number of types, 1 to kMaxTypes.
using tamsor::kMaxTypes;

inline constexpr int kCountWidth = 4;
inline constexpr int kVarianceWidth = 12;
inline constexpr int kOperationsWidth = 9;
inline constexpr int kPositionWidth = 10;
inline constexpr int kDecimals = 2;

inline constexpr int kMeansIndent = 19;
inline constexpr int kMeanGap = 1;
inline constexpr int kMeanWidth = 10;

inline constexpr int kPlotPositionWidth = 11;
inline constexpr int kPlotLoadWidth = 16;

inline constexpr const char* kLineEnd = "\r\n";

// 0-based columns where the fields of line 1 start.
inline constexpr std::size_t kCountColumn = 0;
inline constexpr std::size_t kVarianceColumn = kCountColumn + kCountWidth;
inline constexpr std::size_t kOperationsColumn = kVarianceColumn + kVarianceWidth;
inline constexpr std::size_t kPositionsColumn = kOperationsColumn + kOperationsWidth;

// First position k = 0..n of line 1.
constexpr std::size_t positionColumn(int k) {
    return kPositionsColumn + static_cast<std::size_t>(kPositionWidth * k);
}
// Mean of type k = 0..n-1 on line 2.
constexpr std::size_t meanColumn(int k) {
    return static_cast<std::size_t>(kMeansIndent + (kMeanGap + kMeanWidth) * k + kMeanGap);
}
// Lengths without the line end.
constexpr std::size_t firstLineLength(int n) {
    return positionColumn(n + 1);
}
constexpr std::size_t secondLineLength(int n) {
    return static_cast<std::size_t>(kMeansIndent + (kMeanGap + kMeanWidth) * n);
}

}  // namespace tamsor::report_layout

#endif
