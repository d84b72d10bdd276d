// SPDX-License-Identifier: GPL-3.0-or-later
// The exact technique's result sets, computed from loads already read and
// sorted, ready for the shared writers of the result files.
#ifndef TAMSOR_OPTIMAL_RESULT_SETS_H
#define TAMSOR_OPTIMAL_RESULT_SETS_H

#include <span>
#include <vector>

#include "tamsor/result_set_format.h"

namespace tamsor {

// Result set n holds the best grouping of `sortedLoads` (ascending, stably
// sorted, at least one) into n types, for n = 1 to 9: the pooled variance
// (sum of squares / N rounded to single precision), in the operation count
// column the cost evaluations of the run so far, the first positions and the
// means rounded to single precision.
//
// Nothing where a figure of the report would overflow single precision: the
// classic techniques refuse such loads (their single-precision sums
// overflow), and so does this one, although its own sums are in double.
std::vector<ResultSetRecord> optimalResultSets(std::span<const float> sortedLoads);

// Whether the figures of one type of all `sortedLoads`, summed in single
// precision in sorted order as the classic techniques sum them, overflow: the
// loads every technique computed in-process refuses.
bool reportFiguresOverflow(std::span<const float> sortedLoads);

}  // namespace tamsor

#endif
