// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/decimal_syntax.h"

namespace tamsor {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

bool isDecimalNumber(std::string_view text) {
    std::size_t i = 0;
    const std::size_t size = text.size();
    if (i < size && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < size && isDigit(text[i]))
        ++i, ++digits;
    if (i < size && text[i] == '.') {
        ++i;
        while (i < size && isDigit(text[i]))
            ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < size && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < size && (text[i] == '+' || text[i] == '-')) ++i;
        std::size_t exponentDigits = 0;
        while (i < size && isDigit(text[i]))
            ++i, ++exponentDigits;
        if (exponentDigits == 0) return false;
    }
    return i == size;
}

}  // namespace tamsor
