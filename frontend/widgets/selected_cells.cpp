#include "widgets/selected_cells.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QRect>
#include <QStringList>

namespace tamsor {

QString selectedCellsText(const QAbstractItemView& view) {
    const QItemSelectionModel* selection = view.selectionModel();
    if (selection == nullptr) return {};
    QRect area;  // x: columns, y: rows
    for (const QModelIndex& index : selection->selectedIndexes())
        area |= QRect(index.column(), index.row(), 1, 1);
    const QAbstractItemModel& model = *selection->model();
    QStringList lines;
    for (int row = area.top(); row <= area.bottom(); ++row) {
        QStringList fields;
        for (int col = area.left(); col <= area.right(); ++col) {
            const QModelIndex index = model.index(row, col);
            fields << (selection->isSelected(index) ? index.data().toString().trimmed()
                                                    : QString());
        }
        lines << fields.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n'));
}

bool copySelectedCells(const QAbstractItemView& view, QKeyEvent* event) {
    if (!event->matches(QKeySequence::Copy)) return false;
    QGuiApplication::clipboard()->setText(selectedCellsText(view));
    event->accept();
    return true;
}

}  // namespace tamsor
