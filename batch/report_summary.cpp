#include "report_summary.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>

#include "tamsor/domain_limits.h"
#include "tamsor/figure_text.h"

namespace tamsor {
namespace {

constexpr int kVarianceColumn = 17;
constexpr int kPercentColumn = 11;

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

}  // namespace

void printSummary(std::ostream& out, const std::vector<ReportSet>& sets) {
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
        << "   per type: isolators x mean load\n";
    for (const auto& set : sets) {
        out << cell(std::to_string(set.partitionCount), 7) << ' '
            << figure(set.pooledVariance, static_cast<int>(varianceWidth)) << "  ";
        for (int k = 0; k < set.partitionCount; ++k) {
            out << ' ' << cell(std::to_string(set.isolators(k)), static_cast<int>(countWidth))
                << " x "
                << figure(set.means[static_cast<std::size_t>(k)], static_cast<int>(meanWidth));
        }
        out << '\n';
    }
}

void printComparison(std::ostream& out, const std::vector<TechniqueRun>& runs) {
    const auto runCount = static_cast<int>(runs.size());
    const auto classicCount = static_cast<std::size_t>(runCount - 1);
    std::string varianceTitle = "  pooled variance";
    varianceTitle.resize(static_cast<std::size_t>(kVarianceColumn * runCount), ' ');
    out << "  types" << varianceTitle
        << cell("above the optimum", kPercentColumn * static_cast<int>(classicCount)) << '\n';
    out << "       ";
    for (const auto& run : runs)
        out << cell(std::string(techniqueOf(run.technique).name), kVarianceColumn);
    for (std::size_t r = 0; r < classicCount; ++r)
        out << cell(std::string(techniqueOf(runs[r].technique).name), kPercentColumn);
    out << '\n';

    char text[16];
    for (int n = 1; n <= kMaxTypes; ++n) {
        std::snprintf(text, sizeof text, "%7d", n);
        out << text;
        for (const auto& run : runs) {
            const ReportSet* set = setOf(run, n);
            out << (set != nullptr ? figure(set->pooledVariance, kVarianceColumn)
                                   : cell("not reached", kVarianceColumn));
        }
        const ReportSet& optimum = *setOf(runs.back(), n);
        for (std::size_t r = 0; r < classicCount; ++r)
            out << cell(percentAbove(setOf(runs[r], n), optimum), kPercentColumn);
        out << '\n';
    }
}

}  // namespace tamsor
