#include "number_fields.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace engine {
namespace {

constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11};

void write_seven_digits(std::uint32_t value, std::array<char, 7>& digits) {
    for (int i = 6; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
}

// Scaling by up to 10^11 is exact in double for magnitudes from 1e-5 to 1e7:
// 24 mantissa bits times 5^11 stay below 2^53. So the rounding below sees the
// exact value. Returns false outside that range.
bool seven_digits_by_scaling(double magnitude, SignificantDigits& result) {
    if (!(magnitude >= 1e-5 && magnitude < 1e7)) return false;
    int exponent = static_cast<int>(std::floor(std::log10(magnitude)));
    for (;;) {
        const int shift = 6 - exponent;
        if (shift < 0 || shift > 11) return false;
        const double scaled = magnitude * kPowersOfTen[shift];
        if (scaled >= 1e7) {
            ++exponent;
        } else if (scaled < 1e6) {
            --exponent;
        } else {
            double rounded = std::round(scaled);  // halves away from zero
            if (rounded >= 1e7) {
                rounded = 1e6;
                ++exponent;
            }
            write_seven_digits(static_cast<std::uint32_t>(rounded), result.digits);
            result.exponent = exponent;
            return true;
        }
    }
}

// Any magnitude: the exact decimal expansion (a float has at most 112
// significant digits) rounded up when its eighth digit is 5 or more, which is
// exactly half away from zero.
SignificantDigits seven_digits_from_expansion(double magnitude) {
    std::array<char, 160> text{};
    const auto written = std::to_chars(text.data(), text.data() + text.size(), magnitude,
                                       std::chars_format::scientific, 120);
    // text: d.<120 digits>e[+-]XX
    std::uint32_t leading = static_cast<std::uint32_t>(text[0] - '0');
    for (int i = 2; i <= 7; ++i)
        leading = leading * 10 + static_cast<std::uint32_t>(text[i] - '0');
    const char* exponent_text = std::find(text.data(), written.ptr, 'e') + 1;
    if (*exponent_text == '+') ++exponent_text;
    int exponent = 0;
    std::from_chars(exponent_text, written.ptr, exponent);

    if (text[8] >= '5') ++leading;
    if (leading >= 10000000) {
        leading /= 10;
        ++exponent;
    }
    SignificantDigits result{};
    write_seven_digits(leading, result.digits);
    result.exponent = exponent;
    return result;
}

}  // namespace

SignificantDigits seven_significant_digits(Real value) {
    const double magnitude = std::fabs(static_cast<double>(value));
    SignificantDigits result{};
    if (magnitude == 0) {
        result.digits.fill('0');
        result.exponent = 0;
        return result;
    }
    if (seven_digits_by_scaling(magnitude, result)) return result;
    return seven_digits_from_expansion(magnitude);
}

void FieldLine::blanks(int count) {
    std::memset(buffer_.data() + size_, ' ', static_cast<std::size_t>(count));
    size_ += static_cast<std::size_t>(count);
}

void FieldLine::stars(int width) {
    std::memset(buffer_.data() + size_, '*', static_cast<std::size_t>(width));
    size_ += static_cast<std::size_t>(width);
}

void FieldLine::right_justified(int width, std::string_view digits) {
    if (digits.size() > static_cast<std::size_t>(width)) return stars(width);
    blanks(width - static_cast<int>(digits.size()));
    std::memcpy(buffer_.data() + size_, digits.data(), digits.size());
    size_ += digits.size();
}

void FieldLine::integer(int width, std::int64_t value) {
    std::array<char, 24> text;
    const auto written = std::to_chars(text.data(), text.data() + text.size(), value);
    right_justified(width, {text.data(), static_cast<std::size_t>(written.ptr - text.data())});
}

void FieldLine::fixed2(int width, Real value) {
    if (!std::isfinite(value)) return stars(width);
    // value x 100 is exact in double (24 bits times 100 < 2^31), so this
    // rounds the exact binary value, halves away from zero.
    const double hundredths = std::fabs(std::round(static_cast<double>(value) * 100.0));
    if (hundredths >= 1e15) return stars(width);
    const auto whole = static_cast<std::uint64_t>(hundredths);

    std::array<char, 24> text;
    char* out = text.data();
    if (value < 0 && whole != 0) *out++ = '-';
    if (whole >= 100) out = std::to_chars(out, text.data() + text.size(), whole / 100).ptr;
    *out++ = '.';
    *out++ = static_cast<char>('0' + whole / 10 % 10);
    *out++ = static_cast<char>('0' + whole % 10);
    right_justified(width, {text.data(), static_cast<std::size_t>(out - text.data())});
}

void FieldLine::plot_load(Real value) {
    constexpr int kWidth = 16;
    if (!std::isfinite(value)) return stars(kWidth);
    const SignificantDigits significant = seven_significant_digits(value);
    const auto digit = [&](int i) { return i < 7 ? significant.digits[i] : '0'; };

    std::array<char, 24> text;
    char* out = text.data();
    if (value < 0) *out++ = '-';
    const double magnitude = std::fabs(static_cast<double>(value));
    if (magnitude >= 1 && magnitude < 1e7) {
        const int whole_digits = significant.exponent + 1;
        for (int i = 0; i < whole_digits; ++i)
            *out++ = digit(i);
        *out++ = '.';
        for (int i = whole_digits; i < whole_digits + 6; ++i)
            *out++ = digit(i);
    } else {
        *out++ = significant.digits[0];
        *out++ = '.';
        for (int i = 1; i < 7; ++i)
            *out++ = significant.digits[i];
        *out++ = 'E';
        *out++ = significant.exponent < 0 ? '-' : '+';
        const int exponent = std::abs(significant.exponent);
        *out++ = static_cast<char>('0' + exponent / 10);
        *out++ = static_cast<char>('0' + exponent % 10);
    }
    right_justified(kWidth, {text.data(), static_cast<std::size_t>(out - text.data())});
}

void FieldLine::end_line() {
    buffer_[size_++] = '\r';
    buffer_[size_++] = '\n';
}

}  // namespace engine
