// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/run_summary_json.h"

#include <optional>
#include <string>
#include <string_view>

#include "tamsor/figure_text.h"
#include "utf8_text.h"

namespace tamsor {
namespace {

void writeString(std::ostream& out, std::string_view text) {
    constexpr std::string_view kHex = "0123456789abcdef";
    out << '"';
    for (const char c : wellFormedUtf8(text)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\')
            out << '\\' << c;
        else if (byte < 0x20)
            out << "\\u00" << kHex[byte >> 4] << kHex[byte & 0xF];
        else
            out << c;
    }
    out << '"';
}

// A figure's text, or null where it is empty (not known or not finite).
void writeNumber(std::ostream& out, const std::string& text) {
    out << (text.empty() ? "null" : text);
}

void writeDecimal(std::ostream& out, const std::optional<double>& value, int decimals) {
    writeNumber(out, value ? decimalText(*value, decimals) : std::string());
}

// `"key":` ahead of a value. Integers go through std::to_string, since the
// stream's own formatting would follow a locale imbued in it.
std::ostream& key(std::ostream& out, std::string_view name) {
    return out << '"' << name << "\":";
}

template <typename Items, typename WriteItem>
void writeArray(std::ostream& out, const Items& items, WriteItem writeItem) {
    out << '[';
    bool first = true;
    for (const auto& item : items) {
        if (!first) out << ',';
        first = false;
        writeItem(item);
    }
    out << ']';
}

// The figures a type has in the run summary and in the schedule alike.
template <typename Type>
void writeTypeFigures(std::ostream& out, const Type& type, int loadDecimals) {
    key(out << ',', "isolators") << std::to_string(type.isolators);
    key(out << ',', "smallest");
    writeNumber(out, loadText(type.smallest, loadDecimals));
    key(out << ',', "largest");
    writeNumber(out, loadText(type.largest, loadDecimals));
    key(out << ',', "mean");
    writeDecimal(out, type.mean, kMeanDecimals);
}

void writeResultSet(std::ostream& out, const ResultSetSummary& set, int loadDecimals) {
    key(out << '{', "type_count") << std::to_string(set.typeCount);
    key(out << ',', "status");
    writeString(out, resultSetStatusText(set.status));
    key(out << ',', "pooled_variance");
    writeDecimal(out, set.pooledVariance, kMeanDecimals);
    key(out << ',', "types");
    int number = 0;
    writeArray(out, set.types, [&](const TypeSummary& type) {
        key(out << '{', "type") << std::to_string(++number);
        writeTypeFigures(out, type, loadDecimals);
        out << '}';
    });
    key(out << ',', "worst_spread_percent");
    writeDecimal(out, set.worstSpreadPercent, kPercentDecimals);
    key(out << ',', "capacity_above_need_percent");
    writeDecimal(out, set.capacityAboveNeedPercent, kPercentDecimals);
    out << '}';
}

void writeSchedule(std::ostream& out, const IsolatorSchedule& schedule) {
    key(out << '{', "type_count") << std::to_string(schedule.types.size());
    key(out << ',', "types");
    writeArray(out, schedule.types, [&](const ScheduleType& type) {
        key(out << '{', "type") << std::to_string(type.type);
        writeTypeFigures(out, type, schedule.loadDecimals);
        key(out << ',', "spread");
        writeDecimal(out, type.spread, kMeanDecimals);
        key(out << ',', "largest_above_mean_percent");
        writeDecimal(out, type.largestAboveMeanPercent, kPercentDecimals);
        key(out << ',', "spread_percent");
        writeDecimal(out, type.spreadPercent, kPercentDecimals);
        out << '}';
    });
    key(out << ',', "isolators");
    writeArray(out, schedule.isolators, [&](const ScheduledIsolator& isolator) {
        key(out << '{', "line") << std::to_string(isolator.line);
        key(out << ',', "load");
        writeNumber(out, loadText(isolator.load, schedule.loadDecimals));
        key(out << ',', "type") << std::to_string(isolator.type);
        key(out << ',', "label");
        writeString(out, isolator.label);
        out << '}';
    });
    key(out << ',', "worst_spread_percent");
    writeDecimal(out, schedule.worstSpreadPercent, kPercentDecimals);
    key(out << ',', "capacity_above_need_percent");
    writeDecimal(out, schedule.capacityAboveNeedPercent, kPercentDecimals);
    out << '}';
}

}  // namespace

void writeRunSummaryJson(std::ostream& out, const RunSummary& run) {
    key(out << '{', "data_file");
    writeString(out, run.dataFile);
    key(out << ',', "technique");
    writeString(out, run.technique);
    key(out << ',', "result_sets");
    writeArray(out, run.resultSets,
               [&](const ResultSetSummary& set) { writeResultSet(out, set, run.loadDecimals); });
    key(out << ',', "schedule");
    if (run.schedule)
        writeSchedule(out, *run.schedule);
    else
        out << "null";
    key(out << ',', "tolerance_percent");
    writeDecimal(out, run.tolerancePercent, kPercentDecimals);
    key(out << ',', "fewest_types_within_tolerance");
    writeNumber(out, run.fewestTypesWithinTolerance
                         ? std::to_string(*run.fewestTypesWithinTolerance)
                         : std::string());
    out << "}\n";
}

}  // namespace tamsor
