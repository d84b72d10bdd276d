// Text from a data file made safe for outputs that promise UTF-8.
#ifndef TAMSOR_SCHEDULE_UTF8_TEXT_H
#define TAMSOR_SCHEDULE_UTF8_TEXT_H

#include <string>
#include <string_view>

namespace tamsor {

// The text with every byte that does not belong to a well-formed UTF-8
// sequence replaced by U+FFFD; well-formed text comes back unchanged.
std::string wellFormedUtf8(std::string_view text);

}  // namespace tamsor

#endif
