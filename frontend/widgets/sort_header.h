// SPDX-License-Identifier: GPL-3.0-or-later
// A table's column header whose sort arrow points up for an ascending column
// and down for a descending one, as desktops mark the order shown. Qt's own
// header marks an ascending column "SortDown", which its styles draw as a
// downward arrow (▼) over the smallest value.
#ifndef TAMSOR_SORT_HEADER_H
#define TAMSOR_SORT_HEADER_H

#include <QHeaderView>

namespace tamsor {

class SortHeader : public QHeaderView {
    Q_OBJECT

  public:
    // Clickable and highlighting the sections of the selection, as a table
    // view's own horizontal header.
    explicit SortHeader(QWidget* parent = nullptr);

  protected:
    void initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const override;
};

}  // namespace tamsor

#endif
