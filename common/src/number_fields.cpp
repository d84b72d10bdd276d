// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/number_fields.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "tamsor/report_layout.h"

namespace tamsor {
namespace {

constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11};

void writeSevenDigits(std::uint32_t value, std::array<char, 7>& digits) {
    for (int i = 6; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
}

// Scaling by up to 10^11 is exact in double for magnitudes from 1e-5 to 1e7:
// 24 mantissa bits times 5^11 stay below 2^53. So the rounding below sees the
// exact value. Returns false outside that range.
bool sevenDigitsByScaling(double magnitude, SignificantDigits& result) {
    if (!(magnitude >= 1e-5 && magnitude < 1e7)) return false;
    // First guess of the decimal exponent from the table; the exact scaled
    // value then confirms or corrects it.
    int exponent = 0;
    if (magnitude >= 1) {
        while (exponent < 6 && magnitude >= kPowersOfTen[exponent + 1])
            ++exponent;
    } else {
        exponent = -1;
        while (exponent > -5 && magnitude * kPowersOfTen[-exponent] < 1)
            --exponent;
    }
    for (;;) {
        const int shift = 6 - exponent;
        if (shift < 0 || shift > 11) return false;
        const double scaled = magnitude * kPowersOfTen[shift];
        if (scaled >= 1e7) {
            ++exponent;
        } else if (scaled < 1e6) {
            --exponent;
        } else {
            // Halves away from zero; scaled is positive and below 2^24, so
            // its fraction is exact.
            const double whole = std::floor(scaled);
            double rounded = scaled - whole >= 0.5 ? whole + 1 : whole;
            if (rounded >= 1e7) {
                rounded = 1e6;
                ++exponent;
            }
            writeSevenDigits(static_cast<std::uint32_t>(rounded), result.digits);
            result.exponent = exponent;
            return true;
        }
    }
}

// Any magnitude: the exact decimal expansion (a float has at most 112
// significant digits) rounded up when its eighth digit is 5 or more, which is
// exactly half away from zero.
SignificantDigits sevenDigitsFromExpansion(double magnitude) {
    std::array<char, 160> text{};
    const auto written = std::to_chars(text.data(), text.data() + text.size(), magnitude,
                                       std::chars_format::scientific, 120);
    // text: d.<120 digits>e[+-]XX
    std::uint32_t leading = static_cast<std::uint32_t>(text[0] - '0');
    for (int i = 2; i <= 7; ++i)
        leading = leading * 10 + static_cast<std::uint32_t>(text[i] - '0');
    const char* exponentText = std::find(text.data(), written.ptr, 'e') + 1;
    if (*exponentText == '+') ++exponentText;
    int exponent = 0;
    std::from_chars(exponentText, written.ptr, exponent);

    if (text[8] >= '5') ++leading;
    if (leading >= 10000000) {
        leading /= 10;
        ++exponent;
    }
    SignificantDigits result{};
    writeSevenDigits(leading, result.digits);
    result.exponent = exponent;
    return result;
}

// A few columns: a loop, cheaper than a call for so few.
void fillWith(char character, char* first, char* end) {
    while (first != end)
        *first++ = character;
}

// The common case of the load field: 10^e <= magnitude < 10^(e+1) with e from 0
// to 6, seven significant digits, six decimals.
void plotLoadFixed(bool negative, double magnitude, char* field) {
    constexpr int kWidth = report_layout::kPlotLoadWidth;
    int exponent = 0;
    while (exponent < 6 && magnitude >= kPowersOfTen[exponent + 1])
        ++exponent;
    // Exact (see sevenDigitsByScaling); halves away from zero.
    const double scaled = magnitude * kPowersOfTen[6 - exponent];
    const double whole = std::floor(scaled);
    auto digits = static_cast<std::uint32_t>(whole) + (scaled - whole >= 0.5 ? 1u : 0u);
    // 9999999.5 x 10^-k rounds up into the next decade; never past 10^6, as
    // no float between 9999999 and 1e7 exists.
    if (digits == 10000000) {
        digits = 1000000;
        ++exponent;
    }

    char* out = field + kWidth;
    for (int i = 0; i < exponent; ++i)
        *--out = '0';  // decimals past the seventh digit
    for (int i = 0; i < 7; ++i) {
        if (i == 6 - exponent) *--out = '.';
        *--out = static_cast<char>('0' + digits % 10);
        digits /= 10;
    }
    if (negative) *--out = '-';
    fillWith(' ', field, out);
}

// `text` right-justified in `width` columns at `field`, or asterisks when it
// does not fit.
void rightJustifiedField(int width, std::string_view text, char* field) {
    const auto columns = static_cast<std::size_t>(width);
    if (text.size() > columns) {
        std::memset(field, '*', columns);
        return;
    }
    std::memset(field, ' ', columns - text.size());
    std::memcpy(field + columns - text.size(), text.data(), text.size());
}

}  // namespace

void integerField(int width, std::int64_t value, char* field) {
    std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    // Right to left, straight into the field.
    char* out = field + width;
    do {
        if (out == field) return fillWith('*', field, field + width);
        *--out = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) {
        if (out == field) return fillWith('*', field, field + width);
        *--out = '-';
    }
    fillWith(' ', field, out);
}

void plotLoadField(float value, char* field) {
    constexpr int kWidth = report_layout::kPlotLoadWidth;
    if (!std::isfinite(value)) {
        std::memset(field, '*', kWidth);
        return;
    }
    const double magnitude = std::fabs(static_cast<double>(value));
    if (magnitude >= 1 && magnitude < 1e7) return plotLoadFixed(value < 0, magnitude, field);

    const SignificantDigits significant = sevenSignificantDigits(value);
    std::array<char, 24> text;
    char* out = text.data();
    if (value < 0) *out++ = '-';
    *out++ = significant.digits[0];
    *out++ = '.';
    for (int i = 1; i < 7; ++i)
        *out++ = significant.digits[i];
    *out++ = 'E';
    *out++ = significant.exponent < 0 ? '-' : '+';
    const int exponent = std::abs(significant.exponent);
    *out++ = static_cast<char>('0' + exponent / 10);
    *out++ = static_cast<char>('0' + exponent % 10);
    rightJustifiedField(kWidth, {text.data(), static_cast<std::size_t>(out - text.data())}, field);
}

SignificantDigits sevenSignificantDigits(float value) {
    const double magnitude = std::fabs(static_cast<double>(value));
    SignificantDigits result{};
    if (magnitude == 0) {
        result.digits.fill('0');
        result.exponent = 0;
        return result;
    }
    if (sevenDigitsByScaling(magnitude, result)) return result;
    return sevenDigitsFromExpansion(magnitude);
}

void FieldLine::blanks(int count) {
    std::memset(buffer_.data() + size_, ' ', static_cast<std::size_t>(count));
    size_ += static_cast<std::size_t>(count);
}

void FieldLine::stars(int width) {
    std::memset(buffer_.data() + size_, '*', static_cast<std::size_t>(width));
    size_ += static_cast<std::size_t>(width);
}

void FieldLine::rightJustified(int width, std::string_view digits) {
    rightJustifiedField(width, digits, buffer_.data() + size_);
    size_ += static_cast<std::size_t>(width);
}

void FieldLine::integer(int width, std::int64_t value) {
    integerField(width, value, buffer_.data() + size_);
    size_ += static_cast<std::size_t>(width);
}

void FieldLine::fixed2(int width, float value) {
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
    rightJustified(width, {text.data(), static_cast<std::size_t>(out - text.data())});
}

void FieldLine::plotLoad(float value) {
    plotLoadField(value, buffer_.data() + size_);
    size_ += report_layout::kPlotLoadWidth;
}

void FieldLine::endLine() {
    buffer_[size_++] = '\r';
    buffer_[size_++] = '\n';
}

}  // namespace tamsor
