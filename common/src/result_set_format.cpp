// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/result_set_format.h"

#include <bit>
#include <cstring>

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

// The points go straight into a block of whole lines: no copy per line, few calls to the
// system. Equal loads, the rule in buildings of typical bays, share one load field,
// formatted once; "equal" by their bits, as formatting sees them (-0 is not taken for 0).
std::string_view LoadPlotText::nextBlock() {
    used_ = 0;
    const std::size_t count = loads_.size();
    // Room for the two points a load may give.
    while (next_ < count && used_ + 2 * kLineLength <= block_.size()) {
        const std::size_t i = next_++;
        const float load = loads_[i];
        if (i == 0 ||
            std::bit_cast<std::uint32_t>(load) != std::bit_cast<std::uint32_t>(loads_[i - 1]))
            plotLoadField(load, loadField_.data());
        point(static_cast<std::int64_t>(i) + 1);
        if (i + 1 == count || loads_[i + 1] != load) point(static_cast<std::int64_t>(i) + 2);
    }
    return {block_.data(), used_};
}

// The positions only keep their value or rise by one: counted up in place, digit by digit,
// rather than formatted anew.
void LoadPlotText::point(std::int64_t position) {
    if (position != position_) {
        // A field full of digits would need one column more: formatted as any integer.
        if (position == position_ + 1 && positionField_[0] == ' ') {
            std::size_t column = positionField_.size();
            while (positionField_[--column] == '9')
                positionField_[column] = '0';
            positionField_[column] =
                positionField_[column] == ' ' ? '1' : static_cast<char>(positionField_[column] + 1);
        } else {
            integerField(kPlotPositionWidth, position, positionField_.data());
        }
        position_ = position;
    }
    char* const line = block_.data() + used_;
    std::memcpy(line, positionField_.data(), kPlotPositionWidth);
    std::memcpy(line + kPlotPositionWidth, loadField_.data(), kPlotLoadWidth);
    line[kLineLength - 2] = '\r';
    line[kLineLength - 1] = '\n';
    used_ += kLineLength;
}

void writeLoadPlot(ResultFile& plot, std::span<const float> sortedLoads) {
    // On the stack, as the classic engine allocates nothing.
    LoadPlotText text(sortedLoads);
    for (std::string_view block = text.nextBlock(); !block.empty(); block = text.nextBlock())
        plot.write(block);
}

void writeLoadPlot(ResultFile& plot, std::span<const float> sortedLoads, TextDigest& digest) {
    LoadPlotText text(sortedLoads);
    for (std::string_view block = text.nextBlock(); !block.empty(); block = text.nextBlock()) {
        plot.write(block);
        digest.add(block);
    }
}

}  // namespace tamsor
