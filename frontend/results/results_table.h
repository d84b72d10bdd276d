// SPDX-License-Identifier: GPL-3.0-or-later
// The results table (MSFlexGrid1): for the number of types shown, one row per
// isolator type, headed by its number, with its isolator count, mean load
// and largest load (its design load), and the pooled variance of the
// grouping in the first row; rows beyond the types shown are empty. The
// headings carry the load unit. Counts in the cell number format, largest
// loads with the data file's decimals, means
// and the pooled variance with two decimals as the report writes them (both
// with the format's leading blank for a figure of zero or more), a figure too
// wide for the report as its asterisks.
#ifndef TAMSOR_RESULTS_TABLE_H
#define TAMSOR_RESULTS_TABLE_H

#include <QStringList>

#include "results/results_model.h"
#include "widgets/table_view.h"

namespace tamsor {

// The texts of type `row` + 1 of the grouping into `types` types: its number,
// isolator count, mean and largest load and, in the first row, the
// grouping's pooled variance.
QStringList resultsRow(const ResultsModel& model, int types, int row);
// The headings of the figure columns, the loads' in `loadUnit` (none when
// empty) and the variance's in its square.
QStringList resultsColumnTitles(const QString& loadUnit);
// "Mean (kN)"; the title alone without a unit.
QString withUnit(const QString& title, const QString& unit);
// The pooled variance of the grouping into d + 1 types.
QString pooledVarianceText(const ResultsModel& model, int d);

class ResultsTableModel;

class ResultsTable : public TableView {
    Q_OBJECT

  public:
    // Reads `model`, which must outlive the table, and never writes it.
    explicit ResultsTable(const ResultsModel& model, QWidget* parent = nullptr);

    // Shows the loaded results for `types` types, 1 to kMaxShownTypes; 0,
    // or a grouping not reached, shows empty rows. Also after a change of
    // the load unit, for the headings.
    void setShownTypes(int types);

  private:
    ResultsTableModel* cells_;
};

}  // namespace tamsor

#endif
