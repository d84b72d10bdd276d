// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/schedule_csv.h"

#include <initializer_list>
#include <string>
#include <string_view>

#include "schedule_rows.h"
#include "tamsor/figure_text.h"
#include "utf8_text.h"

namespace tamsor {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Text from the data file (a label, the data file's name) as a spreadsheet
// must take it: as text. Spreadsheet programs read a field that begins with
// =, +, - or @ as a formula, even from a CSV file, and some drop a leading tab
// or CR first, so a label such as =HYPERLINK(...) or -2+3 would run; a
// leading apostrophe keeps it text. Figures never pass here: -42.5 stays a
// number.
std::string spreadsheetText(std::string_view text) {
    std::string field = wellFormedUtf8(text);
    if (!field.empty() &&
        std::string_view("=+-@\t\r").find(field.front()) != std::string_view::npos)
        field.insert(0, 1, '\'');
    return field;
}

// Quoted where the field holds a separator, a quote or a line end, and where
// it begins with an apostrophe, so that the apostrophe is part of the field.
void writeField(std::ostream& out, std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos && !field.starts_with('\'')) {
        out << field;
        return;
    }
    out << '"';
    for (const char c : field) {
        if (c == '"') out << '"';
        out << c;
    }
    out << '"';
}

void writeRow(std::ostream& out, const TextRow& row) {
    for (std::size_t i = 0; i < row.size(); ++i) {
        if (i > 0) out << ',';
        writeField(out, row[i]);
    }
    out << kLineEnd;
}

// A heading of loads naming their unit: "mean (kN)", "largest (design load)
// (kN)"; as it is without a unit.
std::string withUnit(const std::string& heading, std::string_view unit) {
    return unit.empty() ? heading : heading + " (" + std::string(unit) + ")";
}

TextRow withUnits(TextRow header, std::initializer_list<std::size_t> loadColumns,
                  std::string_view unit) {
    for (const std::size_t column : loadColumns)
        header[column] = withUnit(header[column], unit);
    return header;
}

std::string optionalMean(const std::optional<double>& value) {
    return value ? meanText(*value) : std::string();
}

std::string optionalPercent(const std::optional<double>& value) {
    return value ? percentText(*value) : std::string();
}

void writeScheduleCsvTypes(std::ostream& out, const IsolatorSchedule& schedule,
                           std::string_view unit) {
    // The grouping's two figures on every row of its types, as the summary
    // repeats a result set's pooled variance, so that the table stays one table.
    TextRow header = withUnits(typeHeader(), {2, 3, 4, 5}, unit);
    header.insert(header.end(), {"worst spread %", "capacity above need %"});
    writeRow(out, header);
    for (const auto& type : schedule.types) {
        TextRow row = typeRow(type, schedule.loadDecimals, "");
        row.insert(row.end(), {optionalPercent(schedule.worstSpreadPercent),
                               optionalPercent(schedule.capacityAboveNeedPercent)});
        writeRow(out, row);
    }
}

}  // namespace

void writeScheduleCsv(std::ostream& out, const IsolatorSchedule& schedule,
                      std::string_view loadUnit) {
    const std::string unit = wellFormedUtf8(loadUnit);
    writeScheduleCsvTypes(out, schedule, unit);
    out << kLineEnd;
    writeRow(out, withUnits(isolatorHeader(), {1}, unit));
    for (const auto& isolator : schedule.isolators)
        writeRow(out, isolatorRow(isolator, schedule.loadDecimals, spreadsheetText));
}

void writeSummaryCsvHeader(std::ostream& out) {
    writeRow(out, {"data file", "technique", "type count", "status", "pooled variance", "type",
                   "isolators", "smallest", "largest", "mean", "worst spread %",
                   "capacity above need %"});
}

void writeSummaryCsvRows(std::ostream& out, const RunSummary& run) {
    const TextRow runFields = {spreadsheetText(run.dataFile), spreadsheetText(run.technique)};
    for (const auto& set : run.resultSets) {
        TextRow row = runFields;
        row.push_back(std::to_string(set.typeCount));
        row.emplace_back(resultSetStatusText(set.status));
        row.push_back(optionalMean(set.pooledVariance));
        const TextRow setFigures = {optionalPercent(set.worstSpreadPercent),
                                    optionalPercent(set.capacityAboveNeedPercent)};
        if (set.types.empty()) {
            row.resize(row.size() + 5);
            row.insert(row.end(), setFigures.begin(), setFigures.end());
            writeRow(out, row);
        }
        for (std::size_t k = 0; k < set.types.size(); ++k) {
            const auto& type = set.types[k];
            TextRow typeFields = row;
            typeFields.insert(typeFields.end(),
                              {std::to_string(k + 1), std::to_string(type.isolators),
                               loadText(type.smallest, run.loadDecimals),
                               loadText(type.largest, run.loadDecimals), optionalMean(type.mean)});
            typeFields.insert(typeFields.end(), setFigures.begin(), setFigures.end());
            writeRow(out, typeFields);
        }
    }
}

}  // namespace tamsor
