// SPDX-License-Identifier: GPL-3.0-or-later
// tamsor-batch run as a child process, and the hand-worked building its tests
// run it on.
#ifndef TAMSOR_TESTS_BATCH_TEST_SUPPORT_H
#define TAMSOR_TESTS_BATCH_TEST_SUPPORT_H

#include <string>
#include <vector>

#include "child_process.h"
#include "scratch_folder.h"

namespace tamsor::testing {

inline ProgramRun batch(const std::vector<std::string>& arguments, const ScratchFolder& folder,
                        const ChildLimits& limits = {},
                        const std::vector<std::string>& environment = {},
                        const std::string& outputPath = {}) {
    return runProgram(TAMSOR_BATCH, arguments, folder, limits, environment, outputPath);
}

// Twelve isolators of a hall, CR LF, with blank lines (3, and 7 of blanks
// alone) between the loads and notes after them, some with commas and
// quotes. Sorted, with the line each load comes from:
//   position  1    2    3    4    5    6    7     8     9     10    11    12
//   load      500  500  500  520  900  900  1000  1000  1600  1600  1640  2400
//   line      2    6    12   9    5    11   8     13    1     14    10    4
// The best groupings, worked by hand (every split tried):
//   n = 2: {500 .. 1000} {1600 .. 2400}, pooled variance 871550 / 12 = 72629.16
//   n = 3: {500 .. 1000} {1600 1600 1640} {2400}, 1222250 / 3 / 12 = 33951.39
//   n = 4: {500 500 500 520} {900 900 1000 1000} {1600 1600 1640} {2400},
//          34100 / 3 / 12 = 947.22
//   n = 6: the types of 4 with {900 900} {1000 1000} and {1600 1600} {1640}
//          apart: (300 + 0) / 12 = 25.00
//   n = 7: one type per distinct load, 0
//   n = 8: the three loads of 500 must share two types; of equal groupings the
//          one with the boundaries furthest left is taken, {500} {500 500}.
//          A stable sort keeps equal loads in file order, so line 2 is type 1
//          and lines 6 and 12 type 2.
inline const char* const kHallLoads =
    "1600  kN  axis A/1, north\r\n"
    "500   corner \"C1\"\r\n"
    "\r\n"
    "2400  kN core wall\r\n"
    "900\r\n"
    "500  axis B/2\r\n"
    "   \r\n"
    "1000  \"pier, east\"\r\n"
    "520\r\n"
    "1640 kN\r\n"
    "900  axis C/3\r\n"
    "500\r\n"
    "1000\r\n"
    "1600  last, \"quoted\" and more\r\n";

}  // namespace tamsor::testing

#endif
