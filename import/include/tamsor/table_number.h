// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers in the fields of a load table. A column writes its fractions with a
// decimal point or a decimal comma; thousands separators are refused rather
// than guessed, since a wrong guess changes a load a thousandfold.
#ifndef TAMSOR_TABLE_NUMBER_H
#define TAMSOR_TABLE_NUMBER_H

#include <string>
#include <string_view>

namespace tamsor {

enum class DecimalMark { kPoint, kComma };

// "point", "comma".
const char* decimalMarkName(DecimalMark mark);

// How a field reads, whatever its column's mark.
enum class NumberForm {
    kText,           // not a number in either notation (empty fields included)
    kWhole,          // no decimal mark: "1234", "-12", "15E2"
    kPointFraction,  // "1234.5", "-.5", "1.5E+3"
    kCommaFraction,  // "1234,5", "1,5E+3"
    kGrouped,        // a number with thousands separators: "1.234,5", "1 234", "1,234,567"
};

// The field's form; blanks around it do not count.
NumberForm numberFormOf(std::string_view field);

// A fraction that could as well be a whole number with one thousands
// separator: one to three digits, the mark, three digits ("1,250", "-12.500").
bool looksLikeThousands(std::string_view field);

enum class LoadFieldFault {
    kNone,
    kEmpty,
    kNotANumber,
    kThousandsSeparator,  // "1.234,5", "1 234", "1'234", "1,234,567"
    kOtherDecimalMark,    // "12,5" in a column of decimal points, or the reverse
    kOutOfRange,          // beyond the range of a single-precision load
};

struct LoadField {
    LoadFieldFault fault = LoadFieldFault::kNone;
    float value = 0;
    // The number as its digits stand, a decimal comma written as a point,
    // blanks around it dropped: "-1234.5" for " -1234,5 ".
    std::string text;
};

// Reads a load from a field of a column with decimal mark `mark`, by the
// number syntax of the input data file.
LoadField readLoadField(std::string_view field, DecimalMark mark);

// Blanks around a field: spaces, tabs and the no-break spaces of spreadsheets.
std::string_view trimmedField(std::string_view field);

}  // namespace tamsor

#endif
