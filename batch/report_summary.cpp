// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_summary.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "run_figures.h"
#include "tamsor/domain_limits.h"
#include "tamsor/figure_text.h"

namespace tamsor {
namespace {

constexpr int kPercentColumn = 11;
// In the comparison, each run's pooled variance and worst spread.
constexpr int kComparedVarianceColumn = 15;
constexpr int kComparedSpreadColumn = 10;

// `text` right-aligned in `width` columns, or whole where it is wider.
std::string cell(const std::string& text, int width) {
    const auto columns = static_cast<std::size_t>(std::max(width, 0));
    return text.size() >= columns ? text : std::string(columns - text.size(), ' ') + text;
}

// A mean or pooled variance as the report writes it, in `width` columns, or
// asterisks where the report had no room for it.
std::string figure(const std::optional<float>& value, int width) {
    return cell(
        value ? meanText(*value) : std::string(static_cast<std::size_t>(std::min(width, 12)), '*'),
        width);
}

const ReportSet* setOf(const TechniqueRun& run, int typeCount) {
    return typeCount <= static_cast<int>(run.sets.size()) ? &run.sets[typeCount - 1] : nullptr;
}

// How far `value` lies above `optimum`, as the figures of both reports give them.
std::string percentAbove(const ReportSet* set, const ReportSet& optimum) {
    if (set == nullptr || !set->pooledVariance || !optimum.pooledVariance) return "-";
    const double value = *set->pooledVariance;
    const double best = *optimum.pooledVariance;
    if (best == 0) return value == 0 ? "0.00 %" : "-";
    // Two decimals: Method2 often lies a few hundredths of a per cent above
    // the optimum. A figure rounded just below the optimum's shows as 0.00,
    // no run below it.
    return decimalText((value - best) / best * 100, 2) + " %";
}

std::string percentCell(const std::optional<double>& percent, int width) {
    return cell(percent ? percentText(*percent) + " %" : std::string("-"), width);
}

std::optional<double> worstSpreadOf(const std::vector<std::optional<SpreadFigures>>& figures,
                                    int typeCount) {
    if (typeCount > static_cast<int>(figures.size())) return std::nullopt;
    const auto& set = figures[static_cast<std::size_t>(typeCount - 1)];
    return set ? std::optional(set->worstSpreadPercent) : std::nullopt;
}

// "the four techniques compared"
std::string countWord(std::size_t count) {
    constexpr const char* kWords[] = {"no", "one", "two", "three", "four", "five", "six"};
    return count < std::size(kWords) ? kWords[count] : std::to_string(count);
}

}  // namespace

std::string comparedTechniques(std::size_t count) {
    return "the " + countWord(count) + " techniques compared";
}

void printSummary(std::ostream& out, const std::vector<ReportSet>& sets,
                  std::span<const float> sortedLoads) {
    // Each column as wide as its widest figure, so that 100,000 isolators or a
    // variance in the billions never run into the next column.
    std::size_t varianceWidth = 17;
    std::size_t countWidth = 3;
    std::size_t meanWidth = 9;
    for (const auto& set : sets) {
        varianceWidth = std::max(varianceWidth, figure(set.pooledVariance, 0).size() + 2);
        for (int k = 0; k < set.partitionCount; ++k) {
            countWidth = std::max(countWidth, std::to_string(set.isolators(k)).size());
            meanWidth =
                std::max(meanWidth, figure(set.means[static_cast<std::size_t>(k)], 0).size() + 1);
        }
    }
    out << "  types " << cell("pooled variance", static_cast<int>(varianceWidth))
        << "  worst spread  capacity above need   per type: isolators x mean load\n";
    const GroupingSpreads spreads(sortedLoads);
    for (const auto& set : sets) {
        const auto figures = spreads.of(set.firstPositions);
        out << cell(std::to_string(set.partitionCount), 7) << ' '
            << figure(set.pooledVariance, static_cast<int>(varianceWidth))
            << percentCell(figures ? std::optional(figures->worstSpreadPercent) : std::nullopt, 14)
            << percentCell(
                   figures ? std::optional(figures->capacityAboveNeedPercent) : std::nullopt, 21)
            << "  ";
        for (int k = 0; k < set.partitionCount; ++k) {
            out << ' ' << cell(std::to_string(set.isolators(k)), static_cast<int>(countWidth))
                << " x "
                << figure(set.means[static_cast<std::size_t>(k)], static_cast<int>(meanWidth));
        }
        out << '\n';
    }
}

void printComparison(std::ostream& out, const std::vector<TechniqueRun>& runs,
                     std::span<const float> sortedLoads) {
    const auto optimum = std::find_if(runs.begin(), runs.end(), [](const TechniqueRun& run) {
        return run.technique == TechniqueId::kOptimal;
    });
    std::vector<const TechniqueRun*> others;
    std::vector<int> percentWidths;
    for (const auto& run : runs) {
        if (&run == &*optimum) continue;
        others.push_back(&run);
        const auto name = static_cast<int>(techniqueOf(run.technique).name.size());
        percentWidths.push_back(std::max(kPercentColumn, name + 1));
    }
    std::vector<std::vector<std::optional<SpreadFigures>>> figures;
    for (const auto& run : runs)
        figures.push_back(runSpreadFigures(run, sortedLoads));

    const int runWidth = kComparedVarianceColumn + kComparedSpreadColumn;
    std::string title = "  pooled variance and worst spread";
    title.resize(static_cast<std::size_t>(runWidth) * runs.size(), ' ');
    int percentWidth = 0;
    for (const int width : percentWidths)
        percentWidth += width;
    out << "  types" << title << cell("above the optimum", percentWidth) << '\n';
    out << "       ";
    for (const auto& run : runs)
        out << cell(std::string(techniqueOf(run.technique).name), runWidth);
    for (std::size_t r = 0; r < others.size(); ++r)
        out << cell(std::string(techniqueOf(others[r]->technique).name), percentWidths[r]);
    out << '\n';

    char text[16];
    for (int n = 1; n <= kMaxTypes; ++n) {
        std::snprintf(text, sizeof text, "%7d", n);
        out << text;
        for (std::size_t r = 0; r < runs.size(); ++r) {
            const ReportSet* set = setOf(runs[r], n);
            if (set == nullptr) {
                out << cell("not reached", runWidth);
                continue;
            }
            out << figure(set->pooledVariance, kComparedVarianceColumn)
                << percentCell(worstSpreadOf(figures[r], n), kComparedSpreadColumn);
        }
        const ReportSet& best = *setOf(*optimum, n);
        for (std::size_t r = 0; r < others.size(); ++r)
            out << cell(percentAbove(setOf(*others[r], n), best), percentWidths[r]);
        out << '\n';
    }
}

}  // namespace tamsor
