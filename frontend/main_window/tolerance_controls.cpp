// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/tolerance_controls.h"

#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

#include "tamsor/grouping_spread.h"

namespace tamsor {
namespace {

const QString kToleranceKey = QStringLiteral("Spread/tolerancePercent");
constexpr double kFirstTolerance = 15.0;

}  // namespace

ToleranceField::ToleranceField(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    field_ = new QDoubleSpinBox;
    field_->setObjectName(QStringLiteral("Tolerance"));
    field_->setRange(0.0, kMaxTolerancePercent);
    field_->setDecimals(1);
    field_->setSingleStep(1.0);
    field_->setSuffix(QStringLiteral(" %"));
    // The field's text follows no locale: 15.0, as every figure of the program.
    field_->setLocale(QLocale::c());
    field_->setAccessibleName(QStringLiteral("Tolerance"));
    field_->setAccessibleDescription(
        QStringLiteral("How far, in %, the lightest isolator of a type may lie below its design "
                       "load"));
    field_->setValue(QSettings().value(kToleranceKey, kFirstTolerance).toDouble());
    auto* title = new QLabel(QStringLiteral("&Tolerance:"));
    title->setBuddy(field_);
    layout->addWidget(title);
    layout->addWidget(field_);
    connect(field_, &QDoubleSpinBox::valueChanged, this, [this](double percent) {
        QSettings().setValue(kToleranceKey, percent);
        emit toleranceChanged(percent);
    });
}

double ToleranceField::tolerancePercent() const {
    return field_->value();
}

FewestTypesLine::FewestTypesLine(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    statement_ = new QLabel;
    statement_->setObjectName(QStringLiteral("FewestTypes"));
    statement_->setAccessibleName(QStringLiteral("Fewest types within the tolerance"));
    statement_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    showButton_ = new QPushButton(QStringLiteral("S&how"));
    showButton_->setObjectName(QStringLiteral("ShowFewest"));
    showButton_->setAccessibleName(QStringLiteral("Show the fewest types"));
    layout->addWidget(statement_, 1);
    layout->addWidget(showButton_);
    connect(showButton_, &QPushButton::clicked, this, [this] {
        if (fewestTypes_) emit typesChosen(*fewestTypes_);
    });
    clearResults();
}

void FewestTypesLine::showCalculation(const CalculationOutcome& calculation,
                                      double tolerancePercent) {
    const TechniqueRun& run = calculation.runs.back();
    groupsBySpread_ = techniqueOf(run.technique).groupsBySpread;
    sortedLoads_ = calculation.sortedLoads;
    worstSpreads_.clear();
    const GroupingSpreads spreads(sortedLoads_);
    for (const ReportSet& set : run.sets) {
        const auto figures = spreads.of(set.firstPositions);
        worstSpreads_.push_back(figures ? std::optional(figures->worstSpreadPercent)
                                        : std::nullopt);
    }
    hasResults_ = true;
    setTolerance(tolerancePercent);
}

void FewestTypesLine::setTolerance(double tolerancePercent) {
    tolerancePercent_ = tolerancePercent;
    if (hasResults_) state();
}

void FewestTypesLine::clearResults() {
    hasResults_ = false;
    fewestTypes_.reset();
    statement_->clear();
    showButton_->setEnabled(false);
}

void FewestTypesLine::state() {
    const ToleranceFinding finding = groupsBySpread_
                                         ? fewestTypesOfLoads(sortedLoads_, tolerancePercent_)
                                         : fewestOwnTypesWithin(worstSpreads_, tolerancePercent_);
    fewestTypes_ = finding.fewestTypes;
    statement_->setText(QString::fromStdString(toleranceStatement(finding)));
    // The scroll bar shows 1 to kMaxShownTypes types.
    showButton_->setEnabled(fewestTypes_ && *fewestTypes_ >= 1 && *fewestTypes_ <= kMaxShownTypes);
}

}  // namespace tamsor
