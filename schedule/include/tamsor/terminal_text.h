// SPDX-License-Identifier: GPL-3.0-or-later
// Text from a data file (a label, a data file's name) made safe to print on a
// terminal: nothing in it can move the cursor, recolour or overwrite lines.
#ifndef TAMSOR_TERMINAL_TEXT_H
#define TAMSOR_TERMINAL_TEXT_H

#include <string>
#include <string_view>

namespace tamsor {

// The text with every control character shown as a visible escape: tab, CR
// and LF as \t, \r and \n, any other C0 control and DEL as \xNN, a C1 control
// (U+0080..U+009F) by its two bytes \xc2\xNN, and each byte that is not part
// of well-formed UTF-8 as \xNN. Well-formed printable UTF-8 (é, ø, 中) and the
// backslash itself come back as they are.
std::string terminalText(std::string_view text);

}  // namespace tamsor

#endif
