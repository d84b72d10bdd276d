// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the results table cell by cell as designed: row 0 is the header row,
// column 0 the header column, cell (0, 0) the corner.
#ifndef TAMSOR_TESTS_RESULTS_TABLE_CELLS_H
#define TAMSOR_TESTS_RESULTS_TABLE_CELLS_H

#include "widgets/table_view.h"

namespace tamsor::testing {

inline QString designCell(const TableView& table, int row, int col) {
    const QAbstractItemModel& cells = *table.model();
    if (row == 0)
        return col == 0 ? table.cornerTitle()
                        : cells.headerData(col - 1, Qt::Horizontal).toString();
    if (col == 0) return cells.headerData(row - 1, Qt::Vertical).toString();
    return cells.index(row - 1, col - 1).data().toString();
}

}  // namespace tamsor::testing

#endif
