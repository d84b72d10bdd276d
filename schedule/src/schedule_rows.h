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
// `notShown` stands for a percentage that is not defined.
TextRow typeRow(const ScheduleType& type, std::string_view notShown);

// How an output shows text from the data file: made safe for a spreadsheet or
// for a terminal.
using OutsideText = std::string (*)(std::string_view text);

TextRow isolatorHeader();  // the label comes last: it is the one column of free text
TextRow isolatorRow(const ScheduledIsolator& isolator, OutsideText labelText);

}  // namespace tamsor

#endif
