// SPDX-License-Identifier: GPL-3.0-or-later
// One run's summary as one JSON document, written on one line ended by LF, so
// that the documents of several data files in a row form JSON Lines.
//
// {"data_file":"BLDG1.DAT","technique":"Method2",
//  "result_sets":[{"type_count":1,"status":"ok","pooled_variance":93437.59,
//    "types":[{"type":1,"isolators":36,"smallest":650.7,"largest":1844.9,"mean":1213.79}],
//    "worst_spread_percent":64.7,"capacity_above_need_percent":52.0},
//   {"type_count":9,"status":"not reached","pooled_variance":null,"types":[],
//    "worst_spread_percent":null,"capacity_above_need_percent":null}],
//  "schedule":{"type_count":1,"types":[{"type":1,"isolators":36,"smallest":650.7,
//    "largest":1844.9,"mean":1213.79,"spread":1194.20,"largest_above_mean_percent":52.0,
//    "spread_percent":64.7}],
//   "isolators":[{"line":1,"load":661.5,"type":1,"label":"axis A/1"},...],
//   "worst_spread_percent":64.7,"capacity_above_need_percent":52.0},
//  "tolerance_percent":15.0,"fewest_types_within_tolerance":5}
//
// "schedule" is null when none was asked for; "tolerance_percent" and
// "fewest_types_within_tolerance" are null without a tolerance, the latter
// also where none of the run's groupings keeps it. The spread figures are
// null where a load is zero or less (grouping_spread.h). Numbers are JSON numbers in the
// figures of the other outputs (figure_text.h: loads with the decimals of the
// data file, means, spreads and variances with 2 decimals as the report
// writes them, percentages with 1); a value not known or not finite is null.
// Strings are UTF-8 with quotes, backslashes and control characters escaped;
// a byte that is not part of well-formed UTF-8 becomes U+FFFD.
#ifndef TAMSOR_RUN_SUMMARY_JSON_H
#define TAMSOR_RUN_SUMMARY_JSON_H

#include <ostream>

#include "tamsor/run_summary.h"

namespace tamsor {

void writeRunSummaryJson(std::ostream& out, const RunSummary& run);

}  // namespace tamsor

#endif
