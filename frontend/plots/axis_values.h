// SPDX-License-Identifier: GPL-3.0-or-later
// The values written along the axes of the plots: round figures (steps of 1,
// 2 or 5 times a power of ten) in the plots' grey, so that a load, a
// position or a variance can be read off.
#ifndef TAMSOR_AXIS_VALUES_H
#define TAMSOR_AXIS_VALUES_H

#include <vector>

#include <QColor>

namespace tamsor {

// The grey of axis values and titles, that of the charts' axes.
inline const QColor kAxisValueColor(0x6B, 0x72, 0x7C);

// The round step that divides 0 to `largest` into at most `most` steps;
// 1 for a largest of 0 or less.
double roundStep(double largest, int most);

// 0, step, 2 step, ... up to `largest`, at most `most` steps.
std::vector<double> roundValues(double largest, int most);

// Isolator positions to mark on an axis of `isolators` isolators: the first,
// then round multiples up to the last one, none crowding the first.
std::vector<int> positionValues(int isolators, int most);

}  // namespace tamsor

#endif
