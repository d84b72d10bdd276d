// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/table_view.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionHeader>

namespace tamsor {

TableView::TableView(QWidget* parent) : QTableView(parent) {
    setEditTriggers(NoEditTriggers);
    setTabKeyNavigation(false);
    corner_ = findChild<QAbstractButton*>();
    corner_->installEventFilter(this);
}

void TableView::setCornerTitle(const QString& title) {
    cornerTitle_ = title;
    corner_->update();
}

QString TableView::selectedText() const {
    const QItemSelectionModel* selection = selectionModel();
    if (selection == nullptr) return {};
    QRect area;  // x: columns, y: rows
    for (const QModelIndex& index : selection->selectedIndexes())
        area |= QRect(index.column(), index.row(), 1, 1);
    QStringList lines;
    for (int row = area.top(); row <= area.bottom(); ++row) {
        QStringList fields;
        for (int col = area.left(); col <= area.right(); ++col) {
            const QModelIndex index = model()->index(row, col);
            fields << (selection->isSelected(index) ? index.data().toString().trimmed()
                                                    : QString());
        }
        lines << fields.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n'));
}

void TableView::keyPressEvent(QKeyEvent* event) {
    if (!event->matches(QKeySequence::Copy)) return QTableView::keyPressEvent(event);
    QGuiApplication::clipboard()->setText(selectedText());
    event->accept();
}

bool TableView::eventFilter(QObject* watched, QEvent* event) {
    if (watched != corner_ || event->type() != QEvent::Paint || cornerTitle_.isEmpty())
        return QTableView::eventFilter(watched, event);
    QStyleOptionHeader option;
    option.initFrom(corner_);
    option.rect = corner_->rect();
    option.text = cornerTitle_;
    option.textAlignment = Qt::AlignCenter;
    option.position = QStyleOptionHeader::OnlyOneSection;
    QPainter painter(corner_);
    corner_->style()->drawControl(QStyle::CE_Header, &option, &painter, corner_);
    return true;
}

}  // namespace tamsor
