// SPDX-License-Identifier: GPL-3.0-or-later
// A strict reader of comma-separated values, shared by the tests of every
// CSV writer: what it accepts, a spreadsheet reads the same way.
#ifndef TAMSOR_TESTS_STRICT_CSV_H
#define TAMSOR_TESTS_STRICT_CSV_H

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tamsor::testing {

using Records = std::vector<std::vector<std::string>>;

// A strict reader of RFC 4180 text with CR LF line ends: a field is either
// plain (no quote, CR or LF) or wholly quoted with its quotes doubled, and it
// ends at a comma or CR LF. Anything else throws.
inline Records readCsv(std::string_view text) {
    Records records;
    std::vector<std::string> record;
    std::size_t i = 0;
    while (i < text.size()) {
        std::string field;
        if (text[i] == '"') {
            for (++i;; ++i) {
                if (i >= text.size()) throw std::runtime_error("unterminated quoted field");
                if (text[i] == '"' && text.substr(i, 2) != "\"\"") break;
                if (text[i] == '"') ++i;
                field += text[i];
            }
            ++i;
        } else {
            for (; i < text.size() && text[i] != ',' && text[i] != '\r'; ++i) {
                if (text[i] == '"' || text[i] == '\n')
                    throw std::runtime_error("quote or LF in a plain field at " +
                                             std::to_string(i));
                field += text[i];
            }
        }
        record.push_back(field);
        if (text.substr(i, 1) == ",") {
            ++i;
        } else if (text.substr(i, 2) == "\r\n") {
            i += 2;
            records.push_back(record);
            record.clear();
        } else {
            throw std::runtime_error("a field ends without comma or CR LF at " + std::to_string(i));
        }
    }
    if (!record.empty()) throw std::runtime_error("the last line has no line end");
    return records;
}

}  // namespace tamsor::testing

#endif
