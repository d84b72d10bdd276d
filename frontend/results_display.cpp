#include "results_display.h"

#include <QColor>

#include "canvas.h"
#include "results_table.h"
#include "runtime/cell_text.h"
#include "runtime/checked_arithmetic.h"
#include "runtime/runtime_error.h"

namespace tamsor {
namespace {

const QColor kAxes(0, 0, 0);
const QColor kData(255, 0, 0);
const QColor kOverlay(0, 0, 255);

void draw_load_plot_axes(Canvas& canvas) {
    canvas.drawLine(0, 0, 1, 0, kAxes);
    canvas.drawLine(0, 0, 0, 1, kAxes);
}

// The sorted loads as a staircase through the points of the load plot file.
void draw_load_plot_base(const IsolDef& m, Canvas& canvas) {
    canvas.setPersistent(true);
    canvas.clear();
    // A drawing that stopped at a fault may have left the dashed style on.
    canvas.setDashed(false);
    canvas.setWorldWindow(-0.2, 1.2, -0.2, 1.2);
    draw_load_plot_axes(canvas);
    for (int i = 0; i <= m.PlotLast - 1; ++i)
        canvas.drawLine(m.PlotX(i), m.PlotY(i), m.PlotX(i + 1), m.PlotY(i + 1), kData);
}

// Pooled variance against the number of partitions, 2 to 8.
void draw_variance_plot(const IsolDef& m, Canvas& canvas) {
    canvas.setPersistent(true);
    canvas.clear();
    canvas.setWorldWindow(0, 1.2, -0.2, 1.2);
    canvas.drawLine(0.25, 0, 1, 0, kAxes);
    canvas.drawLine(0.25, 0, 0.25, 1, kAxes);
    for (int p = 2; p <= 7; ++p) {
        const float x = checked_divide(static_cast<float>(p), 8);
        const float next_x = checked_divide(static_cast<float>(p + 1), 8);
        canvas.drawLine(x, m.SetVariance(p - 1), next_x, m.SetVariance(p), kData);
        canvas.setTextPosition(x, -0.05);
        canvas.print(cell_text(std::int64_t{p}));
    }
    canvas.setTextPosition(1, -0.05);
    canvas.print(QStringLiteral("8"));
}

void set_cell(ResultsTable& grid, std::int16_t row, std::int16_t column, const QString& text) {
    grid.setTextArray(Fgi(grid, row, column), text);
}

void fill_table(IsolDef& m, ResultsTable& grid, int partitions) {
    for (std::int16_t row = 1; row <= 8; ++row)
        for (std::int16_t column = 0; column <= 3; ++column)
            set_cell(grid, row, column, QString());
    const int d = partitions - 1;
    for (std::int16_t r = 1; r <= partitions; ++r) {
        set_cell(grid, r, 0, cell_text(std::int64_t{r}));
        m.PartCount(r - 1) =
            round_to_long(checked_subtract(m.PartBound(d, r), m.PartBound(d, r - 1)));
        set_cell(grid, r, 1, cell_text(std::int64_t{m.PartCount(r - 1)}));
        set_cell(grid, r, 2, cell_text(m.PartMean(d, r - 1)));
    }
    set_cell(grid, 1, 3, cell_text(checked_multiply(m.SetVariance(d), m.SetVarianceMax)));
}

// Dashed mean level per partition, 0.4 wide around its middle, and a solid
// line at the start of each partition.
void draw_partition_overlay(const IsolDef& m, Canvas& canvas, int partitions) {
    const int d = partitions - 1;
    draw_load_plot_axes(canvas);
    canvas.setDashed(true);
    for (int r = 1; r <= partitions; ++r) {
        const float level = checked_divide(m.PartMean(d, r - 1), m.PlotYMax);
        const float middle =
            checked_divide(checked_add(checked_divide(m.PartBound(d, r - 1), m.PlotXMax),
                                       checked_divide(m.PartBound(d, r), m.PlotXMax)),
                           2);
        canvas.drawLine(checked_subtract(middle, 0.2f), level, checked_add(middle, 0.2f), level,
                        kOverlay);
    }
    canvas.setDashed(false);
    for (int r = 1; r <= partitions; ++r) {
        const float start = checked_divide(m.PartBound(d, r - 1), m.PlotXMax);
        canvas.drawLine(start, 0, start, 1, kOverlay);
    }
}

}  // namespace

std::int16_t Fgi(const ResultsTable& grid, std::int16_t row, std::int16_t col) {
    const std::int32_t index = std::int32_t{row} * grid.cols() + col;
    if (index < -32768 || index > 32767)
        throw RuntimeError(RuntimeErrorKind::kOverflow, "grid cell index beyond 16 bits");
    return static_cast<std::int16_t>(index);
}

void draw_results(IsolDef& isoldef, const ResultViews& views, int partitions) {
    draw_load_plot_base(isoldef, views.loadPlot);
    draw_variance_plot(isoldef, views.variancePlot);
    fill_table(isoldef, views.table, partitions);
    draw_partition_overlay(isoldef, views.loadPlot, partitions);
    isoldef.ShownPartitions = static_cast<std::int16_t>(partitions);
}

}  // namespace tamsor
