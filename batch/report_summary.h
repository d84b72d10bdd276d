// The readable summaries of partition reports: one technique's, and the three
// techniques' pooled variances side by side.
#ifndef TAMSOR_BATCH_REPORT_SUMMARY_H
#define TAMSOR_BATCH_REPORT_SUMMARY_H

#include <ostream>
#include <vector>

#include "tamsor/calculation.h"
#include "tamsor/report_reader.h"

namespace tamsor {

// One line per number of types: pooled variance, then isolators and mean load
// per type; a figure that did not fit its report field shows as asterisks.
void printSummary(std::ostream& out, const std::vector<ReportSet>& sets);

// One line per number of types 1..9: the pooled variance of each run, then
// how far each run but the last lies above the last, in per cent. The last
// run is the optimum and reached every set. "not reached" marks a set a run
// did not reach; "-" a percentage that is not defined (a set not reached, a
// figure not shown, or an optimum of 0 with a run above it).
void printComparison(std::ostream& out, const std::vector<TechniqueRun>& runs);

}  // namespace tamsor

#endif
