// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedule_window/schedule_tables.h"

#include <string>

#include "results/results_table.h"
#include "tamsor/figure_text.h"

namespace tamsor {
namespace {

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

QString count(std::int64_t value) {
    return QString::number(value);
}

}  // namespace

TextTable typesTable(const IsolatorSchedule& schedule) {
    TextTable table{
        {QStringLiteral("Type"), QStringLiteral("Isolators"), QStringLiteral("Smallest"),
         QStringLiteral("Largest\n(design load)"), QStringLiteral("Mean"), QStringLiteral("Spread"),
         QStringLiteral("Largest above\nmean %"), QStringLiteral("Spread\n%")},
        std::vector<bool>(8, true),
        {}};
    for (const ScheduleType& type : schedule.types) {
        const auto& percent = type.largestAboveMeanPercent;
        table.rows.push_back(
            {count(type.type), count(type.isolators),
             text(loadText(type.smallest, schedule.loadDecimals)),
             text(loadText(type.largest, schedule.loadDecimals)), text(meanText(type.mean)),
             text(meanText(type.spread)),
             percent ? text(percentText(*percent)) : QStringLiteral("-"),
             type.spreadPercent ? text(percentText(*type.spreadPercent)) : QStringLiteral("-")});
    }
    return table;
}

TextTable isolatorsTable(const IsolatorSchedule& schedule) {
    TextTable table{{QStringLiteral("Line"), QStringLiteral("Load"), QStringLiteral("Type"),
                     QStringLiteral("Label")},
                    {true, true, true, false},
                    {}};
    for (const ScheduledIsolator& isolator : schedule.isolators)
        table.rows.push_back({count(isolator.line),
                              text(loadText(isolator.load, schedule.loadDecimals)),
                              count(isolator.type), text(isolator.label)});
    return table;
}

TextTable resultsTable(const ResultsModel& model, int types) {
    TextTable table{{QStringLiteral("Partition"), QStringLiteral("Number"), QStringLiteral("Mean"),
                     QStringLiteral("Variance")},
                    std::vector<bool>(4, true),
                    {}};
    for (int row = 0; row < types; ++row) {
        QStringList cells = resultsRow(model, types, row);
        for (QString& cell : cells)
            cell = cell.trimmed();
        table.rows.push_back(cells);
    }
    return table;
}

TextTable varianceTable(const ResultsModel& model) {
    TextTable table{{QStringLiteral("Types"), QStringLiteral("Pooled variance")}, {true, true}, {}};
    for (int d = 1; d < kMaxShownTypes; ++d)
        table.rows.push_back({count(d + 1), pooledVarianceText(model, d).trimmed()});
    return table;
}

}  // namespace tamsor
