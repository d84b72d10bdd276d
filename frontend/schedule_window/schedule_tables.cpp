#include "schedule_window/schedule_tables.h"

#include <string>

#include "results/cell_text.h"
#include "tamsor/schedule_numbers.h"

namespace tamsor {
namespace {

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

QString count(std::int64_t value) {
    return QString::number(value);
}

// The pooled variance of result set d as the report gives it.
QString pooledVariance(const ResultsModel& m, int d) {
    return cellText(m.pooledVariance(d)).trimmed();
}

}  // namespace

TextTable typesTable(const IsolatorSchedule& schedule) {
    TextTable table{
        {QStringLiteral("Type"), QStringLiteral("Isolators"), QStringLiteral("Smallest"),
         QStringLiteral("Largest\n(design load)"), QStringLiteral("Mean"), QStringLiteral("Spread"),
         QStringLiteral("Largest above\nmean %")},
        std::vector<bool>(7, true),
        {}};
    for (const ScheduleType& type : schedule.types) {
        const auto& percent = type.largestAboveMeanPercent;
        table.rows.push_back(
            {count(type.type), count(type.isolators), text(loadText(type.smallest)),
             text(loadText(type.largest)), text(decimalText(type.mean, kMeanDecimals)),
             text(decimalText(type.spread, kMeanDecimals)),
             percent ? text(decimalText(*percent, kPercentDecimals)) : QStringLiteral("-")});
    }
    return table;
}

TextTable isolatorsTable(const IsolatorSchedule& schedule) {
    TextTable table{{QStringLiteral("Line"), QStringLiteral("Load"), QStringLiteral("Type"),
                     QStringLiteral("Label")},
                    {true, true, true, false},
                    {}};
    for (const ScheduledIsolator& isolator : schedule.isolators)
        table.rows.push_back({count(isolator.line), text(loadText(isolator.load)),
                              count(isolator.type), text(isolator.label)});
    return table;
}

TextTable resultsTable(const ResultsModel& model, int types) {
    TextTable table{{QStringLiteral("Partition"), QStringLiteral("Number"), QStringLiteral("Mean"),
                     QStringLiteral("Variance")},
                    std::vector<bool>(4, true),
                    {}};
    const int d = types - 1;
    for (int r = 1; r <= types; ++r)
        table.rows.push_back({count(r), count(model.PartCount[d][r - 1]),
                              cellText(model.PartMean[d][r - 1]).trimmed(),
                              r == 1 ? pooledVariance(model, d) : QString()});
    return table;
}

TextTable varianceTable(const ResultsModel& model) {
    TextTable table{{QStringLiteral("Types"), QStringLiteral("Pooled variance")}, {true, true}, {}};
    for (int d = 1; d < kMaxShownTypes; ++d)
        table.rows.push_back({count(d + 1), pooledVariance(model, d)});
    return table;
}

}  // namespace tamsor
