// Drawing the results of the last calculation for a chosen number of
// partitions: the load plot, the variance plot and the results table.
#ifndef TAMSOR_RESULTS_DISPLAY_H
#define TAMSOR_RESULTS_DISPLAY_H

#include <cstdint>

#include <QString>

#include "results/results_model.h"

namespace tamsor {

class Canvas;
class ResultsTable;

// Printed on the variance plot when no variance of 2 to 8 partitions fits
// its field of the report.
inline const QString kVariancesNotShownNote = QStringLiteral("Variances too wide for the report");

struct ResultViews {
    Canvas& loadPlot;      // Picture1
    Canvas& variancePlot;  // Picture2
    ResultsTable& table;   // MSFlexGrid1
};

// Draws the results for `partitions` (P, 1 to 8) and records PartCount and,
// as the very last step, ShownPartitions. Before any results are loaded, or
// for P outside 1 to 8, it draws nothing and changes nothing.
void drawResults(IsolDef& isoldef, const ResultViews& views, int partitions);

// Whether every figure that drawing derives from the results, for every
// number of partitions, is a finite single-precision number and every
// isolator count fits 32 bits: a model to be drawn from without a fault.
bool isDrawable(const IsolDef& isoldef);

// The grid's linear cell index, row x column count + column, the header row
// and column counted.
std::int16_t Fgi(const ResultsTable& grid, std::int16_t row, std::int16_t col);

}  // namespace tamsor

#endif
