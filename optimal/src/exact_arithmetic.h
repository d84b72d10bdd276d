// SPDX-License-Identifier: GPL-3.0-or-later
// Error-free transformations: a sum or product of two doubles held exactly as an
// unevaluated pair hi + lo. They need round-to-nearest and no fused multiply-add
// contraction (the library is built with -ffp-contract=off).
#ifndef TAMSOR_OPTIMAL_EXACT_ARITHMETIC_H
#define TAMSOR_OPTIMAL_EXACT_ARITHMETIC_H

namespace tamsor::optimal {

struct DoubleDouble {
    double hi = 0;
    double lo = 0;
};

// a + b exactly, for any order of magnitude.
inline DoubleDouble twoSum(double a, double b) {
    const double sum = a + b;
    const double bPart = sum - a;
    const double aPart = sum - bPart;
    return {sum, (a - aPart) + (b - bPart)};
}

// a * b exactly (Dekker's product with Veltkamp's split), for |a|, |b| well below 2^996.
inline DoubleDouble twoProduct(double a, double b) {
    constexpr double kSplitter = 134217729.0;  // 2^27 + 1
    const double aScaled = kSplitter * a;
    const double aHigh = aScaled - (aScaled - a);
    const double aLow = a - aHigh;
    const double bScaled = kSplitter * b;
    const double bHigh = bScaled - (bScaled - b);
    const double bLow = b - bHigh;
    const double product = a * b;
    return {product, ((aHigh * bHigh - product) + aHigh * bLow + aLow * bHigh) + aLow * bLow};
}

// A running sum carried as hi + lo: the rounding error of every addition is kept, so the
// total is as accurate as if it were summed in twice the precision.
class CompensatedSum {
  public:
    void add(double value) {
        const DoubleDouble sum = twoSum(total_.hi, value);
        total_ = {sum.hi, total_.lo + sum.lo};
    }
    void add(DoubleDouble value) {
        add(value.hi);
        total_.lo += value.lo;
    }
    // Normalised: hi is the sum rounded to double, lo what remains.
    DoubleDouble value() const { return twoSum(total_.hi, total_.lo); }

  private:
    DoubleDouble total_;
};

}  // namespace tamsor::optimal

#endif
