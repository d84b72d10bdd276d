// SPDX-License-Identifier: GPL-3.0-or-later
// Load files and engine calls shared by the engine tests.
#ifndef TAMSOR_TESTS_ENGINE_TEST_SUPPORT_H
#define TAMSOR_TESTS_ENGINE_TEST_SUPPORT_H

#include <cstdint>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "scratch_folder.h"
#include "vorbeck1.h"

namespace tamsor::testing {

// One load per line, LF line ends.
inline std::string load_lines(const std::vector<double>& loads) {
    std::ostringstream text;
    for (const double load : loads)
        text << load << '\n';
    return text.str();
}

// Calls the engine entry exactly as the desktop program does: the path blank
// padded to 120 bytes, no terminating zero. Returns the status.
inline std::int32_t call_engine(const std::string& path, std::int32_t method_flag) {
    char name[VORBECK1_PATH_LENGTH];
    std::string padded = path;
    padded.resize(VORBECK1_PATH_LENGTH, ' ');
    std::copy(padded.begin(), padded.begin() + VORBECK1_PATH_LENGTH, name);
    std::int32_t status = 0;
    vorbeck1(&method_flag, &status, name);
    return status;
}

}  // namespace tamsor::testing

#endif
