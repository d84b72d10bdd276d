// SPDX-License-Identifier: GPL-3.0-or-later
// Figures as text: one format per quantity, the same in the program's
// windows, its PDF report, the CSV and JSON exports, tamsor-batch's outputs
// and the charts, and independent of the locale (always a decimal point,
// never a thousands separator or exponent).
//
// - Loads: with the decimals the data file uses for its loads (loadDecimals),
//   every load of a file with the same number, so that they line up.
// - Means, spreads and pooled variances: two decimals, rounded as the
//   partition report rounds them (from the exact binary value, halves away
//   from zero), so that a mean read from the report shows as the report
//   writes it, and a mean computed from the loads shows as the report would.
// - Percentages: one decimal, rounded the same way. Counts: plain integers.
//
// Unlike the report's fields, a figure below 1 keeps its zero before the
// point (0.50, not .50), as JSON requires and a reader expects.
#ifndef TAMSOR_FIGURE_TEXT_H
#define TAMSOR_FIGURE_TEXT_H

#include <span>
#include <string>

namespace tamsor {

constexpr int kMeanDecimals = 2;     // means, spreads and pooled variances, as in the report
constexpr int kPercentDecimals = 1;  // the largest load's percentage above the mean
// Loads carry at least one decimal, so that a whole load reads as a load
// (1569.0) beside 1440.2, and at most six, a millionth of the load unit:
// more than that is beyond what a single-precision load holds.
constexpr int kMinLoadDecimals = 1;
constexpr int kMaxLoadDecimals = 6;

// Fixed point rounded to `decimals` (0 to 20) places from the exact binary
// value, halves away from zero: 902.35, 0.50, -1.25. No minus sign when
// every digit is zero. Empty for an infinite or NaN value.
std::string decimalText(double value, int decimals);

inline std::string meanText(double mean) {
    return decimalText(mean, kMeanDecimals);
}
inline std::string percentText(double percent) {
    return decimalText(percent, kPercentDecimals);
}

// The decimals the data file uses for its loads: the most decimals any of
// its loads needs to be written as read (its shortest form that reads back as
// the same single-precision value: 1569.0 needs none, 1440.25 two), at least
// kMinLoadDecimals and at most kMaxLoadDecimals. Trailing zeros in the file
// do not count: "1500.00" is the load 1500, as the engine reads it.
int loadDecimals(std::span<const float> loads);

// A load with `decimals` places (kMinLoadDecimals to kMaxLoadDecimals): its
// shortest form padded with zeros (1569 with one decimal: 1569.0), rounded
// as above only where it needs more. Empty for an infinite or NaN value.
std::string loadText(float load, int decimals);

}  // namespace tamsor

#endif
