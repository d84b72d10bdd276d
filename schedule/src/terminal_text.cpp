// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/terminal_text.h"

#include "utf8_text.h"

namespace tamsor {
namespace {

void appendEscapedByte(std::string& out, unsigned char byte) {
    constexpr std::string_view kHex = "0123456789abcdef";
    switch (byte) {
        case '\t':
            out += "\\t";
            return;
        case '\r':
            out += "\\r";
            return;
        case '\n':
            out += "\\n";
            return;
        default:
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
    }
}

// C0 controls and DEL are one byte; the C1 controls U+0080..U+009F are
// C2 80..C2 9F, which a terminal may take as ESC sequences of their own.
bool isControl(std::string_view sequence) {
    const auto lead = static_cast<unsigned char>(sequence[0]);
    if (sequence.size() == 1) return lead < 0x20 || lead == 0x7F;
    return sequence.size() == 2 && lead == 0xC2 && static_cast<unsigned char>(sequence[1]) < 0xA0;
}

}  // namespace

std::string terminalText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const std::size_t length = utf8SequenceLength(text);
        const std::string_view sequence = text.substr(0, length == 0 ? 1 : length);
        if (length == 0 || isControl(sequence)) {
            for (const char byte : sequence)
                appendEscapedByte(out, static_cast<unsigned char>(byte));
        } else {
            out += sequence;
        }
        text.remove_prefix(sequence.size());
    }
    return out;
}

}  // namespace tamsor
