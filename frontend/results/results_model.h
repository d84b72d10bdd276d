// SPDX-License-Identifier: GPL-3.0-or-later
// ISOLDEF: the record that the program's windows share — the chosen data file
// and technique, and the results model loaded from the result files of the
// last calculation. The main window writes the file and the technique;
// loading writes the results, complete with every figure that a view shows,
// and no view writes them.
#ifndef TAMSOR_RESULTS_MODEL_H
#define TAMSOR_RESULTS_MODEL_H

#include <array>
#include <cstdint>
#include <vector>

#include <QString>

#include "tamsor/domain_limits.h"
#include "tamsor/figure_text.h"
#include "tamsor/load_file.h"
#include "tamsor/technique.h"

namespace tamsor {

// The load plot file has a point per isolator and one more wherever the load
// changes.
inline constexpr std::size_t kPlotPoints = 2 * kMaxProgramIsolators + 1;
inline constexpr int kResultSets = kMaxTypes;  // result set d holds d + 1 types

// A figure per result set d and partition k: [d][k].
template <typename Figure>
using PartitionTable = std::array<std::array<Figure, kResultSets>, kResultSets>;

struct ResultsModel {
    // Full path of the chosen input data file, exactly as chosen: neither cut
    // nor padded, so that a path longer than the engine's 120 characters, or
    // a name that ends with a blank, still names this file. The engine's
    // blank padded form is made at the call.
    QString DataFileName;
    TechniqueId MethodFlag = TechniqueId::kMethod1;

    // The load plot file's points, divided by their maxima: as many as the
    // file holds, indices 0 to PlotLast.
    std::vector<float> PlotX;
    std::vector<float> PlotY;
    float PlotXMax = 0;
    float PlotYMax = 0;
    std::int32_t PlotLast = 0;

    // The sets for 1 to kMaxShownTypes types are loaded.
    std::array<float, kResultSets> SetVariance{};  // divided by SetVarianceMax
    float SetVarianceMax = 0;
    // The pooled variances as the report holds them, undivided: the figures
    // the table, the charts and the report show. Multiplied back, SetVariance
    // can miss the report's last digit (124998752.00 in newtons came back as
    // 124998760.00), one figure with two values.
    std::array<float, kResultSets> SetVarianceReported{};
    std::array<std::int32_t, kResultSets> SetOpCount{};  // 0 where not shown
    PartitionTable<float> PartBound{};  // first positions of the partitions, then N + 1
    PartitionTable<float> PartMean{};   // mean load of partition k + 1
    // The isolators of partition k + 1: the difference of its bounds, to the
    // nearest isolator, halves to the even one.
    PartitionTable<std::int32_t> PartCount{};
    // The largest load of partition k + 1, its design load, and the decimals
    // the data file writes its loads with.
    PartitionTable<float> PartLargest{};
    int LoadDecimals = kMinLoadDecimals;
    // The groupings the last run reached: 1 to SetsReached types. All of them
    // after a complete run; fewer where a run stopped at an empty isolator
    // type, whose later sets stay zero.
    int SetsReached = 0;

    // A figure too wide for its field of the partition report (loads in
    // newtons, say) is written there as asterisks: it is not shown, and its
    // entry above is 0. Shown as the asterisks, left out of plots and charts.
    std::array<bool, kResultSets> SetVarianceNotShown{};
    PartitionTable<bool> PartMeanNotShown{};

    // The data file's loads in file order, with their lines and labels, as
    // read for the last successful calculation: the isolator schedule's source.
    std::vector<LoadRecord> DataLoads;

    // The unit the loads are shown in ("kN", or empty for none): only a
    // label, no value is converted.
    QString LoadUnit = QStringLiteral("kN");

    // Results are only stored when both maxima, which divide the points, are
    // above 0; before the first ones they are 0.
    bool hasResults() const { return PlotXMax > 0 && PlotYMax > 0; }
    // Whether the grouping into `types` types was reached.
    bool reached(int types) const { return types >= 1 && types <= SetsReached; }

    // The pooled variance of result set d as the engine wrote it.
    float pooledVariance(int d) const { return SetVarianceReported[d]; }

    friend bool operator==(const ResultsModel&, const ResultsModel&) = default;
};

// The technique's name as every window shows it.
inline QString techniqueName(TechniqueId id) {
    const std::string_view name = techniqueOf(id).name;
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

}  // namespace tamsor

#endif
