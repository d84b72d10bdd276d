// SPDX-License-Identifier: GPL-3.0-or-later
// Right-justified number fields of the result files.
//
// Rounding is done from the exact binary value of the single-precision number,
// ties half away from zero (30.125 gives 30.13), and never through printf,
// which rounds ties to even and follows the process locale.
#ifndef TAMSOR_NUMBER_FIELDS_H
#define TAMSOR_NUMBER_FIELDS_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tamsor {

// One line of a result file under construction; the longest is 125
// characters plus its CR LF.
class FieldLine {
  public:
    void blanks(int count);
    // Iw: a decimal integer right-justified in `width` columns.
    void integer(int width, std::int64_t value);
    // Fw.2: fixed point with 2 decimals, no zero before the point of a value
    // below 1 in magnitude (.50), no minus sign when every digit is zero.
    void fixed2(int width, float value);
    // The load field of the load plot file, 16 columns: 7 significant digits,
    // fixed point with 6 decimals for magnitudes in [1, 1e7), otherwise one
    // digit, 6 decimals and a two-digit exponent (5.000000E-01).
    void plotLoad(float value);
    void endLine();  // CR LF

    std::string_view text() const { return {buffer_.data(), size_}; }
    void clear() { size_ = 0; }

  private:
    void rightJustified(int width, std::string_view digits);
    void stars(int width);

    std::array<char, 160> buffer_{};
    std::size_t size_ = 0;
};

// The same fields written in place, exactly `width` (for the load, kPlotLoadWidth)
// characters at `field`: for writers that fill a block of whole lines.
void integerField(int width, std::int64_t value, char* field);
void plotLoadField(float value, char* field);

// The seven significant digits of |value| rounded half away from zero, and
// the decimal exponent of the first of them (value ~ d.dddddd x 10^exponent).
struct SignificantDigits {
    std::array<char, 7> digits;
    int exponent;
};
SignificantDigits sevenSignificantDigits(float value);

}  // namespace tamsor

#endif
