// Drawing the results of the last calculation for a chosen number of
// partitions: the load plot, the variance plot and the results table.
#ifndef TAMSOR_RESULTS_DISPLAY_H
#define TAMSOR_RESULTS_DISPLAY_H

#include <cstdint>

#include "isoldef.h"

namespace tamsor {

class Canvas;
class ResultsTable;

struct ResultViews {
    Canvas& loadPlot;      // Picture1
    Canvas& variancePlot;  // Picture2
    ResultsTable& table;   // MSFlexGrid1
};

// Draws the results for `partitions` (P, 1 to 8) and records PartCount and,
// as the very last step, ShownPartitions. At the first fault (a division by
// zero, an invalid operation or overflow, an index outside the model, a
// control's refusal) it stops where it stands, leaving what was drawn so far,
// and raises the run-time error.
void draw_results(IsolDef& isoldef, const ResultViews& views, int partitions);

// The grid's linear cell index, row x column count + column, the header row
// and column counted; a result outside 16 bits raises an overflow.
std::int16_t Fgi(const ResultsTable& grid, std::int16_t row, std::int16_t col);

}  // namespace tamsor

#endif
