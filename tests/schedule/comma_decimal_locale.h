// SPDX-License-Identifier: GPL-3.0-or-later
// A stream locale that writes 1234.5 as "1.234,5", so that tests see any
// figure that follows the stream's locale instead of the fixed format.
#ifndef TAMSOR_TESTS_COMMA_DECIMAL_LOCALE_H
#define TAMSOR_TESTS_COMMA_DECIMAL_LOCALE_H

#include <locale>
#include <string>

namespace tamsor {

struct CommaDecimals : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

inline std::locale commaDecimalLocale() {
    return std::locale(std::locale::classic(), new CommaDecimals);
}

}  // namespace tamsor

#endif
