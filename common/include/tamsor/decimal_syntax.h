// SPDX-License-Identifier: GPL-3.0-or-later
// The one number syntax of the program's text files: an optionally signed
// decimal integer or fraction with an optional exponent ("250", "-.5",
// "1.5E+3"); nothing else — no "nan", "inf", hexadecimal or "1e+".
#ifndef TAMSOR_DECIMAL_SYNTAX_H
#define TAMSOR_DECIMAL_SYNTAX_H

#include <string_view>

namespace tamsor {

bool isDecimalNumber(std::string_view text);

}  // namespace tamsor

#endif
