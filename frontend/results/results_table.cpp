// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/results_table.h"

#include <QAbstractTableModel>
#include <QHeaderView>

#include "results/cell_text.h"
#include "tamsor/figure_text.h"

namespace tamsor {
namespace {

// Figures that did not fit their fields of the partition report, shown as there.
const QString kVarianceNotShown(12, QLatin1Char('*'));
const QString kMeanNotShown(10, QLatin1Char('*'));

}  // namespace

QString pooledVarianceText(const ResultsModel& model, int d) {
    return model.SetVarianceNotShown[d] ? kVarianceNotShown
                                        : cellText(meanText(model.pooledVariance(d)));
}

QStringList resultsRow(const ResultsModel& model, int types, int row) {
    const int d = types - 1;
    return {
        cellText(std::int64_t{row + 1}), cellText(std::int64_t{model.PartCount[d][row]}),
        model.PartMeanNotShown[d][row] ? kMeanNotShown : cellText(meanText(model.PartMean[d][row])),
        cellText(loadText(model.PartLargest[d][row], model.LoadDecimals)),
        row == 0 ? pooledVarianceText(model, d) : QString()};
}

QString withUnit(const QString& title, const QString& unit) {
    return unit.isEmpty() ? title : QStringLiteral("%1 (%2)").arg(title, unit);
}

QStringList resultsColumnTitles(const QString& loadUnit) {
    return {QStringLiteral("Number"), withUnit(QStringLiteral("Mean"), loadUnit),
            withUnit(QStringLiteral("Largest"), loadUnit),
            withUnit(QStringLiteral("Variance"),
                     loadUnit.isEmpty() ? loadUnit : loadUnit + QChar(0x00B2))};
}

// The cells as Qt's table view reads them: the type numbers as row headers,
// four columns of figures, all centred. A grouping that the run did not reach
// shows empty rows.
class ResultsTableModel final : public QAbstractTableModel {
  public:
    ResultsTableModel(const ResultsModel& model, QObject* parent)
        : QAbstractTableModel(parent), model_(model) {}

    void setShownTypes(int types) {
        types_ = model_.reached(types) ? types : 0;
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
        emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : kMaxShownTypes;
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : kColumns;
    }
    Qt::ItemFlags flags(const QModelIndex& /*index*/) const override {
        return Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::TextAlignmentRole) return kCentred;
        if (role != Qt::DisplayRole || index.row() >= types_) return {};
        return resultsRow(model_, types_, index.row()).value(index.column() + 1);
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role == Qt::TextAlignmentRole) return kCentred;
        if (role != Qt::DisplayRole) return {};
        if (orientation == Qt::Horizontal)
            return resultsColumnTitles(model_.LoadUnit).value(section);
        return section < types_ ? resultsRow(model_, types_, section).value(0) : QString();
    }

  private:
    static constexpr int kCentred = Qt::AlignHCenter | Qt::AlignVCenter;
    static constexpr int kColumns = 4;

    const ResultsModel& model_;
    int types_ = 0;
};

ResultsTable::ResultsTable(const ResultsModel& model, QWidget* parent)
    : TableView(parent), cells_(new ResultsTableModel(model, this)) {
    setModel(cells_);
    setCornerTitle(QStringLiteral("Partition"));
    // Designed in MS Sans Serif 8.25 pt; where that face is missing the style
    // hint falls back to the system's sans-serif.
    QFont designFont(QStringLiteral("MS Sans Serif"));
    designFont.setPointSizeF(8.25);
    designFont.setStyleHint(QFont::SansSerif);
    setFont(designFont);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    // The header column is as wide as the corner's title and a header's margins.
    verticalHeader()->setMinimumWidth(fontMetrics().horizontalAdvance(cornerTitle()) + 12);
}

void ResultsTable::setShownTypes(int types) {
    cells_->setShownTypes(types);
}

}  // namespace tamsor
