// SPDX-License-Identifier: GPL-3.0-or-later
// Text from a data file made safe for outputs that promise UTF-8.
#ifndef TAMSOR_SCHEDULE_UTF8_TEXT_H
#define TAMSOR_SCHEDULE_UTF8_TEXT_H

#include <cstddef>
#include <string>
#include <string_view>

namespace tamsor {

// The length of the well-formed UTF-8 sequence at the start of `text` (1 to
// 4), or 0 where its first byte starts none: a stray continuation byte, an
// overlong form, a surrogate, a code point above U+10FFFF or a cut sequence.
// `text` must not be empty.
std::size_t utf8SequenceLength(std::string_view text);

// The text with every byte that does not belong to a well-formed UTF-8
// sequence replaced by U+FFFD; well-formed text comes back unchanged.
std::string wellFormedUtf8(std::string_view text);

}  // namespace tamsor

#endif
