// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedule_window/isolator_table_model.h"

#include <algorithm>
#include <numeric>

#include <QCollator>

#include "schedule_window/schedule_tables.h"
#include "tamsor/figure_text.h"

namespace tamsor {
namespace {

enum Column { kLine, kLoad, kType, kLabel };

}  // namespace

IsolatorTableModel::IsolatorTableModel(QObject* parent)
    : QAbstractTableModel(parent), header_(isolatorsTable(IsolatorSchedule{}, {}).header) {}

void IsolatorTableModel::setSchedule(const IsolatorSchedule* schedule, const QString& loadUnit) {
    beginResetModel();
    schedule_ = schedule;
    header_ = isolatorsTable(IsolatorSchedule{}, loadUnit).header;
    sortRows();
    endResetModel();
}

int IsolatorTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int IsolatorTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(header_.size());
}

QVariant IsolatorTableModel::data(const QModelIndex& index, int role) const {
    if (schedule_ == nullptr || !index.isValid() ||
        static_cast<std::size_t>(index.row()) >= rows_.size())
        return {};
    const ScheduledIsolator& isolator =
        schedule_
            ->isolators[static_cast<std::size_t>(rows_[static_cast<std::size_t>(index.row())])];
    if (role == Qt::TextAlignmentRole)
        return index.column() == kLabel ? QVariant() : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    switch (index.column()) {
        case kLine:
            return QString::number(isolator.line);
        case kLoad:
            return QString::fromStdString(loadText(isolator.load, schedule_->loadDecimals));
        case kType:
            return QString::number(isolator.type);
        case kLabel:
            return QString::fromStdString(isolator.label);
    }
    return {};
}

QVariant IsolatorTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < header_.size())
        return header_[section];
    if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole && section != kLabel)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void IsolatorTableModel::sort(int column, Qt::SortOrder order) {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    sortColumn_ = column;
    sortOrder_ = order;
    sortRows();
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void IsolatorTableModel::sortRows() {
    rows_.clear();
    if (schedule_ == nullptr) return;
    const auto& isolators = schedule_->isolators;
    rows_.resize(isolators.size());
    std::iota(rows_.begin(), rows_.end(), 0);
    const auto sortBy = [&](auto key) {
        const auto before = [&](int a, int b) {
            return sortOrder_ == Qt::AscendingOrder ? key(a) < key(b) : key(b) < key(a);
        };
        std::stable_sort(rows_.begin(), rows_.end(), before);
    };
    const auto at = [&](int row) -> const ScheduledIsolator& {
        return isolators[static_cast<std::size_t>(row)];
    };
    switch (sortColumn_) {
        case kLine:
            return sortBy([&](int row) { return at(row).line; });
        case kLoad:
            return sortBy([&](int row) { return at(row).load; });
        case kType:
            return sortBy([&](int row) { return at(row).type; });
        case kLabel: {
            // Each label's key made once, not at every comparison.
            QCollator collator;
            std::vector<QCollatorSortKey> keys;
            keys.reserve(isolators.size());
            for (const ScheduledIsolator& isolator : isolators)
                keys.push_back(collator.sortKey(QString::fromStdString(isolator.label)));
            const auto before = [&](int a, int b) {
                const auto& first =
                    keys[static_cast<std::size_t>(sortOrder_ == Qt::AscendingOrder ? a : b)];
                const auto& second =
                    keys[static_cast<std::size_t>(sortOrder_ == Qt::AscendingOrder ? b : a)];
                return first.compare(second) < 0;
            };
            std::stable_sort(rows_.begin(), rows_.end(), before);
            return;
        }
    }
}

}  // namespace tamsor
