// ISOLDEF: the one record shared by the program's windows — the chosen input
// data file and technique, the chart window's choices, and the results model
// loaded from the result files. The program owns one and hands it to the
// windows; only the main window's calculation and drawing write the results.
#ifndef TAMSOR_ISOLDEF_H
#define TAMSOR_ISOLDEF_H

#include <array>
#include <cstdint>
#include <vector>

#include <QString>

#include "tamsor/load_file.h"

namespace tamsor {

inline constexpr int kPlotPoints = 2001;  // indices 0 to 2000
inline constexpr int kResultSets = 9;     // indices 0 to 8; sets 0 to 7 are loaded
// The MethodFlag of the exact technique, "Optimal"; the classic engine takes 0 and 1.
inline constexpr std::int16_t kOptimalMethodFlag = 2;

using ResultSetTable = std::array<std::array<float, kResultSets>, kResultSets>;

struct IsolDef {
    // Full path of the chosen input data file, exactly as the file dialog
    // reported it: neither cut nor padded, so that a path longer than the
    // engine's 120 characters, or a name that ends with a blank, still names
    // this file. The engine's blank padded form is made at the call.
    QString DataFileName;
    std::int16_t MethodFlag = 0;  // 0 "Method 1", 1 "Method2", 2 "Optimal"
    bool ZoomMeanChart = false;   // the chart window opens on the mean loads, else the variance
    bool ZoomMeansShown = false;  // the chart window's Graph2 shows mean loads, else counts

    // The load plot file's points, divided by their maxima.
    std::array<float, kPlotPoints> PlotX{};
    std::array<float, kPlotPoints> PlotY{};
    float PlotXMax = 0;
    float PlotYMax = 0;
    std::int16_t PlotLast = 0;

    // Result set d holds the result for d + 1 partitions.
    std::array<float, kResultSets> SetVariance{};  // divided by SetVarianceMax
    float SetVarianceMax = 0;
    std::array<std::int32_t, kResultSets> SetOpCount{};  // 0 where not shown
    ResultSetTable PartBound{};  // [d][k]: first positions of the partitions, then N + 1
    ResultSetTable PartMean{};   // [d][k]: mean load of partition k + 1

    // A figure too wide for its field of the partition report (loads in
    // newtons, say) is written there as asterisks: it is not shown, and its
    // entry above is 0. Shown as the asterisks, left out of plots and charts.
    std::array<bool, kResultSets> SetVarianceNotShown{};
    std::array<std::array<bool, kResultSets>, kResultSets> PartMeanNotShown{};  // [d][k]

    // The data file's loads in file order, with their lines and labels, as
    // read for the last successful calculation: the isolator schedule's source.
    std::vector<LoadRecord> DataLoads;

    // Written when the results are drawn: the partitioning on display.
    std::array<std::int32_t, kResultSets> PartCount{};
    std::int16_t ShownPartitions = 0;

    // A load is only stored when both maxima, which divide the points, are
    // above 0; before the first one they are 0.
    bool hasResults() const { return PlotXMax > 0 && PlotYMax > 0; }

    friend bool operator==(const IsolDef&, const IsolDef&) = default;
};

// The chosen data file's path.
inline QString chosenPath(const IsolDef& isoldef) {
    return isoldef.DataFileName;
}

}  // namespace tamsor

#endif
