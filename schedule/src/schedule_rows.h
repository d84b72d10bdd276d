// SPDX-License-Identifier: GPL-3.0-or-later
// The schedule's two tables as rows of text, shared by the CSV and the text
// writers so that both show the same columns and figures.
#ifndef TAMSOR_SCHEDULE_ROWS_H
#define TAMSOR_SCHEDULE_ROWS_H

#include <string>
#include <string_view>
#include <vector>

#include "tamsor/isolator_schedule.h"

namespace tamsor {

using TextRow = std::vector<std::string>;

TextRow typeHeader();
// Loads with `loadDecimals` decimals; `notShown` stands for a percentage that
// is not defined.
TextRow typeRow(const ScheduleType& type, int loadDecimals, std::string_view notShown);

// "Worst spread 8.3 %  ·  capacity above need 4.1 %": the grouping's figures
// in one line, as the main window shows them.
std::string groupingFiguresLine(const IsolatorSchedule& schedule);

// How an output shows text from the data file: made safe for a spreadsheet or
// for a terminal.
using OutsideText = std::string (*)(std::string_view text);

TextRow isolatorHeader();  // the label comes last: it is the one column of free text
TextRow isolatorRow(const ScheduledIsolator& isolator, int loadDecimals, OutsideText labelText);

}  // namespace tamsor

#endif
