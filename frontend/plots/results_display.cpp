#include "plots/results_display.h"

#include <cmath>

#include <QColor>

#include "results/cell_text.h"
#include "widgets/canvas.h"
#include "widgets/results_table.h"

namespace tamsor {
namespace {

const QColor kAxes(0, 0, 0);
const QColor kData(255, 0, 0);
const QColor kOverlay(0, 0, 255);

// A variance point without a shown neighbour is drawn as a level this wide
// on either side, so that it can be seen.
constexpr float kLonePointHalfWidth = 0.02f;
// Figures that did not fit their fields of the report, shown as there.
const QString kVarianceNotShown(12, QLatin1Char('*'));
const QString kMeanNotShown(10, QLatin1Char('*'));

// Partition r (1 to d + 1) of result set d as drawn, in single precision:
// its isolator count before rounding, its mean level and its start and
// middle on the axes of the normalised points.
struct PartitionFigures {
    float count;
    float level;
    float start;
    float middle;
};

PartitionFigures figuresOf(const IsolDef& m, int d, int r) {
    const float start = m.PartBound[d][r - 1] / m.PlotXMax;
    const float end = m.PartBound[d][r] / m.PlotXMax;
    return {m.PartBound[d][r] - m.PartBound[d][r - 1], m.PartMean[d][r - 1] / m.PlotYMax, start,
            (start + end) / 2};
}

// The pooled variance of result set d as the engine wrote it.
float restoredVariance(const IsolDef& m, int d) {
    return m.SetVariance[d] * m.SetVarianceMax;
}

void drawLoadPlotAxes(Canvas& canvas) {
    canvas.drawLine(0, 0, 1, 0, kAxes);
    canvas.drawLine(0, 0, 0, 1, kAxes);
}

// The sorted loads as a staircase through the points of the load plot file.
void drawLoadPlotBase(const IsolDef& m, Canvas& canvas) {
    canvas.setPersistent(true);
    canvas.clear();
    canvas.setWorldWindow(-0.2, 1.2, -0.2, 1.2);
    drawLoadPlotAxes(canvas);
    for (int i = 0; i <= m.PlotLast - 1; ++i)
        canvas.drawLine(m.PlotX[i], m.PlotY[i], m.PlotX[i + 1], m.PlotY[i + 1], kData);
}

bool varianceShown(const IsolDef& m, int p) {
    return p >= 2 && p <= 8 && !m.SetVarianceNotShown[p - 1];
}

// The line from the variance of p partitions to that of p + 1, or a short
// level at a point without a shown neighbour; nothing for a variance not
// shown (too wide for the report).
void drawVarianceFrom(const IsolDef& m, Canvas& canvas, int p) {
    if (!varianceShown(m, p)) return;
    const float x = static_cast<float>(p) / 8;
    if (varianceShown(m, p + 1))
        canvas.drawLine(x, m.SetVariance[p - 1], static_cast<float>(p + 1) / 8, m.SetVariance[p],
                        kData);
    else if (!varianceShown(m, p - 1))
        canvas.drawLine(x - kLonePointHalfWidth, m.SetVariance[p - 1], x + kLonePointHalfWidth,
                        m.SetVariance[p - 1], kData);
}

// Pooled variance against the number of partitions, 2 to 8; when no
// variance is shown, a note says why the plot is empty.
void drawVariancePlot(const IsolDef& m, Canvas& canvas) {
    canvas.setPersistent(true);
    canvas.clear();
    canvas.setWorldWindow(0, 1.2, -0.2, 1.2);
    canvas.drawLine(0.25, 0, 1, 0, kAxes);
    canvas.drawLine(0.25, 0, 0.25, 1, kAxes);
    bool anyShown = false;
    for (int p = 2; p <= 8; ++p)
        anyShown = anyShown || varianceShown(m, p);
    for (int p = 2; p <= 7; ++p) {
        drawVarianceFrom(m, canvas, p);
        canvas.setTextPosition(static_cast<float>(p) / 8, -0.05);
        canvas.print(cellText(std::int64_t{p}));
    }
    drawVarianceFrom(m, canvas, 8);
    canvas.setTextPosition(1, -0.05);
    canvas.print(QStringLiteral("8"));
    if (!anyShown) {
        canvas.setTextPosition(0.3, 0.6);
        canvas.print(kVariancesNotShownNote);
    }
}

void setCell(ResultsTable& grid, std::int16_t row, std::int16_t col, const QString& text) {
    grid.setTextArray(Fgi(grid, row, col), text);
}

void fillTable(IsolDef& m, ResultsTable& grid, int partitions) {
    for (std::int16_t row = 1; row <= 8; ++row)
        for (std::int16_t col = 0; col <= 3; ++col)
            setCell(grid, row, col, QString());
    const int d = partitions - 1;
    for (std::int16_t r = 1; r <= partitions; ++r) {
        setCell(grid, r, 0, cellText(std::int64_t{r}));
        // To the nearest isolator, halves to the even neighbour.
        m.PartCount[r - 1] = static_cast<std::int32_t>(std::nearbyint(figuresOf(m, d, r).count));
        setCell(grid, r, 1, cellText(std::int64_t{m.PartCount[r - 1]}));
        setCell(grid, r, 2,
                m.PartMeanNotShown[d][r - 1] ? kMeanNotShown : cellText(m.PartMean[d][r - 1]));
    }
    setCell(grid, 1, 3,
            m.SetVarianceNotShown[d] ? kVarianceNotShown : cellText(restoredVariance(m, d)));
}

// Dashed mean level per partition, 0.4 wide around its middle (none for a
// mean not shown), and a solid line at the start of each partition.
void drawPartitionOverlay(const IsolDef& m, Canvas& canvas, int partitions) {
    const int d = partitions - 1;
    drawLoadPlotAxes(canvas);
    canvas.setDashed(true);
    for (int r = 1; r <= partitions; ++r) {
        if (m.PartMeanNotShown[d][r - 1]) continue;
        const PartitionFigures f = figuresOf(m, d, r);
        canvas.drawLine(f.middle - 0.2f, f.level, f.middle + 0.2f, f.level, kOverlay);
    }
    canvas.setDashed(false);
    for (int r = 1; r <= partitions; ++r) {
        const float start = figuresOf(m, d, r).start;
        canvas.drawLine(start, 0, start, 1, kOverlay);
    }
}

}  // namespace

std::int16_t Fgi(const ResultsTable& grid, std::int16_t row, std::int16_t col) {
    return static_cast<std::int16_t>(row * grid.cols() + col);
}

bool isDrawable(const IsolDef& m) {
    if (!m.hasResults()) return false;
    for (int i = 0; i <= m.PlotLast; ++i)
        if (!std::isfinite(m.PlotX[i]) || !std::isfinite(m.PlotY[i])) return false;
    for (int d = 0; d <= 7; ++d) {
        if (!m.SetVarianceNotShown[d] &&
            !(std::isfinite(m.SetVariance[d]) && std::isfinite(restoredVariance(m, d))))
            return false;
        for (int r = 1; r <= d + 1; ++r) {
            // A finite middle needs a finite start and end.
            const PartitionFigures f = figuresOf(m, d, r);
            if (!(std::fabs(f.count) < 2147483648.0f) || !std::isfinite(f.middle) ||
                (!m.PartMeanNotShown[d][r - 1] && !std::isfinite(f.level)))
                return false;
        }
    }
    return true;
}

void drawResults(IsolDef& isoldef, const ResultViews& views, int partitions) {
    if (!isoldef.hasResults() || partitions < 1 || partitions > 8) return;
    drawLoadPlotBase(isoldef, views.loadPlot);
    drawVariancePlot(isoldef, views.variancePlot);
    fillTable(isoldef, views.table, partitions);
    drawPartitionOverlay(isoldef, views.loadPlot, partitions);
    isoldef.ShownPartitions = static_cast<std::int16_t>(partitions);
}

}  // namespace tamsor
