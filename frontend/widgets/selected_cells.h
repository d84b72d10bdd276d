// Copying the selected cells of a table as tab-separated lines, the form a
// spreadsheet takes from the clipboard; shared by every table of the program.
#ifndef TAMSOR_SELECTED_CELLS_H
#define TAMSOR_SELECTED_CELLS_H

#include <QString>

class QAbstractItemView;
class QKeyEvent;

namespace tamsor {

// The selected cells of `view` as tab-separated lines, in the order the view
// shows them, from the top-left to the bottom-right selected cell; cells
// between them that are not selected stay empty, and the blanks around a
// text (the sign blank before a number) are left out.
QString selectedCellsText(const QAbstractItemView& view);

// Puts the selected cells on the clipboard when `event` is the copy key
// (Ctrl+C); returns whether it was.
bool copySelectedCells(const QAbstractItemView& view, QKeyEvent* event);

}  // namespace tamsor

#endif
