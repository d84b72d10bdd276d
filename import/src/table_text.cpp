// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/table_text.h"

#include <array>
#include <cstdint>

namespace tamsor {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

bool startsWith(std::string_view bytes, std::string_view prefix) {
    return bytes.substr(0, prefix.size()) == prefix;
}

void appendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Windows' printable characters at 0x80 to 0x9F; the five it leaves
// undefined stay Latin-1's control codes.
constexpr std::array<char16_t, 32> kWindowsHighRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::string fromLatin1(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 && byte < 0xA0)
            appendUtf8(out, kWindowsHighRange[byte - 0x80]);
        else
            appendUtf8(out, byte);
    }
    return out;
}

// UTF-16 after its byte order mark; false at a lone surrogate or an odd byte.
bool fromUtf16(std::string_view bytes, bool bigEndian, std::string& out) {
    if (bytes.size() % 2 != 0) return false;
    out.reserve(bytes.size() / 2);
    const auto unit = [&](std::size_t i) -> char16_t {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    };
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        const char16_t high = unit(i);
        if (high >= 0xDC00 && high <= 0xDFFF) return false;
        if (high < 0xD800 || high > 0xDBFF) {
            appendUtf8(out, high);
            continue;
        }
        if (i + 2 >= bytes.size()) return false;
        const char16_t low = unit(i + 2);
        if (low < 0xDC00 || low > 0xDFFF) return false;
        appendUtf8(out, 0x10000 + ((char32_t{high} - 0xD800) << 10) + (low - 0xDC00));
        i += 2;
    }
    return true;
}

constexpr const char* kSaveAsCsv =
    "save the sheet from the spreadsheet as CSV (comma or semicolon separated) and import that";

}  // namespace

const char* encodingName(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::kUtf8:
            return "UTF-8";
        case TextEncoding::kUtf8WithByteOrderMark:
            return "UTF-8 with byte order mark";
        case TextEncoding::kUtf16:
            return "UTF-16";
        case TextEncoding::kLatin1:
            return "Latin-1";
    }
    return "";
}

bool isWellFormedUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        char32_t code = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07;
        } else {
            return false;
        }
        if (text.size() - i < length) return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            code = (code << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and code points beyond Unicode.
        if ((length == 3 && code < 0x800) || (length == 4 && code < 0x10000) ||
            (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
            return false;
        i += length;
    }
    return true;
}

TableText decodeTableText(std::string_view bytes) {
    TableText text;
    // The files an engineer may pick by mistake, told apart by their start.
    if (startsWith(bytes, "PK\x03\x04")) {
        text.refusal = std::string(
                           "is a spreadsheet workbook or another zipped file, not a text "
                           "table: ") +
                       kSaveAsCsv;
        return text;
    }
    if (startsWith(bytes, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1")) {
        text.refusal =
            std::string("is an older spreadsheet workbook (.xls), not a text table: ") + kSaveAsCsv;
        return text;
    }
    if (startsWith(bytes, "%PDF")) {
        text.refusal = "is a PDF document, not a text table";
        return text;
    }

    if (startsWith(bytes, "\xFF\xFE") || startsWith(bytes, "\xFE\xFF")) {
        text.encoding = TextEncoding::kUtf16;
        if (!fromUtf16(bytes.substr(2), bytes[0] == '\xFE', text.utf8)) {
            text.refusal = "is not well-formed UTF-16 text";
            return text;
        }
    } else if (startsWith(bytes, kUtf8ByteOrderMark)) {
        text.encoding = TextEncoding::kUtf8WithByteOrderMark;
        bytes.remove_prefix(kUtf8ByteOrderMark.size());
    }
    if (text.encoding != TextEncoding::kUtf16) {
        if (isWellFormedUtf8(bytes)) {
            text.utf8.assign(bytes);
        } else {
            text.encoding = TextEncoding::kLatin1;
            text.utf8 = fromLatin1(bytes);
        }
    }
    if (text.utf8.find('\0') != std::string::npos) {
        text.refusal = "holds zero bytes, so it is not a text table";
        text.utf8.clear();
    }
    return text;
}

}  // namespace tamsor
