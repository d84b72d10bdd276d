// SPDX-License-Identifier: GPL-3.0-or-later
// Seven isolators of a hand-worked data file: blank lines and comments sit
// between the loads (lines 1, 4 and 8), two pairs of equal loads, and labels
// with commas, quotes and non-ASCII text. Sorted: 640 (line 6), 980 (3),
// 980 (9), 1100 (7), 1250.5 (2), 1250.5 (5), 2010 (10). The grouping
// {1, 3, 6, 8} splits both pairs: line 3 and line 2 stay with the lower type.
#ifndef TAMSOR_TESTS_HAND_WORKED_BUILDING_H
#define TAMSOR_TESTS_HAND_WORKED_BUILDING_H

#include <vector>

#include "tamsor/isolator_schedule.h"

namespace tamsor {

inline std::vector<IsolatorLoad> handWorkedLoads() {
    return {
        {2, 1250.5f, "axis B/4"},
        {3, 980.0f, "column C, north"},
        {5, 1250.5f, "pier \"P7\""},
        {6, 640.0f, "S\xC3\xA4ule \xC3\x84/3"},
        {7, 1100.0f, ""},
        {9, 980.0f, "corner A/1"},
        {10, 2010.0f, "core wall, \"east\""},
    };
}

inline const std::vector<int> kHandWorkedGrouping = {1, 3, 6, 8};

inline IsolatorSchedule handWorkedSchedule() {
    return makeIsolatorSchedule(handWorkedLoads(), kHandWorkedGrouping);
}

}  // namespace tamsor

#endif
