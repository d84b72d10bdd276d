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

// A value as shown beside a bar, point or slice: up to six significant
// digits, never in exponent form for values of one or more, no trailing
// zeros ("1225.75", "412.5", "12", "45210.5").
QString valueText(double value);

// The text beside a pie slice: category, value and share of the whole
// ("1: 412.5 (6.9 %)"); `share` is a fraction of one.
QString sliceText(const QString& category, double value, double share);

// Significant digits that valueText shows for the largest of `values`.
int valueTextPrecision(const QList<double>& values);

}  // namespace tamsor

#endif
