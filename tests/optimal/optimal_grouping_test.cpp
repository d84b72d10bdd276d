// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/optimal_grouping.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <span>
#include <stdexcept>
#include <vector>

namespace {

using tamsor::findOptimalGroupings;
using tamsor::OptimalGrouping;
using Positions = std::vector<int>;

// Sum of squares of the types, two passes in extended precision; the sum of the
// differences corrects for the rounding of each mean. Also gives the means.
long double groupingSquares(const std::vector<double>& loads, const Positions& positions,
                            std::vector<long double>* means = nullptr) {
    long double total = 0;
    for (std::size_t k = 0; k + 1 < positions.size(); ++k) {
        const int first = positions[k] - 1;
        const int end = positions[k + 1] - 1;
        long double mean = 0, squares = 0, differences = 0;
        for (int i = first; i < end; ++i)
            mean += loads[i];
        mean /= end - first;
        for (int i = first; i < end; ++i) {
            squares += (loads[i] - mean) * (loads[i] - mean);
            differences += loads[i] - mean;
        }
        total += squares - differences * differences / (end - first);
        if (means != nullptr) means->push_back(mean);
    }
    return total;
}

// What the prefix sums' own rounding may leave in any sum of squares: about u^2 of the sum
// of squared differences from the median.
double roundingFloor(const std::vector<double>& loads) {
    const double median = loads[(loads.size() - 1) / 2];
    double squares = 0;
    for (const double load : loads)
        squares += (load - median) * (load - median);
    return 1e-30 * squares;
}

// Checks every grouping against every split of the loads (at most 12): the best total of
// each n, and the boundaries where the best split beats all others by a clear margin; the
// reported means and sum of squares are those of the reported boundaries.
void expectAsExhaustive(const std::vector<double>& loads) {
    SCOPED_TRACE(::testing::Message() << loads.size() << " loads from " << loads.front());
    const int count = static_cast<int>(loads.size());
    const auto all = findOptimalGroupings(loads);
    ASSERT_EQ(all.size(), static_cast<std::size_t>(std::min(9, count)));
    constexpr long double kNone = std::numeric_limits<long double>::infinity();
    std::vector<long double> best(count + 1, kNone), secondBest(count + 1, kNone);
    std::vector<Positions> bestPositions(count + 1);
    // Bit i of `cuts` set: a type starts at load i + 2.
    for (unsigned cuts = 0; cuts < 1u << (count - 1); ++cuts) {
        Positions positions{1};
        for (int i = 0; i < count - 1; ++i)
            if (cuts >> i & 1) positions.push_back(i + 2);
        positions.push_back(count + 1);
        const int n = static_cast<int>(positions.size()) - 1;
        const long double total = groupingSquares(loads, positions);
        if (total < best[n]) {
            secondBest[n] = best[n];
            best[n] = total;
            bestPositions[n] = positions;
        } else if (total < secondBest[n]) {
            secondBest[n] = total;
        }
    }
    for (const OptimalGrouping& grouping : all) {
        const int n = grouping.typeCount;
        SCOPED_TRACE(::testing::Message() << n << " types");
        ASSERT_EQ(grouping.firstPositions.size(), static_cast<std::size_t>(n + 1));
        const double expected = static_cast<double>(best[n]);
        EXPECT_NEAR(grouping.sumOfSquares, expected, 1e-9 * expected + roundingFloor(loads));
        if (secondBest[n] > best[n] * (1 + 1e-6L)) {
            EXPECT_EQ(grouping.firstPositions, bestPositions[n]);
        }
        std::vector<long double> means;
        const double squares =
            static_cast<double>(groupingSquares(loads, grouping.firstPositions, &means));
        EXPECT_NEAR(grouping.sumOfSquares, squares, 1e-12 * squares + roundingFloor(loads));
        for (int k = 0; k < n; ++k)
            EXPECT_NEAR(grouping.means[k], static_cast<double>(means[k]),
                        1e-14 * std::abs(static_cast<double>(means[k])));
        if (n > 1) {
            EXPECT_GT(grouping.costEvaluations, all[n - 2].costEvaluations);
            EXPECT_LE(grouping.sumOfSquares, all[n - 2].sumOfSquares * (1 + 1e-12));
        }
    }
}

std::vector<double> sorted(std::vector<double> loads) {
    std::sort(loads.begin(), loads.end());
    return loads;
}

TEST(OptimalGrouping, FindsTheBestSplitOfRandomLoads) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> load(100, 5000);
    for (int count = 1; count <= 12; ++count) {
        for (int sample = 0; sample < 3; ++sample) {
            std::vector<double> loads(count);
            for (double& value : loads)
                value = load(random);
            expectAsExhaustive(sorted(loads));
        }
    }
}

