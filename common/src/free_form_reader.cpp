// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/free_form_reader.h"

#include "tamsor/decimal_syntax.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace tamsor {
namespace {

bool isBlank(int c) {
    return c == ' ' || c == '\t';
}
bool isLineEnd(int c) {
    return c == '\r' || c == '\n';
}
// For a decimal number too small or too large for its target: whether its
// magnitude is below 1 (it then reads as zero) rather than huge.
bool magnitudeBelowOne(const std::string& text) {
    const std::size_t exponentAt = text.find_first_of("eE");
    const std::string mantissa = text.substr(0, exponentAt);
    long long exponent = 0;
    if (exponentAt != std::string::npos) {
        const char* first = text.data() + exponentAt + 1;
        if (*first == '+') ++first;
        const auto [end, error] = std::from_chars(first, text.data() + text.size(), exponent);
        (void)end;
        if (error != std::errc{}) return *first == '-';
    }
    // Decimal position of the first significant digit: 0 for 1..9.99.
    const std::size_t point = mantissa.find('.');
    const std::size_t wholeEnd = point == std::string::npos ? mantissa.size() : point;
    const std::size_t firstSignificant = mantissa.find_first_of("123456789");
    if (firstSignificant == std::string::npos) return true;
    const long long position = firstSignificant < wholeEnd
                                   ? static_cast<long long>(wholeEnd - firstSignificant) - 1
                                   : -static_cast<long long>(firstSignificant - wholeEnd);
    return position + exponent < 0;
}

}  // namespace

FreeFormReader::FreeFormReader(const std::string& path)
    : file_(path, std::ios::binary), path_(path) {
    if (!file_) throw ReadError(ReadError::Kind::kCannotOpen, "cannot open " + path);
}

bool FreeFormReader::atEnd() {
    return file_.peek() == std::char_traits<char>::eof();
}

std::string FreeFormReader::nextNumber() {
    int c = file_.get();
    while (isBlank(c) || isLineEnd(c))
        c = file_.get();
    if (c == std::char_traits<char>::eof())
        throw ReadError(ReadError::Kind::kPastEnd, "read past the end of " + path_);

    // The whole field is consumed; one longer than any number written by the
    // engine is kept short and reported as not a number.
    constexpr std::size_t kLongestField = 4096;
    std::string text;
    bool tooLong = false;
    while (c != std::char_traits<char>::eof() && !isBlank(c) && !isLineEnd(c) && c != ',') {
        if (text.size() < kLongestField)
            text.push_back(static_cast<char>(c));
        else
            tooLong = true;
        c = file_.get();
    }
    // Consume the delimiter: blanks, then one comma or one line end.
    while (isBlank(c))
        c = file_.get();
    if (c == '\r') {
        if (file_.peek() == '\n') file_.get();
    } else if (c != ',' && c != '\n' && c != std::char_traits<char>::eof()) {
        file_.unget();
    }

    if (tooLong || !isDecimalNumber(text))
        throw ReadError(ReadError::Kind::kNotANumber, "not a number in " + path_ + ": " + text);
    return text;
}

float FreeFormReader::readSingle() {
    const std::string text = nextNumber();
    const char* first = text.data() + (text[0] == '+' ? 1 : 0);
    const char* last = text.data() + text.size();
    float value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error == std::errc::result_out_of_range) {
        // Too small for a float reads as zero; too large is an overflow.
        if (!magnitudeBelowOne(text))
            throw ReadError(ReadError::Kind::kOverflow, "number too large: " + text);
        return text[0] == '-' ? -0.0f : 0.0f;
    }
    if (error != std::errc{} || end != last)
        throw ReadError(ReadError::Kind::kNotANumber, "not a number: " + text);
    return value;
}

double FreeFormReader::readWholeNumber(double lowest, double highest) {
    const std::string text = nextNumber();
    const char* first = text.data() + (text[0] == '+' ? 1 : 0);
    double value = 0;
    const auto [end, error] = std::from_chars(first, text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range && magnitudeBelowOne(text)) return 0;
    const double rounded = std::nearbyint(value);  // the default rounding: halves to even
    if (error != std::errc{} || !(rounded >= lowest && rounded <= highest))
        throw ReadError(ReadError::Kind::kOverflow, "number too large: " + text);
    return rounded;
}

std::int16_t FreeFormReader::readInteger() {
    return static_cast<std::int16_t>(readWholeNumber(std::numeric_limits<std::int16_t>::min(),
                                                     std::numeric_limits<std::int16_t>::max()));
}

std::int32_t FreeFormReader::readLong() {
    return static_cast<std::int32_t>(readWholeNumber(std::numeric_limits<std::int32_t>::min(),
                                                     std::numeric_limits<std::int32_t>::max()));
}

}  // namespace tamsor
