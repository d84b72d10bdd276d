// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/figure_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <stdexcept>
#include <string_view>

namespace tamsor {
namespace {

// Room for the 309 integer digits of the largest double, a sign, a point and 20 decimals.
using Digits = std::array<char, 340>;

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9, 1e10,
                                   1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20};

// The digits of |value| x 10^decimals rounded to a whole number, halves away
// from zero. The product is rounded to double; fma gives its rounding error
// exactly, so a tie is told from a value just below or above it. Past 2^52
// there is no fraction left to round, and to_chars writes the exact digits.
std::string scaledDigits(double magnitude, int decimals) {
    Digits text;
    const double scale = kPowersOfTen[decimals];
    const double product = magnitude * scale;
    if (!(product < 0x1p52)) {
        const auto written = std::to_chars(text.data(), text.data() + text.size(), magnitude,
                                           std::chars_format::fixed, decimals);
        std::string digits(text.data(), written.ptr);
        std::erase(digits, '.');
        return digits;
    }
    const double error = std::fma(magnitude, scale, -product);
    double whole = std::floor(product);
    const double fraction = product - whole;  // exact below 2^52
    if (fraction > 0.5 || (fraction == 0.5 && error >= 0)) whole += 1;
    const auto written =
        std::to_chars(text.data(), text.data() + text.size(), whole, std::chars_format::fixed, 0);
    return {text.data(), written.ptr};
}

// The shortest fixed-point text that reads back as the same float: 1250.5, 1000000, -0.
std::string shortestText(float value) {
    Digits text;
    const auto written =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    return {text.data(), written.ptr};
}

int decimalsOf(std::string_view text) {
    const std::size_t point = text.find('.');
    return point == std::string_view::npos ? 0 : static_cast<int>(text.size() - point - 1);
}

}  // namespace

std::string decimalText(double value, int decimals) {
    if (decimals < 0 || decimals > 20) throw std::invalid_argument("decimals must be 0 to 20");
    if (!std::isfinite(value)) return {};
    std::string digits = scaledDigits(std::fabs(value), decimals);
    const auto places = static_cast<std::size_t>(decimals);
    if (digits.size() <= places) digits.insert(0, places + 1 - digits.size(), '0');
    if (places > 0) digits.insert(digits.size() - places, 1, '.');
    const bool zero = digits.find_first_not_of("0.") == std::string::npos;
    if (value < 0 && !zero) digits.insert(0, 1, '-');
    return digits;
}

int loadDecimals(std::span<const float> loads) {
    int decimals = kMinLoadDecimals;
    for (const float load : loads)
        if (std::isfinite(load)) decimals = std::max(decimals, decimalsOf(shortestText(load)));
    return std::min(decimals, kMaxLoadDecimals);
}

std::string loadText(float load, int decimals) {
    if (!std::isfinite(load)) return {};
    std::string text = shortestText(load);
    const int has = decimalsOf(text);
    if (has > decimals) return decimalText(load, decimals);
    if (has == 0 && decimals > 0) text += '.';
    text.append(static_cast<std::size_t>(decimals - has), '0');
    return text;
}

}  // namespace tamsor
