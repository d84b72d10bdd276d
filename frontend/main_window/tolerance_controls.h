// SPDX-License-Identifier: GPL-3.0-or-later
// The tolerance of the isolator types' spread: the "Tolerance" field beside
// the techniques, and the line after each calculation that states the fewest
// types within it ("Fewest types within 15.0 %: 5") with a button that shows
// that many types.
//
// The spread of a type is how far its smallest load lies below its largest,
// its design load, in % of it. For Least spread the line gives the true
// minimum, which may exceed 9; for the other techniques the fewest of their own
// groupings whose worst spread keeps the tolerance.
#ifndef TAMSOR_TOLERANCE_CONTROLS_H
#define TAMSOR_TOLERANCE_CONTROLS_H

#include <optional>
#include <vector>

#include <QWidget>

#include "tamsor/calculation.h"

class QDoubleSpinBox;
class QLabel;
class QPushButton;

namespace tamsor {

// "Tolerance:" over a field of 0.0 to 99.9 %, remembered between sessions
// (15.0 at the first start).
class ToleranceField : public QWidget {
    Q_OBJECT

  public:
    explicit ToleranceField(QWidget* parent = nullptr);

    double tolerancePercent() const;
    QDoubleSpinBox* field() const { return field_; }

  signals:
    void toleranceChanged(double percent);

  private:
    QDoubleSpinBox* field_ = nullptr;
};

// The statement of the fewest types within the tolerance for the last
// calculation, and "Show" to move the results on display to that count.
class FewestTypesLine : public QWidget {
    Q_OBJECT

  public:
    explicit FewestTypesLine(QWidget* parent = nullptr);

    // The last run of `calculation` (which succeeded) is the one on display.
    void showCalculation(const CalculationOutcome& calculation, double tolerancePercent);
    // The same results, another tolerance.
    void setTolerance(double tolerancePercent);
    // No results on display: nothing stated.
    void clearResults();

    QPushButton* showButton() const { return showButton_; }

  signals:
    // The user asked to see the fewest types found.
    void typesChosen(int types);

  private:
    void state();

    QLabel* statement_ = nullptr;
    QPushButton* showButton_ = nullptr;
    bool hasResults_ = false;
    bool groupsBySpread_ = false;
    std::vector<float> sortedLoads_;
    std::vector<std::optional<double>> worstSpreads_;  // per result set of the run
    double tolerancePercent_ = 0;
    std::optional<int> fewestTypes_;
};

}  // namespace tamsor

#endif
