// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chart_numbers.h"

#include <algorithm>
#include <cmath>

#include "tamsor/figure_text.h"

namespace tamsor {

namespace {

constexpr int kTargetTicks = 6;
constexpr double kLabelHeadroom = 0.08;  // share of the range kept free above the top value

// The round number (1, 2, 2.5, 5 x 10^k) nearest above `rough`.
double roundStep(double rough) {
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : {1.0, 2.0, 2.5, 5.0}) {
        if (factor * magnitude >= rough * (1.0 - 1e-9)) return factor * magnitude;
    }
    return 10.0 * magnitude;
}

}  // namespace

int ValueScale::tickCount() const {
    return static_cast<int>(std::lround((maximum - minimum) / step)) + 1;
}

int ValueScale::decimals() const {
    // Enough decimals that every multiple of the step prints exactly (2.5 needs one more).
    int decimals = std::max(0, -static_cast<int>(std::floor(std::log10(step) + 1e-9)));
    const double scaled = step * std::pow(10.0, decimals);
    if (std::fabs(scaled - std::round(scaled)) > 1e-6) ++decimals;
    return decimals;
}

QString ValueScale::tickText(double value) const {
    if (std::fabs(value) < step * 1e-9) value = 0.0;  // no "-0"
    return QString::number(value, 'f', decimals());
}

ValueScale valueScaleFor(const QList<double>& values) {
    double low = 0.0;
    double high = 0.0;
    for (const double value : values) {
        low = std::min(low, value);
        high = std::max(high, value);
    }
    if (high - low <= 0.0) return ValueScale{};
    if (high > 0.0) high += kLabelHeadroom * (high - low);
    if (low < 0.0) low -= kLabelHeadroom * (high - low);
    const double step = roundStep((high - low) / (kTargetTicks - 1));
    return ValueScale{std::floor(low / step) * step, std::ceil(high / step) * step, step};
}

QString valueText(double value, int decimals) {
    return QString::fromStdString(decimalText(value, decimals));
}

QString sliceText(const QString& category, const QString& value, double share) {
    return QStringLiteral("%1: %2 (%3 %)")
        .arg(category, value, QString::fromStdString(percentText(100.0 * share)));
}

}  // namespace tamsor
