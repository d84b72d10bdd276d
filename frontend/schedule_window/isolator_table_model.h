// SPDX-License-Identifier: GPL-3.0-or-later
// The isolators of the schedule as a table model: line, load, type and label
// per isolator, each cell's text made when the view asks for it, so that a
// building of 100,000 isolators is on show at once. Sorts by any column
// itself, stably (equal figures keep data file order): numbers as numbers,
// labels as the user's language orders them.
#ifndef TAMSOR_ISOLATOR_TABLE_MODEL_H
#define TAMSOR_ISOLATOR_TABLE_MODEL_H

#include <vector>

#include <QAbstractTableModel>
#include <QStringList>

#include "tamsor/isolator_schedule.h"

namespace tamsor {

class IsolatorTableModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit IsolatorTableModel(QObject* parent = nullptr);

    // Shows `schedule`'s isolators, which must stay unchanged until the next
    // call, in the order last sorted by; nothing for none. The load column's
    // heading names `loadUnit` (none when empty).
    void setSchedule(const IsolatorSchedule* schedule, const QString& loadUnit = {});

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

  private:
    void sortRows();

    const IsolatorSchedule* schedule_ = nullptr;
    QStringList header_;
    std::vector<int> rows_;  // the isolator shown in each row
    int sortColumn_ = 0;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};

}  // namespace tamsor

#endif
