// ISOLDEF: the one record shared by the program's windows — the chosen input
// data file and technique, the chart window's choices, and the results model
// loaded from the result files. The program owns one and hands it to the
// windows; only the main window's calculation and drawing write the results.
#ifndef TAMSOR_ISOLDEF_H
#define TAMSOR_ISOLDEF_H

#include <cstdint>

#include <QString>

#include "runtime/checked_array.h"

namespace tamsor {

// Booleans shared between the windows: True = -1, False = 0; any non-zero
// value is taken as True.
using VbBoolean = std::int16_t;
inline constexpr VbBoolean kTrue = -1;
inline constexpr VbBoolean kFalse = 0;

inline constexpr int kDataFileNameLength = 120;
inline constexpr int kPlotPoints = 2001;  // indices 0 to 2000
inline constexpr int kResultSets = 9;     // indices 0 to 8; sets 0 to 7 are loaded

struct IsolDef {
    // Full path of the chosen input data file, blank padded to 120 characters.
    QString DataFileName = QString(kDataFileNameLength, QLatin1Char(' '));
    std::int16_t MethodFlag = 0;  // 0 "Method 1", 1 "Method2"
    VbBoolean ZoomMeanChart = kFalse;
    VbBoolean ZoomMeansShown = kFalse;

    // The load plot file's points, divided by their maxima.
    CheckedArray<float, kPlotPoints> PlotX;
    CheckedArray<float, kPlotPoints> PlotY;
    float PlotXMax = 0;
    float PlotYMax = 0;
    std::int16_t PlotLast = 0;

    // Result set d holds the result for d + 1 partitions.
    CheckedArray<float, kResultSets> SetVariance;  // divided by SetVarianceMax
    float SetVarianceMax = 0;
    CheckedArray<std::int32_t, kResultSets> SetOpCount;
    CheckedMatrix<float, kResultSets, kResultSets> PartBound;  // first positions, then N + 1
    CheckedMatrix<float, kResultSets, kResultSets> PartMean;

    // Written when the results are drawn: the partitioning on display.
    CheckedArray<std::int32_t, kResultSets> PartCount;
    std::int16_t ShownPartitions = 0;
};

// The path without its blank padding.
inline QString chosen_path(const IsolDef& isoldef) {
    QString path = isoldef.DataFileName;
    while (path.endsWith(QLatin1Char(' ')))
        path.chop(1);
    return path;
}

}  // namespace tamsor

#endif
