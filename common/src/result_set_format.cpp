#include "tamsor/result_set_format.h"

namespace tamsor {

using namespace report_layout;

void formatResultSet(const ResultSetRecord& set, FieldLine& firstLine, FieldLine& secondLine) {
    const int n = set.partitionCount;

    firstLine.clear();
    firstLine.integer(kCountWidth, n);
    firstLine.fixed2(kVarianceWidth, set.pooledVariance);
    firstLine.integer(kOperationsWidth, set.operationCount);
    for (int k = 0; k <= n; ++k)
        firstLine.integer(kPositionWidth, set.firstPositions[k]);
    firstLine.endLine();

    secondLine.clear();
    secondLine.blanks(kMeansIndent);
    for (int k = 0; k < n; ++k) {
        secondLine.blanks(kMeanGap);
        secondLine.fixed2(kMeanWidth, set.means[k]);
    }
    secondLine.endLine();
}

void writeResultSet(ResultFile& report, const ResultSetRecord& set) {
    FieldLine firstLine;
    FieldLine secondLine;
    formatResultSet(set, firstLine, secondLine);
    report.write(firstLine.text());
    report.write(secondLine.text());
}

void formatPlotPoint(std::int64_t position, float load, FieldLine& line) {
    line.clear();
    line.integer(kPlotPositionWidth, position);
    line.plotLoad(load);
    line.endLine();
}

void writeLoadPlot(ResultFile& plot, std::span<const float> sortedLoads) {
    FieldLine line;
    const auto point = [&](std::size_t position, float load) {
        formatPlotPoint(static_cast<std::int64_t>(position), load, line);
        plot.write(line.text());
    };
    const std::size_t count = sortedLoads.size();
    for (std::size_t i = 0; i < count; ++i) {
        point(i + 1, sortedLoads[i]);
        if (i + 1 == count || sortedLoads[i + 1] != sortedLoads[i]) point(i + 2, sortedLoads[i]);
    }
}

}  // namespace tamsor
