// SPDX-License-Identifier: GPL-3.0-or-later
// Comma-separated values for a spreadsheet: UTF-8 without a byte order mark,
// every line ended by CR LF, a header row per table, and a field in double
// quotes when it holds a comma, a double quote, CR or LF or begins with an
// apostrophe (its quotes doubled). A text field (a label, the data file's
// name) that a spreadsheet would take as a formula, one that begins with =,
// +, -, @, a tab or CR, is written with a leading apostrophe. Figures as
// figure_text.h writes them, negative ones too; a figure not known is an
// empty field. Write to a stream opened in binary mode, so that the line ends stay
// as they are.
#ifndef TAMSOR_SCHEDULE_CSV_H
#define TAMSOR_SCHEDULE_CSV_H

#include <ostream>
#include <string_view>

#include "tamsor/isolator_schedule.h"
#include "tamsor/run_summary.h"

namespace tamsor {

// The types table (one row per type), one empty line, then the isolators table
// (one row per isolator in data file order). The headings of loads, means and
// spreads name `loadUnit` ("mean (kN)") unless it is empty.
void writeScheduleCsv(std::ostream& out, const IsolatorSchedule& schedule,
                      std::string_view loadUnit = {});

// The summary of runs as one table with one row per number of types and type
// (one row with empty type columns for a set not reached): the header row,
// then the rows of each run in turn.
void writeSummaryCsvHeader(std::ostream& out);
void writeSummaryCsvRows(std::ostream& out, const RunSummary& run);

}  // namespace tamsor

#endif
