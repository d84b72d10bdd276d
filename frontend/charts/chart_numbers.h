// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers on charts: the value-axis scale and the text of a value.
#ifndef TAMSOR_CHART_NUMBERS_H
#define TAMSOR_CHART_NUMBERS_H

#include <QList>
#include <QString>

namespace tamsor {

// A value axis from `minimum` to `maximum` with a tick every `step`; all
// three are round numbers (1, 2, 2.5 or 5 times a power of ten).
struct ValueScale {
    double minimum = 0.0;
    double maximum = 1.0;
    double step = 0.2;

    int tickCount() const;  // ticks including both ends
    int decimals() const;   // decimals that the tick texts need
    QString tickText(double value) const;
};

// A scale that holds every value and zero, with some headroom above the
// largest value for its label. Without values (or all zero) it runs 0..1.
ValueScale valueScaleFor(const QList<double>& values);

// A value as shown beside a bar, point or slice: fixed point with
// `decimals` places, rounded as the partition report rounds, so that a mean
// or variance reads as in the results table ("29368.58", "905.00", "12").
QString valueText(double value, int decimals);

// The text beside a pie slice: category, value text and share of the whole
// with one decimal ("1: 12 (6.9 %)"); `share` is a fraction of one.
QString sliceText(const QString& category, const QString& value, double share);

}  // namespace tamsor

#endif
