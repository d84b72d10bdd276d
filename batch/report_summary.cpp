#include "report_summary.h"

#include <cstdio>
#include <optional>
#include <string>

namespace tamsor {
namespace {

// A figure with two decimals in `width` columns, or asterisks where the
// report had no room for it.
std::string figure(const std::optional<float>& value, int width) {
    char text[64];
    if (value)
        std::snprintf(text, sizeof text, "%*.2f", width, static_cast<double>(*value));
    else
        std::snprintf(text, sizeof text, "%*s", width,
                      std::string(static_cast<std::size_t>(std::min(width, 12)), '*').c_str());
    return text;
}

}  // namespace

void printSummary(std::ostream& out, const std::vector<ReportSet>& sets) {
    out << "  types   pooled variance   per type: isolators x mean load\n";
    char text[32];
    for (const auto& set : sets) {
        std::snprintf(text, sizeof text, "%7d ", set.partitionCount);
        out << text << figure(set.pooledVariance, 17) << "  ";
        for (int k = 0; k < set.partitionCount; ++k) {
            std::snprintf(text, sizeof text, " %3d x ", set.isolators(k));
            out << text << figure(set.means[static_cast<std::size_t>(k)], 9);
        }
        out << '\n';
    }
}

}  // namespace tamsor
