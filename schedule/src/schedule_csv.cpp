#include "tamsor/schedule_csv.h"

#include <string>
#include <string_view>

#include "schedule_rows.h"
#include "tamsor/schedule_numbers.h"
#include "utf8_text.h"

namespace tamsor {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

void writeField(std::ostream& out, std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
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

std::string optionalDecimal(const std::optional<double>& value) {
    return value ? decimalText(*value, kMeanDecimals) : std::string();
}

}  // namespace

void writeScheduleCsv(std::ostream& out, const IsolatorSchedule& schedule) {
    writeRow(out, typeHeader());
    for (const auto& type : schedule.types)
        writeRow(out, typeRow(type, ""));
    out << kLineEnd;
    writeRow(out, isolatorHeader());
    for (const auto& isolator : schedule.isolators)
        writeRow(out, isolatorRow(isolator));
}

void writeSummaryCsvHeader(std::ostream& out) {
    writeRow(out, {"data file", "technique", "type count", "status", "pooled variance", "type",
                   "isolators", "smallest", "largest", "mean"});
}

void writeSummaryCsvRows(std::ostream& out, const RunSummary& run) {
    const TextRow runFields = {wellFormedUtf8(run.dataFile), wellFormedUtf8(run.technique)};
    for (const auto& set : run.resultSets) {
        TextRow row = runFields;
        row.push_back(std::to_string(set.typeCount));
        row.emplace_back(resultSetStatusText(set.status));
        row.push_back(optionalDecimal(set.pooledVariance));
        if (set.types.empty()) {
            row.resize(row.size() + 5);
            writeRow(out, row);
        }
        for (std::size_t k = 0; k < set.types.size(); ++k) {
            const auto& type = set.types[k];
            TextRow typeFields = row;
            typeFields.insert(
                typeFields.end(),
                {std::to_string(k + 1), std::to_string(type.isolators), loadText(type.smallest),
                 loadText(type.largest), optionalDecimal(type.mean)});
            writeRow(out, typeFields);
        }
    }
}

}  // namespace tamsor
