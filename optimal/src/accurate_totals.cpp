// SPDX-License-Identifier: GPL-3.0-or-later
#include "accurate_totals.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tamsor::optimal {

AccurateTotals::AccurateTotals(const ShiftedLoads& loads)
    : loads_(loads),
      noisePerLayer_(
          std::ldexp(loads.squareSum() + loads.largestLoad() * loads.largestSum(), -96)) {}

double AccurateTotals::rowValues(int row, int first, int last, double* values) const {
    double least = std::numeric_limits<double>::infinity();
    for (int a = first; a <= last; ++a) {
        const double value = previousTotals_[a] + cost(a, row);
        values[a - first] = value;
        least = std::min(least, value);
    }
    return least;
}

}  // namespace tamsor::optimal
