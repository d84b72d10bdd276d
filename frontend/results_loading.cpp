#include "results_loading.h"

#include <QFile>

#include "results_display.h"
#include "runtime_error.h"
#include "tamsor/free_form_reader.h"
#include "tamsor/load_file.h"
#include "tamsor/result_names.h"

namespace tamsor {
namespace {

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

void readResultSets(IsolDef& m, const std::string& path) {
    FreeFormReader report(path);
    m.SetVarianceMax = 0;
    for (int d = 0; d <= 7; ++d) {
        const std::int16_t n = report.readInteger();
        m.SetVariance[d] = report.readSingle();
        m.SetOpCount[d] = report.readLong();
        if (n > 8) throw RuntimeError("a result set of more than 8 partitions in " + path);
        if (d >= 1 && m.SetVariance[d] > m.SetVarianceMax) m.SetVarianceMax = m.SetVariance[d];
        for (int k = 0; k <= n; ++k)
            m.PartBound[d][k] = report.readSingle();
        for (int k = 0; k <= n - 1; ++k)
            m.PartMean[d][k] = report.readSingle();
    }
}

void normalise(IsolDef& m) {
    if (!(m.PlotXMax > 0 && m.PlotYMax > 0))
        throw RuntimeError("no position and no load above 0 in the load plot");
    for (int j = 0; j <= m.PlotLast; ++j) {
        m.PlotX[j] /= m.PlotXMax;
        m.PlotY[j] /= m.PlotYMax;
    }
    // When every set for 2 to 8 partitions fits its loads exactly (all pooled
    // variances 0), there is nothing to scale: the variances are kept as read,
    // and a divisor of 1 restores each of them, that of one partition too.
    if (m.SetVarianceMax == 0) {
        m.SetVarianceMax = 1;
        return;
    }
    for (int d = 0; d <= 7; ++d)
        m.SetVariance[d] /= m.SetVarianceMax;
}

}  // namespace

void loadResults(IsolDef& isoldef) {
    const auto names = resultNamesFor(QFile::encodeName(chosenPath(isoldef)).toStdString());
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
    const std::string path = QFile::encodeName(chosenPath(isoldef)).toStdString();
    LoadFile file = readLoadFile(path, kMaxIsolators);
    if (!file.ok()) throw RuntimeError(path + ": " + describeLoadFault(file.fault));
    const auto resultLoads = static_cast<std::size_t>(isoldef.PartBound[0][1]) - 1;
    if (file.loads.size() != resultLoads)
        throw RuntimeError(path + ": the loads differ from those of the results");
    isoldef.DataLoads = std::move(file.loads);
}

}  // namespace tamsor
