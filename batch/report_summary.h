// The partition report read back into plain records, and its readable summary.
#ifndef TAMSOR_BATCH_REPORT_SUMMARY_H
#define TAMSOR_BATCH_REPORT_SUMMARY_H

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace tamsor {

struct IsolatorType {
    int isolators = 0;
    float mean_load = 0;
};

struct ResultSet {
    int type_count = 0;
    float pooled_variance = 0;
    std::int32_t operation_count = 0;
    std::vector<IsolatorType> types;
};

// Every result set in the report, in order; throws ReadError when it cannot be read.
std::vector<ResultSet> read_report(const std::string& path);

// One line per number of types: pooled variance, then isolators and mean load per type.
void print_summary(std::ostream& out, const std::vector<ResultSet>& sets);

}  // namespace tamsor

#endif
