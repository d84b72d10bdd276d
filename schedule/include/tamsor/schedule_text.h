// SPDX-License-Identifier: GPL-3.0-or-later
// The isolator schedule as readable text for a terminal: two tables with
// aligned columns, each under its title, lines indented by two blanks and
// ended by LF.
#ifndef TAMSOR_SCHEDULE_TEXT_H
#define TAMSOR_SCHEDULE_TEXT_H

#include <ostream>

#include "tamsor/isolator_schedule.h"

namespace tamsor {

// "Isolator types" (figures right-aligned; "-" for a percentage not defined),
// an empty line, then "Isolators in data file order" (the label last, left-aligned).
void writeScheduleText(std::ostream& out, const IsolatorSchedule& schedule);

}  // namespace tamsor

#endif
