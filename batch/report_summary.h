// The readable summary of a partition report.
#ifndef TAMSOR_BATCH_REPORT_SUMMARY_H
#define TAMSOR_BATCH_REPORT_SUMMARY_H

#include <ostream>
#include <vector>

#include "tamsor/report_reader.h"

namespace tamsor {

// One line per number of types: pooled variance, then isolators and mean load
// per type; a figure that did not fit its report field shows as asterisks.
void printSummary(std::ostream& out, const std::vector<ReportSet>& sets);

}  // namespace tamsor

#endif
