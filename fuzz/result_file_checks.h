// SPDX-License-Identifier: GPL-3.0-or-later
// What a finished run must have left on disk, checked without trusting the
// engine's own formatting code.
#ifndef TAMSOR_FUZZ_RESULT_FILE_CHECKS_H
#define TAMSOR_FUZZ_RESULT_FILE_CHECKS_H

#include <string>
#include <string_view>
#include <vector>

namespace tamsor::fuzz {

// The lines of a result file, or an empty list with `error` set when a line
// is not ended by CR LF.
std::vector<std::string_view> crlf_lines(std::string_view text, std::string& error);

// Every report line has the width its partition count gives it, and result set
// k is headed by k. Returns an empty string when the report is sound.
std::string check_report(const std::vector<std::string_view>& lines);

// The step curve runs from position 1 to N + 1 in N + 1 to 2 N points of 27
// columns, N being read from the report's first result set.
std::string check_plot(const std::vector<std::string_view>& plot_lines,
                       std::string_view first_report_line);

}  // namespace tamsor::fuzz

#endif
