// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/table_number.h"

#include <algorithm>
#include <array>

#include "tamsor/decimal_syntax.h"
#include "tamsor/load_file_reader.h"

namespace tamsor {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The separators that spreadsheets put between groups of digits, besides
// the point and the comma: blanks, the no-break and thin spaces, apostrophes.
constexpr std::array<std::string_view, 7> kGroupSeparators = {
    " ", "\t", "'", "\xC2\xA0", "\xE2\x80\xAF", "\xE2\x80\x89", "\xE2\x80\x99"};

// The length of the group separator at the start of `text`, 0 if none;
// `marks` are the decimal marks that count as group separators here.
std::size_t separatorAt(std::string_view text, std::string_view marks) {
    if (!text.empty() && marks.find(text[0]) != std::string_view::npos) return 1;
    for (const std::string_view separator : kGroupSeparators)
        if (text.starts_with(separator)) return separator.size();
    return 0;
}

// The text without the separators that stand between two digits.
std::string ungrouped(std::string_view text, std::string_view marks) {
    std::string kept;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = separatorAt(text.substr(i), marks);
        if (length > 0 && i > 0 && isDigit(text[i - 1]) && i + length < text.size() &&
            isDigit(text[i + length])) {
            i += length;
            continue;
        }
        kept += text[i++];
    }
    return kept;
}

std::string withPoint(std::string_view text) {
    std::string copy(text);
    for (char& c : copy)
        if (c == ',') c = '.';
    return copy;
}

}  // namespace

const char* decimalMarkName(DecimalMark mark) {
    return mark == DecimalMark::kComma ? "comma" : "point";
}

std::string_view trimmedField(std::string_view field) {
    for (;;) {
        if (!field.empty() && (field.front() == ' ' || field.front() == '\t'))
            field.remove_prefix(1);
        else if (field.starts_with("\xC2\xA0"))
            field.remove_prefix(2);
        else
            break;
    }
    for (;;) {
        if (!field.empty() && (field.back() == ' ' || field.back() == '\t'))
            field.remove_suffix(1);
        else if (field.ends_with("\xC2\xA0"))
            field.remove_suffix(2);
        else
            break;
    }
    return field;
}

NumberForm numberFormOf(std::string_view field) {
    field = trimmedField(field);
    const bool point = field.find('.') != std::string_view::npos;
    const bool comma = field.find(',') != std::string_view::npos;
    if (!comma && isDecimalNumber(field))
        return point ? NumberForm::kPointFraction : NumberForm::kWhole;
    if (!point && isDecimalNumber(withPoint(field))) return NumberForm::kCommaFraction;
    // Either mark may be the decimal one; the other, blanks and apostrophes
    // may group the digits. Words are passed over at once.
    if (field.empty() || !(isDigit(field[0]) || field[0] == '-' || field[0] == '+'))
        return NumberForm::kText;
    const std::string plain = ungrouped(field, "");
    for (const char decimal : {'.', ','}) {
        const std::string digits = ungrouped(plain, decimal == '.' ? "," : ".");
        const auto marks = std::count(digits.begin(), digits.end(), decimal);
        if (isDecimalNumber(marks > 1 ? ungrouped(digits, {&decimal, 1}) : withPoint(digits)))
            return NumberForm::kGrouped;
    }
    return NumberForm::kText;
}

bool looksLikeThousands(std::string_view field) {
    field = trimmedField(field);
    if (!field.empty() && (field.front() == '-' || field.front() == '+')) field.remove_prefix(1);
    const std::size_t mark = field.find_first_of(".,");
    if (mark == std::string_view::npos || mark == 0 || mark > 3 || field.size() != mark + 4)
        return false;
    for (std::size_t i = 0; i < field.size(); ++i)
        if (i != mark && !isDigit(field[i])) return false;
    return true;
}

LoadField readLoadField(std::string_view field, DecimalMark mark) {
    LoadField load;
    field = trimmedField(field);
    if (field.empty()) {
        load.fault = LoadFieldFault::kEmpty;
        return load;
    }
    const char own = mark == DecimalMark::kComma ? ',' : '.';
    const char other = mark == DecimalMark::kComma ? '.' : ',';
    const auto count = [&](char c) { return std::count(field.begin(), field.end(), c); };
    const auto asPoint = [&](std::string_view text) {
        return own == ',' ? withPoint(text) : std::string(text);
    };

    std::string text = asPoint(field);
    if (count(other) > 0 || !isDecimalNumber(text)) {
        // Refused either way; the reason tells the engineer what to change.
        if (count(other) == 1 && count(own) == 0 && isDecimalNumber(withPoint(field)))
            load.fault = LoadFieldFault::kOtherDecimalMark;
        else if (const std::string marks =
                     count(own) > 1 ? std::string{own, other} : std::string{other};
                 isDecimalNumber(asPoint(ungrouped(field, marks))))
            load.fault = LoadFieldFault::kThousandsSeparator;
        else
            load.fault = LoadFieldFault::kNotANumber;
        return load;
    }
    switch (parseLoad(text, load.value)) {
        case LoadParse::kOk:
            break;
        case LoadParse::kNotANumber:
            load.fault = LoadFieldFault::kNotANumber;
            return load;
        case LoadParse::kOutOfRange:
            load.fault = LoadFieldFault::kOutOfRange;
            return load;
    }
    load.text = std::move(text);
    return load;
}

}  // namespace tamsor
