// SPDX-License-Identifier: GPL-3.0-or-later
// The spread of a type held as the positions of its smallest and largest load, and the exact
// order of two such spreads.
#ifndef TAMSOR_SPREAD_SPREAD_ORDER_H
#define TAMSOR_SPREAD_SPREAD_ORDER_H

#include <cmath>
#include <span>

#include "exact_arithmetic.h"

namespace tamsor::spread {

// A type's spread, 1 - loads[smallest] / loads[largest]: 0-based sorted positions.
struct SpreadKey {
    int smallest = 0;
    int largest = 0;
};

// Whether a / b > c / d exactly, for positive finite a <= b and c <= d. The rounded quotients
// decide unless they are equal: rounding never reverses the order of two quotients, only
// merges them. Then a d and c b are compared as exact products, b and d brought to [0.5, 1)
// by powers of two first so that neither product overflows; they would underflow only for
// quotients below about 2^-900.
inline bool ratioAbove(double a, double b, double c, double d) {
    const double first = a / b;
    const double second = c / d;
    // A quotient of 1 is exact: distinct loads are at least 2^-53 apart relative to the
    // larger, a quotient that rounds below 1. Equal loads are common enough to be worth it.
    if (first != second || first == 1) return first > second;
    int bExponent = 0;
    int dExponent = 0;
    const double bScaled = std::frexp(b, &bExponent);
    const double dScaled = std::frexp(d, &dExponent);
    const optimal::DoubleDouble left = optimal::twoProduct(std::ldexp(a, -bExponent), dScaled);
    const optimal::DoubleDouble right = optimal::twoProduct(std::ldexp(c, -dExponent), bScaled);
    // hi is each product rounded, lo exactly what rounding left: the rounded products
    // decide unless they are equal.
    return left.hi > right.hi || (left.hi == right.hi && left.lo > right.lo);
}

// Orders the spreads of types of the same sorted loads.
class SpreadOrder {
  public:
    explicit SpreadOrder(std::span<const double> sortedLoads) : loads_(sortedLoads) {}

    // Whether the spread of `a` is less than that of `b`.
    bool less(SpreadKey a, SpreadKey b) const {
        return ratioAbove(loads_[a.smallest], loads_[a.largest], loads_[b.smallest],
                          loads_[b.largest]);
    }

  private:
    std::span<const double> loads_;
};

}  // namespace tamsor::spread

#endif
