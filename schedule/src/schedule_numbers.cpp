#include "tamsor/schedule_numbers.h"

#include <array>
#include <charconv>
#include <cmath>
#include <stdexcept>

namespace tamsor {
namespace {

// Room for the 309 integer digits of the largest double, a sign, a point and 20 decimals.
using Digits = std::array<char, 340>;

}  // namespace

std::string loadText(float load) {
    if (!std::isfinite(load)) return {};
    Digits text;
    const auto result =
        std::to_chars(text.data(), text.data() + text.size(), load, std::chars_format::fixed);
    return {text.data(), result.ptr};
}

std::string decimalText(double value, int decimals) {
    if (decimals < 0 || decimals > 20) throw std::invalid_argument("decimals must be 0 to 20");
    if (!std::isfinite(value)) return {};
    Digits text;
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value,
                                      std::chars_format::fixed, decimals);
    return {text.data(), result.ptr};
}

}  // namespace tamsor
