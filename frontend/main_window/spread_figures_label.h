// SPDX-License-Identifier: GPL-3.0-or-later
// The line under the results table: "Worst spread 12.3 %  ·  capacity above
// need 4.1 %" for the grouping on display, by any technique. It follows the
// main window's signals and reads the shared record's loads and boundaries.
#ifndef TAMSOR_SPREAD_FIGURES_LABEL_H
#define TAMSOR_SPREAD_FIGURES_LABEL_H

#include <QLabel>

namespace tamsor {

struct ResultsModel;

class SpreadFiguresLabel : public QLabel {
    Q_OBJECT

  public:
    explicit SpreadFiguresLabel(const ResultsModel& model, QWidget* parent = nullptr);

    // The figures of the grouping into `types` types of the results loaded.
    void showResults(int types);
    // No results on display: an empty line.
    void clearResults();

  private:
    const ResultsModel& model_;
};

}  // namespace tamsor

#endif
