// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/cell_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace tamsor {

QString cellText(std::int64_t value) {
    return (value < 0 ? QString() : QStringLiteral(" ")) + QString::number(value);
}

QString cellText(const std::string& figure) {
    const QString text = QString::fromStdString(figure);
    return figure.starts_with('-') ? text : QStringLiteral(" ") + text;
}

QString cellText(float value) {
    if (!std::isfinite(value)) return QStringLiteral(" ") + (std::isnan(value) ? "NaN" : "Inf");
    const bool negative = value < 0;
    const char* sign = negative ? "-" : " ";
    if (value == 0) return QStringLiteral(" 0");

    // Seven significant digits, locale-independent: d.dddddde[+-]XX.
    std::array<char, 32> text{};
    const auto written = std::to_chars(text.data(), text.data() + text.size(), std::fabs(value),
                                       std::chars_format::scientific, 6);
    const std::string scientific(text.data(), written.ptr);
    std::string digits = scientific.substr(0, 1) + scientific.substr(2, 6);
    const int exponent = std::stoi(scientific.substr(9));
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string body;
    if (exponent >= -5 && exponent < 7) {
        if (exponent >= 0) {
            if (static_cast<int>(digits.size()) <= exponent + 1) {
                body = digits +
                       std::string(static_cast<std::size_t>(exponent + 1) - digits.size(), '0');
            } else {
                body = digits.substr(0, static_cast<std::size_t>(exponent + 1)) + "." +
                       digits.substr(static_cast<std::size_t>(exponent + 1));
            }
        } else {
            // Appended in place: GCC 12 at -O3 takes "." + std::string for an
            // overlapping copy of 2^63 bytes (-Wrestrict).
            body.assign(1, '.').append(static_cast<std::size_t>(-exponent - 1), '0').append(digits);
        }
    } else {
        body = digits.substr(0, 1);
        if (digits.size() > 1) body.append(1, '.').append(digits, 1);
        const int magnitude = std::abs(exponent);
        body += std::string("E") + (exponent < 0 ? "-" : "+") + (magnitude < 10 ? "0" : "") +
                std::to_string(magnitude);
    }
    return QString::fromLatin1(sign) + QString::fromStdString(body);
}

}  // namespace tamsor
