// SPDX-License-Identifier: GPL-3.0-or-later
#include "plots/axis_values.h"

#include <algorithm>
#include <cmath>

namespace tamsor {

double roundStep(double largest, int most) {
    if (!(largest > 0) || most < 1) return 1;
    const double rough = largest / most;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : {1.0, 2.0, 5.0, 10.0})
        if (factor * power >= rough) return factor * power;
    return 10 * power;
}

std::vector<double> roundValues(double largest, int most) {
    const double step = roundStep(largest, most);
    std::vector<double> values;
    // The last value may fall a rounding short of `largest`.
    for (int i = 0; i * step <= largest * (1 + 1e-9) && i <= most; ++i)
        values.push_back(i * step);
    return values;
}

std::vector<int> positionValues(int isolators, int most) {
    if (isolators < 1) return {};
    std::vector<int> values = {1};
    const auto step = static_cast<int>(std::max(1.0, roundStep(isolators, most)));
    for (int p = step; p <= isolators; p += step)
        if (2 * (p - 1) >= step) values.push_back(p);
    return values;
}

}  // namespace tamsor
