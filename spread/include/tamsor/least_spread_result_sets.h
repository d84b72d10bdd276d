// SPDX-License-Identifier: GPL-3.0-or-later
// The least-spread technique's result sets, computed from loads already read
// and sorted, ready for the shared writers of the result files.
#ifndef TAMSOR_LEAST_SPREAD_RESULT_SETS_H
#define TAMSOR_LEAST_SPREAD_RESULT_SETS_H

#include <span>
#include <vector>

#include "tamsor/result_set_format.h"

namespace tamsor {

// Result set n holds the least-spread grouping of `sortedLoads` (ascending,
// stably sorted, at least one, every load positive) into n types, for n = 1
// to 9: the pooled variance (sum of squares / N rounded to single
// precision), in the operation count column the evaluations of the search so
// far, the first positions and the means rounded to single precision.
//
// Nothing where a figure of the report would overflow single precision, as
// for the exact technique. A load of zero or less throws
// std::invalid_argument: the caller refuses such loads beforehand.
std::vector<ResultSetRecord> leastSpreadResultSets(std::span<const float> sortedLoads);

}  // namespace tamsor

#endif
