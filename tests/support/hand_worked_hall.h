// SPDX-License-Identifier: GPL-3.0-or-later
// A hand-worked building of twelve isolators and the result files of its
// best groupings, byte for byte, for the tests of every road that writes them.
#ifndef TAMSOR_TESTS_HAND_WORKED_HALL_H
#define TAMSOR_TESTS_HAND_WORKED_HALL_H

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

namespace tamsor::testing {

// Twelve loads, unsorted, with a note after one and a blank line. Sorted:
//   position  1    2    3    4    5    6    7     8     9     10    11    12
//   load      500  500  500  520  900  900  1000  1000  1600  1600  1640  2400
// Each further type cuts one more gap; the best cuts, found by trying every
// split, take the gaps 1000|1600 (n = 2), 1640|2400 (3), 520|900 (4),
// 900|1000 (5), 1600|1640 (6) and 500|520 (7). Sums of squares S:
//   n = 1: sum 13060, mean 1088.333; S = 18210000 - 13060^2 / 12 = 11989100 / 3
//   n = 2: {500 x3, 520, 900 x2, 1000 x2} mean 727.5, S 406350;
//          {1600 x2, 1640, 2400} mean 1810, S 465200; S = 871550
//   n = 3: 406350 + {1600 x2, 1640} (mean 1613.333, S 3200 / 3) + {2400}: 1222250 / 3
//   n = 4: {500 x3, 520} (mean 505, S 300) + {900 x2, 1000 x2} (mean 950, S 10000)
//          + 3200 / 3 = 34100 / 3
//   n = 5: 300 + 0 + 0 + 3200 / 3 = 4100 / 3;  n = 6: 300;  n = 7: 0
// The pooled variance S / 12, rounded to single precision, then to 2 decimals:
// 333030.555.. is the single 333030.5625, 72629.1666.. the single 72629.1640625
// (steps of 1/128 at this size) and so 72629.16, 33951.3888.. the single
// 33951.390625; 947.222.., 113.888.., 25.
// n = 8 and 9: seven different loads leave S = 0 however the equal loads are
// split, and of equal groupings the one with the boundaries furthest left is
// taken: every type starts as early as it can, from the last one back, so the
// three loads of 500 give {500}, {500 500} for 8 types and one type each for 9.
// The operation count column holds the cost evaluations of the computation,
// which no hand can follow: it is taken from the grouping library.
inline constexpr const char* kHandWorkedLoads =
    "1600\r\n500\r\n2400  kN core wall\r\n900\r\n500\r\n\r\n1000\r\n520\r\n1640\r\n900\r\n"
    "500\r\n1000\r\n1600\r\n";

inline const char* const kHandWorkedReport[] = {
    "   1   333030.56%s         1        13\r\n",
    "                       1088.33\r\n",
    "   2    72629.16%s         1         9        13\r\n",
    "                        727.50    1810.00\r\n",
    "   3    33951.39%s         1         9        12        13\r\n",
    "                        727.50    1613.33    2400.00\r\n",
    "   4      947.22%s         1         5         9        12        13\r\n",
    "                        505.00     950.00    1613.33    2400.00\r\n",
    "   5      113.89%s         1         5         7         9        12        13\r\n",
    "                        505.00     900.00    1000.00    1613.33    2400.00\r\n",
    "   6       25.00%s         1         5         7         9        11        12        13\r\n",
    "                        505.00     900.00    1000.00    1600.00    1640.00    2400.00\r\n",
    "   7         .00%s         1         4         5         7         9        11        12"
    "        13\r\n",
    "                        500.00     520.00     900.00    1000.00    1600.00    1640.00    "
    "2400.00\r\n",
    "   8         .00%s         1         2         4         5         7         9        11"
    "        12        13\r\n",
    "                        500.00     500.00     520.00     900.00    1000.00    1600.00    "
    "1640.00    2400.00\r\n",
    "   9         .00%s         1         2         3         4         5         7         9"
    "        11        12        13\r\n",
    "                        500.00     500.00     500.00     520.00     900.00    1000.00    "
    "1600.00    1640.00    2400.00\r\n",
};

// The step curve: every sorted load at its position, and at the next position
// where the next load differs or it is the last: 12 + 7 points.
inline constexpr const char* kHandWorkedPlot =
    "          1      500.000000\r\n"
    "          2      500.000000\r\n"
    "          3      500.000000\r\n"
    "          4      500.000000\r\n"
    "          4      520.000000\r\n"
    "          5      520.000000\r\n"
    "          5      900.000000\r\n"
    "          6      900.000000\r\n"
    "          7      900.000000\r\n"
    "          7     1000.000000\r\n"
    "          8     1000.000000\r\n"
    "          9     1000.000000\r\n"
    "          9     1600.000000\r\n"
    "         10     1600.000000\r\n"
    "         11     1600.000000\r\n"
    "         11     1640.000000\r\n"
    "         12     1640.000000\r\n"
    "         12     2400.000000\r\n"
    "         13     2400.000000\r\n";

// The report with the operation counts of sets 1 to 9 filled in.
inline std::string handWorkedReport(std::span<const std::int64_t> operationCounts) {
    std::string report;
    for (int line = 0; line < 18; ++line) {
        char count[16];
        std::snprintf(count, sizeof count, "%9lld",
                      static_cast<long long>(operationCounts[static_cast<std::size_t>(line / 2)]));
        char text[256];
        std::snprintf(text, sizeof text, kHandWorkedReport[line], count);
        report += text;
    }
    return report;
}

}  // namespace tamsor::testing

#endif
