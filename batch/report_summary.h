// SPDX-License-Identifier: GPL-3.0-or-later
// The readable summaries of partition reports: one technique's, and every
// technique's pooled variances and worst spreads side by side.
#ifndef TAMSOR_BATCH_REPORT_SUMMARY_H
#define TAMSOR_BATCH_REPORT_SUMMARY_H

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "tamsor/calculation.h"
#include "tamsor/report_reader.h"

namespace tamsor {

// One line per number of types: pooled variance, worst spread and capacity
// above need, then isolators and mean load per type; a figure that did not fit
// its report field shows as asterisks, a spread figure not defined (a load of
// zero or less) as "-". `sortedLoads` are the loads the run grouped.
void printSummary(std::ostream& out, const std::vector<ReportSet>& sets,
                  std::span<const float> sortedLoads);

// "the four techniques compared", for `count` techniques.
std::string comparedTechniques(std::size_t count);

// One line per number of types 1..9: the pooled variance and the worst spread
// of each run, then how far the pooled variance of each run but the optimum's
// (Optimal's, which reached every set) lies above the optimum, in per cent.
// "not reached" marks a set a run did not reach; "-" a figure that is not
// defined (a set not reached, a figure not shown, a load of zero or less, or
// an optimum of 0 with a run above it).
void printComparison(std::ostream& out, const std::vector<TechniqueRun>& runs,
                     std::span<const float> sortedLoads);

}  // namespace tamsor

#endif