TEST(OptimalGrouping, FindsTheBestSplitOfAwkwardLoads) {
    std::mt19937 random(11);
    std::uniform_int_distribution<int> small(1, 4);
    std::uniform_real_distribution<double> unit(0, 1);
    auto make = [&](int count, auto value) {
        std::vector<double> loads(count);
        for (double& entry : loads)
            entry = value();
        return sorted(loads);
    };
    // Many equal loads; all equal.
    expectAsExhaustive(make(12, [&] { return 100.0 * small(random); }));
    expectAsExhaustive(std::vector<double>(11, 2500));
    // Two clusters far apart, tight and loose.
    expectAsExhaustive(
        make(12, [&] { return unit(random) < 0.5 ? unit(random) : 1e7 + unit(random); }));
    expectAsExhaustive(
        make(11, [&] { return unit(random) < 0.3 ? 100 * unit(random) : 1e4 * unit(random); }));
    // A single outlier among similar loads.
    auto outlier = make(11, [&] { return 2000 + 50 * unit(random); });
    outlier.back() = 50000;
    expectAsExhaustive(outlier);
    // Loads near 1,000,000 that differ in the first decimal only.
    expectAsExhaustive(make(12, [&] { return 1e6 + 0.1 * small(random) + 0.1 * small(random); }));
    // Large offset, tiny spread; and a huge range, where the small loads' differences
    // still decide the best groupings.
    expectAsExhaustive(
        make(12, [&] { return 123456789 + 1e-4 * std::floor(1000 * unit(random)); }));
    expectAsExhaustive(make(12, [&] { return std::pow(10.0, -3 + 12 * unit(random)); }));
}

TEST(OptimalGrouping, EqualTotalsPutTheBoundariesFarthestLeft) {
    const std::vector<double> twenty(20, 5);
    const auto equal = findOptimalGroupings(twenty);
    for (const OptimalGrouping& grouping : equal) {
        Positions expected;
        for (int k = 1; k <= grouping.typeCount; ++k)
            expected.push_back(k);
        expected.push_back(21);
        EXPECT_EQ(grouping.firstPositions, expected);
        EXPECT_EQ(grouping.sumOfSquares, 0);
    }

    // Symmetric loads: both halves of each pair of mirrored splits give the same total, also
    // where decimal fractions make the computed totals differ in their last bits.
    for (const auto& triple : std::vector<std::vector<double>>{
             {1, 2, 3}, {0.1, 0.2, 0.3}, {1.1, 1.2, 1.3}, {0.3, 0.6, 0.9}, {12.1, 12.2, 12.3}})
        EXPECT_EQ(findOptimalGroupings(triple, 2)[1].firstPositions, (Positions{1, 2, 4}))
            << triple[0];
    EXPECT_EQ(findOptimalGroupings(std::vector<double>{0.1, 0.2, 0.3, 0.4}, 3)[2].firstPositions,
              (Positions{1, 2, 3, 5}));
    EXPECT_EQ(findOptimalGroupings(std::vector<double>{10, 20, 30, 40}, 3)[2].firstPositions,
              (Positions{1, 2, 3, 5}));
    const auto eleven =
        findOptimalGroupings(std::vector<double>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110}, 2);
    EXPECT_EQ(eleven[1].firstPositions, (Positions{1, 6, 12}));
    EXPECT_DOUBLE_EQ(eleven[1].sumOfSquares, 2750);

    // Fewer different loads than types: every load value keeps its own type, and the extra
    // types take single loads from the left.
    const auto few = findOptimalGroupings(std::vector<double>{1, 1, 1, 2, 2});
    EXPECT_EQ(few[1].firstPositions, (Positions{1, 4, 6}));
    EXPECT_EQ(few[2].firstPositions, (Positions{1, 2, 4, 6}));
    EXPECT_EQ(few[3].firstPositions, (Positions{1, 2, 3, 4, 6}));
    EXPECT_EQ(few[4].firstPositions, (Positions{1, 2, 3, 4, 5, 6}));
    for (std::size_t i = 1; i < few.size(); ++i)
        EXPECT_LT(few[i].sumOfSquares, 1e-20);
}

