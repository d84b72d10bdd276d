// SPDX-License-Identifier: GPL-3.0-or-later
// The contents of the result files: a result set as two report lines, the
// sorted loads as the points of the load plot file. Every technique writes
// its results through these, so their files are alike to the byte.
#ifndef TAMSOR_RESULT_SET_FORMAT_H
#define TAMSOR_RESULT_SET_FORMAT_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "tamsor/number_fields.h"
#include "tamsor/report_layout.h"
#include "tamsor/safe_result_files.h"
#include "tamsor/text_digest.h"

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

// The text of the load plot file for loads sorted ascending, the step curve:
// (i, load i) for every load, and (i + 1, load i) where the next load differs
// and after the last. Made a block of whole lines at a time, into a buffer of
// its own, so that the writer writes in few calls and the reading back of a
// plot file compares with it without allocating.
class LoadPlotText {
  public:
    static constexpr std::size_t kLineLength =
        report_layout::kPlotPositionWidth + report_layout::kPlotLoadWidth + 2;
    static constexpr std::size_t kBlockLines = 2048;

    explicit LoadPlotText(std::span<const float> sortedLoads) : loads_(sortedLoads) {}

    // The next lines, each with its CR LF; empty after the last.
    std::string_view nextBlock();

  private:
    void point(std::int64_t position);

    std::span<const float> loads_;
    std::size_t next_ = 0;  // the load whose points come next
    std::size_t used_ = 0;
    // The position field of the last point, counted up in place.
    std::int64_t position_ = -1;
    std::array<char, report_layout::kPlotPositionWidth> positionField_{};
    std::array<char, report_layout::kPlotLoadWidth> loadField_{};
    std::array<char, kLineLength * kBlockLines> block_;
};

// Writes the text of LoadPlotText.
void writeLoadPlot(ResultFile& plot, std::span<const float> sortedLoads);
// The same, adding the text to `digest` as it is written.
void writeLoadPlot(ResultFile& plot, std::span<const float> sortedLoads, TextDigest& digest);

}  // namespace tamsor

#endif
