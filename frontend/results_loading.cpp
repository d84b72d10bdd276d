#include "results_loading.h"

#include <QFile>

#include "runtime/checked_arithmetic.h"
#include "tamsor/free_form_reader.h"
#include "tamsor/result_names.h"

namespace tamsor {
namespace {

void load_plot_points(IsolDef& m, const std::string& path) {
    FreeFormReader plot(path);
    m.PlotXMax = 0;
    m.PlotYMax = 0;
    int i = 0;
    while (!plot.atEnd()) {
        m.PlotX(i) = plot.readSingle();  // a point beyond index 2000 is an error
        m.PlotY(i) = plot.readSingle();
        if (m.PlotX(i) > m.PlotXMax) m.PlotXMax = m.PlotX(i);
        if (m.PlotY(i) > m.PlotYMax) m.PlotYMax = m.PlotY(i);
        ++i;
    }
    m.PlotLast = static_cast<std::int16_t>(i - 1);
}

void load_result_sets(IsolDef& m, const std::string& path) {
    FreeFormReader report(path);
    m.SetVarianceMax = 0;
    for (int d = 0; d <= 7; ++d) {
        const std::int16_t n = report.readInteger();
        m.SetVariance(d) = report.readSingle();
        m.SetOpCount(d) = report.readLong();
        if (d >= 1 && m.SetVariance(d) > m.SetVarianceMax) m.SetVarianceMax = m.SetVariance(d);
        for (int k = 0; k <= n; ++k)
            m.PartBound(d, k) = report.readSingle();  // k above 8: error
        for (int k = 0; k <= n - 1; ++k)
            m.PartMean(d, k) = report.readSingle();
    }
}

}  // namespace

void load_results(IsolDef& m) {
    const auto names = resultNamesFor(QFile::encodeName(chosen_path(m)).toStdString());

    load_plot_points(m, names.plot);
    for (int j = 0; j <= m.PlotLast; ++j) {
        m.PlotX(j) = checked_divide(m.PlotX(j), m.PlotXMax);
        m.PlotY(j) = checked_divide(m.PlotY(j), m.PlotYMax);
    }

    load_result_sets(m, names.report);
    // When every set for 2 to 8 partitions fits its loads exactly (all pooled
    // variances 0), there is nothing to scale: the variances are kept as read,
    // and a divisor of 1 restores each of them, that of one partition too.
    if (m.SetVarianceMax == 0) {
        m.SetVarianceMax = 1;
        return;
    }
    for (int d = 0; d <= 7; ++d)
        m.SetVariance(d) = checked_divide(m.SetVariance(d), m.SetVarianceMax);
}

}  // namespace tamsor
