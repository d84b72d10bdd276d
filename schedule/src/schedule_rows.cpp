#include "schedule_rows.h"

#include "tamsor/schedule_numbers.h"

namespace tamsor {

TextRow typeHeader() {
    return {"type",   "isolators",           "smallest", "largest (design load)", "mean",
            "spread", "largest above mean %"};
}

TextRow typeRow(const ScheduleType& type, std::string_view notShown) {
    return {std::to_string(type.type),
            std::to_string(type.isolators),
            loadText(type.smallest),
            loadText(type.largest),
            decimalText(type.mean, kMeanDecimals),
            decimalText(type.spread, kMeanDecimals),
            type.largestAboveMeanPercent
                ? decimalText(*type.largestAboveMeanPercent, kPercentDecimals)
                : std::string(notShown)};
}

TextRow isolatorHeader() {
    return {"line", "load", "type", "label"};
}

TextRow isolatorRow(const ScheduledIsolator& isolator, OutsideText labelText) {
    return {std::to_string(isolator.line), loadText(isolator.load), std::to_string(isolator.type),
            labelText(isolator.label)};
}

}  // namespace tamsor
