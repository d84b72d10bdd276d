// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/spread_figures_label.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "results/results_model.h"
#include "tamsor/grouping_spread.h"

namespace tamsor {

SpreadFiguresLabel::SpreadFiguresLabel(const ResultsModel& model, QWidget* parent)
    : QLabel(parent), model_(model) {
    setAccessibleName(QStringLiteral("Spread figures"));
    setAccessibleDescription(
        QStringLiteral("The worst spread of the isolator types on display and their capacity "
                       "above need"));
    setTextInteractionFlags(Qt::TextSelectableByMouse);
}

void SpreadFiguresLabel::showResults(int types) {
    if (!model_.reached(types) || !model_.hasResults()) {
        clearResults();
        return;
    }
    std::vector<float> sortedLoads;
    sortedLoads.reserve(model_.DataLoads.size());
    for (const LoadRecord& record : model_.DataLoads)
        sortedLoads.push_back(record.load);
    std::stable_sort(sortedLoads.begin(), sortedLoads.end());
    std::vector<int> firstPositions;
    for (int k = 0; k <= types; ++k)
        firstPositions.push_back(static_cast<int>(model_.PartBound[types - 1][k]));
    try {
        const auto figures = groupingSpreadFigures(sortedLoads, firstPositions);
        setText(QString::fromStdString(spreadFiguresLine(
            figures ? std::optional(figures->worstSpreadPercent) : std::nullopt,
            figures ? std::optional(figures->capacityAboveNeedPercent) : std::nullopt)));
    } catch (const std::invalid_argument&) {
        // Boundaries that do not group these loads: the schedule says why.
        clearResults();
    }
}

void SpreadFiguresLabel::clearResults() {
    clear();
}

}  // namespace tamsor
