// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/sort_header.h"

#include <QStyleOptionHeader>

namespace tamsor {

SortHeader::SortHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setSectionsClickable(true);
    setHighlightSections(true);
}

void SortHeader::initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const {
    QHeaderView::initStyleOptionForIndex(option, logicalIndex);
    if (!isSortIndicatorShown() || sortIndicatorSection() != logicalIndex) return;
    option->sortIndicator = sortIndicatorOrder() == Qt::AscendingOrder
                                ? QStyleOptionHeader::SortUp
                                : QStyleOptionHeader::SortDown;
}

}  // namespace tamsor