// Many loads on a grid of 1/8, exactly representable: moved by a power of two or scaled by
// one, the problem is the same, so the groupings must be too.
TEST(OptimalGrouping, OffsetsAndUnitsDoNotChangeTheGroupings) {
    std::mt19937 random(3);
    std::normal_distribution<double> scatter(0, 1);
    std::vector<double> loads;
    for (int i = 0; i < 3000; ++i) {
        const double centre = 1000.0 * (1 + i % 5);
        loads.push_back(std::round((centre + 0.02 * centre * scatter(random)) * 8) / 8);
    }
    loads = sorted(loads);
    const auto base = findOptimalGroupings(loads);
    for (const double offset : {0x1p20, 0x1p30}) {
        std::vector<double> moved = loads;
        for (double& load : moved)
            load += offset;
        const auto groupings = findOptimalGroupings(moved);
        for (std::size_t i = 0; i < base.size(); ++i) {
            EXPECT_EQ(groupings[i].firstPositions, base[i].firstPositions) << offset;
            EXPECT_NEAR(groupings[i].sumOfSquares, base[i].sumOfSquares,
                        1e-9 * base[i].sumOfSquares);
        }
    }
    std::vector<double> scaled = loads;
    for (double& load : scaled)
        load *= 0x1p-40;
    const auto groupings = findOptimalGroupings(scaled);
    for (std::size_t i = 0; i < base.size(); ++i) {
        EXPECT_EQ(groupings[i].firstPositions, base[i].firstPositions);
        EXPECT_DOUBLE_EQ(groupings[i].sumOfSquares, base[i].sumOfSquares * 0x1p-80);
    }
}

// The divide and conquer over monotone split positions keeps a layer at O(N log N).
TEST(OptimalGrouping, CostEvaluationsGrowAsNLogN) {
    std::mt19937 random(5);
    std::uniform_real_distribution<double> load(100, 5000);
    std::vector<double> loads(1 << 12);
    for (double& value : loads)
        value = load(random);
    const auto all = findOptimalGroupings(sorted(loads));
    const double count = static_cast<double>(loads.size());
    EXPECT_LE(all.back().costEvaluations, 9 * count * (std::log2(count) + 2));
}

// Loads as a data file gives them, in single precision, are grouped without a copy in
// double: the result must be that of their double values to the last bit, on loads spread
// evenly (long rows), repeating a few values (rows of total zero) and spanning more than a
// float can hold.
TEST(OptimalGrouping, SinglePrecisionLoadsGroupAsTheirDoubleValues) {
    std::mt19937 random(23);
    std::uniform_real_distribution<float> spread(500, 4000);
    std::vector<std::vector<float>> buildings(3, std::vector<float>(5000));
    for (float& load : buildings[0])
        load = spread(random);
    for (float& load : buildings[1])
        load = 1000.0f * static_cast<float>(1 + random() % 2);
    buildings[1][17] = 1500.5f;
    for (float& load : buildings[2])
        load = 250.0f * static_cast<float>(4 + random() % 9);
    buildings.push_back({-3e38f, -1.0f, 2.0f, 3e38f, 3e38f});
    for (std::vector<float>& loads : buildings) {
        std::sort(loads.begin(), loads.end());
        const std::vector<double> doubles(loads.begin(), loads.end());
        const auto expected = findOptimalGroupings(doubles);
        const auto groupings = findOptimalGroupings(std::span<const float>(loads));
        ASSERT_EQ(groupings.size(), expected.size());
        for (std::size_t i = 0; i < groupings.size(); ++i) {
            EXPECT_EQ(groupings[i].firstPositions, expected[i].firstPositions);
            EXPECT_EQ(groupings[i].means, expected[i].means);
            EXPECT_EQ(groupings[i].sumOfSquares, expected[i].sumOfSquares);
            EXPECT_EQ(groupings[i].costEvaluations, expected[i].costEvaluations);
        }
    }
}

TEST(OptimalGrouping, GivesTheTypeCountsAskedForAndRefusesInvalidInput) {
    EXPECT_EQ(findOptimalGroupings(std::vector<double>{3, 8, 9, 20, 21}, 3).size(), 3u);
    const auto one = findOptimalGroupings(std::vector<double>{42});
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].firstPositions, (Positions{1, 2}));
    EXPECT_EQ(one[0].means, (std::vector<double>{42}));

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    EXPECT_THROW(findOptimalGroupings(std::vector<double>{}), std::invalid_argument);
    EXPECT_THROW(findOptimalGroupings(std::vector<double>{1, nan, 3}), std::invalid_argument);
    EXPECT_THROW(findOptimalGroupings(std::vector<double>{1, 2, infinity}), std::invalid_argument);
    EXPECT_THROW(findOptimalGroupings(std::vector<double>{1, 3, 2}), std::invalid_argument);
    EXPECT_THROW(findOptimalGroupings(std::vector<double>{-1e308, 1e308}), std::invalid_argument);
    EXPECT_THROW(findOptimalGroupings(std::vector<double>{1, 2}, 0), std::invalid_argument);
    EXPECT_THROW(findOptimalGroupings(std::vector<double>{1, 2}, 10), std::invalid_argument);
}

}  // namespace
