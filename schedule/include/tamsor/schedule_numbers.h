// Figures as text, the same in every schedule output and independent of the
// locale: always a decimal point, never a thousands separator or exponent.
#ifndef TAMSOR_SCHEDULE_NUMBERS_H
#define TAMSOR_SCHEDULE_NUMBERS_H

#include <string>

namespace tamsor {

constexpr int kMeanDecimals = 2;     // means, spreads and pooled variances, as in the report
constexpr int kPercentDecimals = 1;  // the largest load's percentage above the mean

// The shortest fixed-point text that reads back as the same float: 1250.5,
// 1000000, 0.1, -42. Empty for an infinite or NaN value.
std::string loadText(float load);

// Fixed point rounded to `decimals` (0 to 20) places: 902.35. Empty for an
// infinite or NaN value.
std::string decimalText(double value, int decimals);

}  // namespace tamsor

#endif
