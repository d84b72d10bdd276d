#include "results/results_loading.h"

#include "plots/results_display.h"
#include "run/native_path.h"
#include "run/runtime_error.h"
#include "tamsor/free_form_reader.h"
#include "tamsor/load_file.h"
#include "tamsor/report_reader.h"
#include "tamsor/result_names.h"

namespace tamsor {
namespace {

constexpr std::size_t kSetsLoaded = 8;  // 1 to 8 partitions

// The bytes naming the chosen data file on disk.
std::string dataFilePath(const IsolDef& isoldef) {
    const auto path = nativePath(chosenPath(isoldef));
    if (!path) throw RuntimeError("several files answer to the data file's name");
    return *path;
}

// Only a strictly greater value replaces a maximum, so a maximum stays 0
// when no value exceeds 0.
void readPlotPoints(IsolDef& m, const std::string& path) {
    FreeFormReader plot(path);
    m.PlotXMax = 0;
    m.PlotYMax = 0;
    int i = 0;
    while (!plot.atEnd()) {
        if (i == kPlotPoints) throw RuntimeError("more than 2001 points in " + path);
        m.PlotX[i] = plot.readSingle();
        m.PlotY[i] = plot.readSingle();
        if (m.PlotX[i] > m.PlotXMax) m.PlotXMax = m.PlotX[i];
        if (m.PlotY[i] > m.PlotYMax) m.PlotYMax = m.PlotY[i];
        ++i;
    }
    m.PlotLast = static_cast<std::int16_t>(i - 1);
}

// The report read by its columns: result set d has d + 1 partitions, and a
// figure of asterisks is kept as not shown. The largest pooled variance of
// the sets for 2 to 8 partitions that is shown becomes SetVarianceMax.
void readResultSets(IsolDef& m, const std::string& path) {
    const std::vector<ReportSet> sets = readReport(path);
    if (sets.size() < kSetsLoaded)
        throw RuntimeError(path + ": the report ends after " + std::to_string(sets.size()) +
                           " result sets, before the eighth");
    m.SetVarianceMax = 0;
    for (std::size_t d = 0; d < kSetsLoaded; ++d) {
        const ReportSet& set = sets[d];
        m.SetVarianceNotShown[d] = !set.pooledVariance;
        m.SetVariance[d] = set.pooledVariance.value_or(0);
        // At most nine digits: within 32 bits.
        m.SetOpCount[d] = static_cast<std::int32_t>(set.operationCount.value_or(0));
        if (d >= 1 && m.SetVariance[d] > m.SetVarianceMax) m.SetVarianceMax = m.SetVariance[d];
        for (int k = 0; k <= set.partitionCount; ++k)
            m.PartBound[d][k] = static_cast<float>(set.firstPositions[k]);
        for (int k = 0; k < set.partitionCount; ++k) {
            m.PartMeanNotShown[d][k] = !set.means[k];
            m.PartMean[d][k] = set.means[k].value_or(0);
        }
    }
}

void normalise(IsolDef& m) {
    if (!(m.PlotXMax > 0 && m.PlotYMax > 0))
        throw RuntimeError("no position and no load above 0 in the load plot");
    for (int j = 0; j <= m.PlotLast; ++j) {
        m.PlotX[j] /= m.PlotXMax;
        m.PlotY[j] /= m.PlotYMax;
    }
    // When every set for 2 to 8 partitions that is shown fits its loads
    // exactly (pooled variances 0), or none is shown, there is nothing to
    // scale: the variances are kept as read, and a divisor of 1 restores each
    // of them, that of one partition too.
    if (m.SetVarianceMax == 0) {
        m.SetVarianceMax = 1;
        return;
    }
    for (std::size_t d = 0; d < kSetsLoaded; ++d)
        m.SetVariance[d] /= m.SetVarianceMax;
}

}  // namespace

void loadResults(IsolDef& isoldef) {
    const auto names = resultNamesFor(dataFilePath(isoldef));
    IsolDef loaded = isoldef;
    readPlotPoints(loaded, names.plot);
    readResultSets(loaded, names.report);
    normalise(loaded);
    if (!isDrawable(loaded))
        throw RuntimeError("results beyond single precision in " + names.report);
    isoldef = loaded;
}

void loadDataFileLoads(IsolDef& isoldef) {
    isoldef.DataLoads.clear();
    const std::string path = dataFilePath(isoldef);
    LoadFile file = readLoadFile(path, kMaxIsolators);
    if (!file.ok()) throw RuntimeError(path + ": " + describeLoadFault(file.fault));
    const auto resultLoads = static_cast<std::size_t>(isoldef.PartBound[0][1]) - 1;
    if (file.loads.size() != resultLoads)
        throw RuntimeError(path + ": the loads differ from those of the results");
    isoldef.DataLoads = std::move(file.loads);
}

}  // namespace tamsor
