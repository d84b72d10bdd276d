// SPDX-License-Identifier: GPL-3.0-or-later
// The cell number format of the results table and the plot labels: a leading
// blank for zero or more, a minus for less; integers as plain digits; a figure
// of the results in its quantity's format after the blank; other reals to
// seven significant digits without trailing zeros and without a zero before
// the point (1234.5 gives " 1234.5", 0.5 gives " .5", 3 gives " 3").
#ifndef TAMSOR_CELL_TEXT_H
#define TAMSOR_CELL_TEXT_H

#include <cstdint>
#include <string>

#include <QString>

namespace tamsor {

QString cellText(std::int64_t value);
// A figure already written in its quantity's format (figure_text.h: a mean
// or pooled variance with two decimals) with the table's sign blank:
// " 905.00", "-12.50".
QString cellText(const std::string& figure);
// Magnitudes from 1e-5 to below 1e7 are written in fixed point; others as a
// mantissa and a two-digit exponent (" 1.234568E+07", " 1E-06").
QString cellText(float value);

}  // namespace tamsor

#endif
