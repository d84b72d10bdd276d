// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedule_rows.h"

#include "tamsor/figure_text.h"
#include "tamsor/grouping_spread.h"

namespace tamsor {

TextRow typeHeader() {
    return {"type",
            "isolators",
            "smallest",
            "largest (design load)",
            "mean",
            "spread",
            "largest above mean %",
            "spread %"};
}

TextRow typeRow(const ScheduleType& type, int loadDecimals, std::string_view notShown) {
    return {std::to_string(type.type),
            std::to_string(type.isolators),
            loadText(type.smallest, loadDecimals),
            loadText(type.largest, loadDecimals),
            meanText(type.mean),
            meanText(type.spread),
            type.largestAboveMeanPercent ? percentText(*type.largestAboveMeanPercent)
                                         : std::string(notShown),
            type.spreadPercent ? percentText(*type.spreadPercent) : std::string(notShown)};
}

std::string groupingFiguresLine(const IsolatorSchedule& schedule) {
    return spreadFiguresLine(schedule.worstSpreadPercent, schedule.capacityAboveNeedPercent);
}

TextRow isolatorHeader() {
    return {"line", "load", "type", "label"};
}

TextRow isolatorRow(const ScheduledIsolator& isolator, int loadDecimals, OutsideText labelText) {
    return {std::to_string(isolator.line), loadText(isolator.load, loadDecimals),
            std::to_string(isolator.type), labelText(isolator.label)};
}

}  // namespace tamsor
