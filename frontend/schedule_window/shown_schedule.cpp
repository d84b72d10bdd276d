// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedule_window/shown_schedule.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "tamsor/report_agreement.h"

namespace tamsor {
namespace {

QString mismatch(const QString& reason) {
    return QStringLiteral(
               "The schedule cannot be shown: the data file's loads do not match the results on "
               "display (%1). Calculate again.")
        .arg(reason);
}

}  // namespace

ShownSchedule shownSchedule(const ResultsModel& model, int types) {
    ShownSchedule shown;
    shown.dataFile = model.DataFileName;
    shown.technique = techniqueName(model.MethodFlag);
    shown.types = types;
    if (types < 1 || types > kMaxShownTypes || !model.hasResults()) {
        shown.note = QStringLiteral("No results are shown. Calculate first.");
        return shown;
    }
    if (!model.reached(types)) {
        shown.note = QStringLiteral(
                         "%1 found no grouping for %2 isolator types: an isolator type "
                         "became empty. Choose fewer types, or Optimal.")
                         .arg(shown.technique)
                         .arg(types);
        return shown;
    }

    const int d = shown.types - 1;
    std::vector<int> firstPositions;
    for (int k = 0; k <= shown.types; ++k) {
        const float bound = model.PartBound[d][k];
        // Positions are whole numbers, at most the program's isolators + 1.
        if (!(bound >= 0 && bound <= 1e6f) || bound != std::floor(bound)) {
            shown.note = mismatch(QStringLiteral("a type boundary is not a position"));
            return shown;
        }
        firstPositions.push_back(static_cast<int>(bound));
    }
    // The means as the report holds them; asterisks hold none.
    std::vector<std::optional<float>> reportMeans;
    for (int k = 0; k < shown.types; ++k)
        reportMeans.push_back(model.PartMeanNotShown[d][k] ? std::nullopt
                                                           : std::optional(model.PartMean[d][k]));
    std::vector<IsolatorLoad> loads;
    std::vector<float> sortedLoads;
    loads.reserve(model.DataLoads.size());
    for (const LoadRecord& record : model.DataLoads) {
        loads.push_back({static_cast<int>(record.line), record.load, record.label});
        sortedLoads.push_back(record.load);
    }
    std::stable_sort(sortedLoads.begin(), sortedLoads.end());

    try {
        IsolatorSchedule schedule = makeIsolatorSchedule(loads, firstPositions);
        if (const auto reason = resultSetDisagreement(sortedLoads, firstPositions, reportMeans)) {
            shown.note = mismatch(QString::fromStdString(*reason));
            return shown;
        }
        useReportMeans(schedule, reportMeans);
        shown.schedule = std::move(schedule);
    } catch (const std::invalid_argument& error) {
        shown.note = mismatch(QString::fromStdString(error.what()));
    }
    return shown;
}

}  // namespace tamsor
