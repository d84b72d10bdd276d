// The contents of the result files: a result set as two report lines, the
// sorted loads as the points of the load plot file. Every technique writes
// its results through these, so their files are alike to the byte.
#ifndef TAMSOR_RESULT_SET_FORMAT_H
#define TAMSOR_RESULT_SET_FORMAT_H

#include <array>
#include <cstdint>
#include <span>

#include "tamsor/number_fields.h"
#include "tamsor/report_layout.h"
#include "tamsor/safe_result_files.h"

namespace tamsor {

// One result set as a technique found it, for n = partitionCount types.
struct ResultSetRecord {
    int partitionCount = 0;  // n, 1..9
    // Sum of squared differences from the type means divided by the number of
    // loads, as the technique rounded it to single precision.
    float pooledVariance = 0;
    std::int64_t operationCount = 0;
    // firstPositions[0..n]: the sorted position of the first load of each
    // type, then the number of loads + 1.
    std::array<std::int32_t, report_layout::kMaxTypes + 1> firstPositions{};
    std::array<float, report_layout::kMaxTypes> means{};  // means[0..n-1]
};

// Formats the set's two report lines, each with its CR LF.
void formatResultSet(const ResultSetRecord& set, FieldLine& firstLine, FieldLine& secondLine);

void writeResultSet(ResultFile& report, const ResultSetRecord& set);

// Formats one point of the load plot file, with its CR LF.
void formatPlotPoint(std::int64_t position, float load, FieldLine& line);

// Writes the step curve of the loads, sorted ascending: (i, load i) for every
// load, and (i + 1, load i) where the next load differs and after the last.
void writeLoadPlot(ResultFile& plot, std::span<const float> sortedLoads);

}  // namespace tamsor

#endif
