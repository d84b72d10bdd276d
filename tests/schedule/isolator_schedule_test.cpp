// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/isolator_schedule.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>
#include <vector>

#include "hand_worked_building.h"

namespace tamsor {
namespace {

using ::testing::HasSubstr;
using ::testing::ThrowsMessage;

TEST(IsolatorSchedule, FiguresOfEachTypeAndEqualLoadsSplitByFileOrder) {
    const auto schedule = handWorkedSchedule();
    ASSERT_EQ(schedule.types.size(), 3u);
    // By hand: means 1620 / 2, 3330.5 / 3, 3260.5 / 2; percent (largest - mean) / mean x 100.
    const double means[] = {810.0, 3330.5 / 3, 1630.25};
    const double spreads[] = {340.0, 270.5, 759.5};
    const double percents[] = {170.0 / 810 * 100, (1250.5 - means[1]) / means[1] * 100,
                               379.75 / 1630.25 * 100};
    for (std::size_t k = 0; k < 3; ++k) {
        const auto& type = schedule.types[k];
        EXPECT_EQ(type.type, static_cast<int>(k) + 1);
        EXPECT_DOUBLE_EQ(type.mean, means[k]) << "type " << k + 1;
        EXPECT_DOUBLE_EQ(type.spread, spreads[k]) << "type " << k + 1;
        EXPECT_NEAR(type.largestAboveMeanPercent.value(), percents[k], 1e-9) << "type " << k + 1;
    }
    EXPECT_EQ(schedule.types[1].isolators, 3);
    EXPECT_EQ(schedule.types[1].smallest, 980.0f);
    EXPECT_EQ(schedule.types[1].largest, 1250.5f);

    // File order kept; of each equal pair the earlier line takes the lower type.
    const int lines[] = {2, 3, 5, 6, 7, 9, 10};
    const int types[] = {2, 1, 3, 1, 2, 2, 3};
    ASSERT_EQ(schedule.isolators.size(), 7u);
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(schedule.isolators[i].line, lines[i]);
        EXPECT_EQ(schedule.isolators[i].type, types[i]) << "line " << lines[i];
        EXPECT_EQ(schedule.isolators[i].label, handWorkedLoads()[i].label);
    }
}

TEST(IsolatorSchedule, EqualLoadsFollowFileOrderInALargeBuilding) {
    // Ten each of four loads in turn; types 1 and 2 share the smallest load,
    // so its first five isolators in the file are type 1.
    std::vector<IsolatorLoad> loads;
    for (int i = 0; i < 40; ++i)
        loads.push_back({i + 1, static_cast<float>((3 - i % 4) * 10), ""});
    const auto schedule = makeIsolatorSchedule(loads, std::vector{1, 6, 21, 41});
    int smallestSeen = 0;
    for (const auto& isolator : schedule.isolators) {
        const int expected = isolator.load == 0    ? (++smallestSeen <= 5 ? 1 : 2)
                             : isolator.load == 10 ? 2
                                                   : 3;
        EXPECT_EQ(isolator.type, expected) << "line " << isolator.line;
    }
}

TEST(IsolatorSchedule, OneIsolatorTypesEqualLoadsAndMeansAtOrBelowZero) {
    const auto single =
        makeIsolatorSchedule(handWorkedLoads(), std::vector{1, 2, 3, 4, 5, 6, 7, 8});
    for (const auto& type : single.types) {
        EXPECT_EQ(type.isolators, 1);
        EXPECT_EQ(type.spread, 0.0);
        EXPECT_EQ(type.mean, type.largest);
        EXPECT_EQ(type.largestAboveMeanPercent, 0.0);
    }
    EXPECT_EQ(single.isolators[2].type, 6);  // line 5, the second 1250.5

    // Equal loads: the mean is the load itself, so nothing shows as "-0.0" %.
    const std::vector<IsolatorLoad> equal(7, {1, 0.1f, ""});
    EXPECT_EQ(makeIsolatorSchedule(equal, std::vector{1, 8}).types[0].largestAboveMeanPercent, 0.0);

    // Loads near a million that a single-precision sum would not tell apart.
    const std::vector<IsolatorLoad> large = {
        {1, 1000000.0625f, ""}, {2, 1000000.125f, ""}, {3, 1000000.125f, ""}};
    EXPECT_DOUBLE_EQ(makeIsolatorSchedule(large, std::vector{1, 4}).types[0].mean,
                     3000000.3125 / 3);

    const std::vector<IsolatorLoad> uplift = {{1, -30, ""}, {2, -10, ""}, {3, 5, ""}, {4, -5, ""}};
    const auto signs = makeIsolatorSchedule(uplift, std::vector{1, 3, 5});
    EXPECT_EQ(signs.types[0].mean, -20.0);
    EXPECT_EQ(signs.types[1].mean, 0.0);
    EXPECT_FALSE(signs.types[0].largestAboveMeanPercent);
    EXPECT_FALSE(signs.types[1].largestAboveMeanPercent);
}

TEST(IsolatorSchedule, RefusesGroupingsThatDoNotFitTheLoads) {
    const auto loads = handWorkedLoads();
    const std::vector<std::vector<int>> wrong = {
        {},           {1},        // no types
        {0, 3, 8},    {2, 3, 8},  // not from the first load
        {1, 3, 7},    {1, 3, 9},  // not to the last
        {1, 3, 3, 8},             // an empty type
        {1, 5, 3, 8},             // positions going back
    };
    for (const auto& grouping : wrong)
        EXPECT_THROW(makeIsolatorSchedule(loads, grouping), std::invalid_argument)
            << ::testing::PrintToString(grouping);
    EXPECT_THROW(makeIsolatorSchedule({}, std::vector{1, 1}), std::invalid_argument);
    EXPECT_THAT(
        [&] {
            makeIsolatorSchedule(loads, std::vector{1, 3, 3, 8});
        },
        ThrowsMessage<std::invalid_argument>(HasSubstr("type 2 would be empty")));

    // Nine types at most.
    const std::vector<IsolatorLoad> ten(10, {1, 5.0f, ""});
    EXPECT_NO_THROW(makeIsolatorSchedule(ten, std::vector{1, 2, 3, 4, 5, 6, 7, 8, 9, 11}));
    EXPECT_THROW(makeIsolatorSchedule(ten, std::vector{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}),
                 std::invalid_argument);

    auto broken = loads;
    broken[4].load = std::numeric_limits<float>::quiet_NaN();
    EXPECT_THAT([&] { makeIsolatorSchedule(broken, kHandWorkedGrouping); },
                ThrowsMessage<std::invalid_argument>(HasSubstr("load on line 7 is not a finite")));
}

}  // namespace
}  // namespace tamsor
