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

namespace {

// The position field of the load plot's points, which only keep their position or rise by
// one: counted up in place, digit by digit, rather than formatted anew.
class PlotPositionField {
  public:
    void moveTo(std::int64_t position) {
        if (position == position_) return;
        // A field full of digits would need one column more: formatted as any integer.
        if (position == position_ + 1 && field_[0] == ' ') {
            std::size_t column = field_.size();
            while (field_[--column] == '9')
                field_[column] = '0';
            field_[column] = field_[column] == ' ' ? '1' : static_cast<char>(field_[column] + 1);
        } else {
            integerField(kPlotPositionWidth, position, field_.data());
        }
        position_ = position;
    }
    const char* data() const { return field_.data(); }

  private:
    std::int64_t position_ = -1;
    std::array<char, kPlotPositionWidth> field_{};
};

}  // namespace

// The points go straight into a block of whole lines, written in one piece: no copy per
// line, few calls to the system. On the stack, as the classic engine allocates nothing.
// Equal loads, the rule in buildings of typical bays, share one load field, formatted
// once; "equal" by their bits, as formatting sees them (-0 is not taken for 0).
void writeLoadPlot(ResultFile& plot, std::span<const float> sortedLoads) {
    constexpr std::size_t kLineLength = kPlotPositionWidth + kPlotLoadWidth + 2;
    constexpr std::size_t kBlockLines = 2048;
    std::array<char, kLineLength * kBlockLines> block;
    std::size_t used = 0;
    PlotPositionField positionField;
    std::array<char, kPlotLoadWidth> loadField;
    const auto point = [&](std::size_t position) {
        if (used == block.size()) {
            plot.write({block.data(), used});
            used = 0;
        }
        char* const line = block.data() + used;
        positionField.moveTo(static_cast<std::int64_t>(position));
        std::memcpy(line, positionField.data(), kPlotPositionWidth);
        std::memcpy(line + kPlotPositionWidth, loadField.data(), kPlotLoadWidth);
        line[kLineLength - 2] = '\r';
        line[kLineLength - 1] = '\n';
        used += kLineLength;
    };
    const std::size_t count = sortedLoads.size();
    for (std::size_t i = 0; i < count; ++i) {
        const float load = sortedLoads[i];
        if (i == 0 ||
            std::bit_cast<std::uint32_t>(load) != std::bit_cast<std::uint32_t>(sortedLoads[i - 1]))
            plotLoadField(load, loadField.data());
        point(i + 1);
        if (i + 1 == count || sortedLoads[i + 1] != load) point(i + 2);
    }
    plot.write({block.data(), used});
}

}  // namespace tamsor
