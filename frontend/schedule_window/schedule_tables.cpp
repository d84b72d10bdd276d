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

// A heading with its unit on a second line, to leave the figures room.
QString unitBelow(const QString& title, const QString& unit) {
    return withUnit(title, unit).replace(QStringLiteral(" ("), QStringLiteral("\n("));
}

}  // namespace

TextTable typesTable(const IsolatorSchedule& schedule, const QString& loadUnit) {
    TextTable table{
        {QStringLiteral("Type"), QStringLiteral("Isolators"),
         unitBelow(QStringLiteral("Smallest"), loadUnit),
         withUnit(QStringLiteral("Largest"), loadUnit) + QStringLiteral("\n(design load)"),
         unitBelow(QStringLiteral("Mean"), loadUnit), unitBelow(QStringLiteral("Spread"), loadUnit),
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

TextTable isolatorsTable(const IsolatorSchedule& schedule, const QString& loadUnit) {
    TextTable table{{QStringLiteral("Line"), withUnit(QStringLiteral("Load"), loadUnit),
                     QStringLiteral("Type"), QStringLiteral("Label")},
                    {true, true, true, false},
                    {}};
    for (const ScheduledIsolator& isolator : schedule.isolators)
        table.rows.push_back({count(isolator.line),
                              text(loadText(isolator.load, schedule.loadDecimals)),
                              count(isolator.type), text(isolator.label)});
    return table;
}

TextTable resultsTable(const ResultsModel& model, int types) {
    // Each unit on a line of its own under its title, to leave the figures room.
    QStringList header =
        QStringList{QStringLiteral("Partition")} + resultsColumnTitles(model.LoadUnit);
    for (QString& title : header)
        title.replace(QStringLiteral(" ("), QStringLiteral("\n("));
    TextTable table{header, std::vector<bool>(5, true), {}};
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
