// SPDX-License-Identifier: GPL-3.0-or-later
// The bytes of a load table as UTF-8 text. Tables come from spreadsheets and
// analysis programs in several encodings: UTF-8 with or without a byte order
// mark, UTF-16 with one (a spreadsheet's "Unicode text"), or an 8-bit
// Western encoding. Bytes that are not well-formed UTF-8 are taken as
// Latin-1, with the printable characters that Windows puts at 0x80 to 0x9F
// (the euro sign, dashes, curly quotes).
#ifndef TAMSOR_TABLE_TEXT_H
#define TAMSOR_TABLE_TEXT_H

#include <string>
#include <string_view>

namespace tamsor {

enum class TextEncoding { kUtf8, kUtf8WithByteOrderMark, kUtf16, kLatin1 };

// "UTF-8", "UTF-8 with byte order mark", "UTF-16", "Latin-1".
const char* encodingName(TextEncoding encoding);

struct TableText {
    std::string utf8;  // without a byte order mark
    TextEncoding encoding = TextEncoding::kUtf8;
    // Why the bytes are no text table ("is a spreadsheet workbook..."), to
    // follow the table's name; empty when they are text.
    std::string refusal;
};

TableText decodeTableText(std::string_view bytes);

bool isWellFormedUtf8(std::string_view text);

}  // namespace tamsor

#endif
