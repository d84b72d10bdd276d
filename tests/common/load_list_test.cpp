// SPDX-License-Identifier: GPL-3.0-or-later
// The loads of a calculation as kept compactly: each handed out as it was added.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tamsor/load_list.h"

namespace {

using tamsor::LoadRecord;

// Lines that run on from 1 until a blank line, a note that first comes late, and lines
// beyond 2^32 (a data file of billions of blank lines): all come back as added.
TEST(LoadList, HandsBackEveryLoadAsAdded) {
    constexpr std::int64_t kWrap = std::int64_t{1} << 32;
    const std::vector<LoadRecord> added = {
        {1, 1600, ""},
        {2, 500, ""},
        {3, 2400, "kN core wall"},
        {5, 900, ""},
        {kWrap - 1, 520, "a/1"},
        {kWrap + 3, -0.0f, ""},
        {2 * kWrap, 1e30f, ""},
        {2 * kWrap + 7, 1, "é"},
    };
    tamsor::LoadList list;
    for (std::size_t count = 0; count < added.size(); ++count) {
        list.add(added[count].line, added[count].load, added[count].label);
        const std::vector<LoadRecord> expected(added.begin(), added.begin() + count + 1);
        ASSERT_EQ(list.records(), expected) << count;
    }
    EXPECT_EQ(list.line(6), 2 * kWrap);
    EXPECT_EQ(list.label(2), "kN core wall");
    EXPECT_TRUE(std::signbit(list.load(5)));
    EXPECT_EQ(tamsor::LoadList(added), list);

    // Loads on lines 1, 2, 3, the first with a note.
    tamsor::LoadList plain;
    for (int i = 0; i < 3; ++i)
        plain.add(i + 1, static_cast<float>(i), i == 0 ? "kN" : "");
    EXPECT_EQ(plain.records(), (std::vector<LoadRecord>{{1, 0, "kN"}, {2, 1, ""}, {3, 2, ""}}));
}

}  // namespace
