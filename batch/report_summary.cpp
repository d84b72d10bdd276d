#include "report_summary.h"

#include <cstdio>

#include "tamsor/free_form_reader.h"

namespace tamsor {

std::vector<ResultSet> read_report(const std::string& path) {
    FreeFormReader reader(path);
    std::vector<ResultSet> sets;
    while (!reader.at_end()) {
        ResultSet set;
        set.type_count = reader.read_integer();
        if (set.type_count < 1 || set.type_count > 9)
            throw ReadError(ReadError::Kind::kNotANumber, "not a partition report: " + path);
        set.pooled_variance = reader.read_single();
        set.operation_count = reader.read_long();
        std::vector<std::int32_t> first_positions;
        for (int k = 0; k <= set.type_count; ++k)
            first_positions.push_back(reader.read_long());
        for (int k = 0; k < set.type_count; ++k)
            set.types.push_back(
                {first_positions[k + 1] - first_positions[k], reader.read_single()});
        sets.push_back(std::move(set));
    }
    return sets;
}

void print_summary(std::ostream& out, const std::vector<ResultSet>& sets) {
    out << "  types   pooled variance   per type: isolators x mean load\n";
    char text[64];
    for (const auto& set : sets) {
        std::snprintf(text, sizeof text, "%7d %17.2f  ", set.type_count,
                      static_cast<double>(set.pooled_variance));
        out << text;
        for (const auto& type : set.types) {
            std::snprintf(text, sizeof text, " %3d x %9.2f", type.isolators,
                          static_cast<double>(type.mean_load));
            out << text;
        }
        out << '\n';
    }
}

}  // namespace tamsor
