// Reads the results table cell by cell as designed: row 0 is the header row,
// column 0 the header column, cell (0, 0) the corner.
#ifndef TAMSOR_TESTS_RESULTS_TABLE_CELLS_H
#define TAMSOR_TESTS_RESULTS_TABLE_CELLS_H

#include <QTableWidgetItem>

#include "widgets/results_table.h"

namespace tamsor::testing {

inline QString designCell(const ResultsTable& table, int row, int col) {
    if (row == 0)
        return col == 0 ? table.cornerText() : table.horizontalHeaderItem(col - 1)->text();
    if (col == 0) return table.verticalHeaderItem(row - 1)->text();
    return table.item(row - 1, col - 1)->text();
}

}  // namespace tamsor::testing

#endif
