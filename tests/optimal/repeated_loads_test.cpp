// SPDX-License-Identifier: GPL-3.0-or-later
// Loads that repeat a few values: the groupings must be exactly those of a search that
// compares every total, with the same choice among equal totals.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "accurate_totals.h"
#include "dynamic_program.h"
#include "fast_totals.h"
#include "leading_runs.h"
#include "shifted_loads.h"
#include "tamsor/optimal_grouping.h"

namespace {

using tamsor::findOptimalGroupings;
using Positions = std::vector<int>;

// Least common multiple of 1..12: every type's S^2 / m becomes a whole number when scaled.
constexpr std::int64_t kCommonMultiple = 27720;

// For each n, the best grouping of small whole loads by trying every split, compared in
// exact integers: the sum of squares is the sum of x^2 less the sum over types of S^2 / m,
// so the best grouping has the largest sum of S^2 * (27720 / m). Of equal ones, the one
// whose last type starts furthest left, then the type before it, and so on: the search's
// rule of taking the leftmost column among equal totals, row by row from the last.
std::vector<Positions> exhaustiveLeftmostBest(const std::vector<int>& loads) {
    const int count = static_cast<int>(loads.size());
    std::vector<std::int64_t> bestScore(count + 1, -1);
    std::vector<Positions> best(count + 1);
    const auto reversedLess = [](const Positions& a, const Positions& b) {
        return std::lexicographical_compare(a.rbegin(), a.rend(), b.rbegin(), b.rend());
    };
    for (unsigned cuts = 0; cuts < 1u << (count - 1); ++cuts) {
        Positions positions{1};
        for (int i = 0; i < count - 1; ++i)
            if (cuts >> i & 1) positions.push_back(i + 2);
        positions.push_back(count + 1);
        std::int64_t score = 0;
        for (std::size_t k = 0; k + 1 < positions.size(); ++k) {
            std::int64_t sum = 0;
            for (int i = positions[k] - 1; i < positions[k + 1] - 1; ++i)
                sum += loads[i];
            score += sum * sum * (kCommonMultiple / (positions[k + 1] - positions[k]));
        }
        const std::size_t n = positions.size() - 1;
        if (score > bestScore[n] || (score == bestScore[n] && reversedLess(positions, best[n]))) {
            bestScore[n] = score;
            best[n] = positions;
        }
    }
    return best;
}

// Up to nine loads drawn from one to four values: every count, many equal totals, exact
// zeros where there are as many types as values, and loads of 0 and -0 mixed.
TEST(RepeatedLoads, GroupingsAreTheLeftmostOfTheExhaustiveBest) {
    std::mt19937 random(17);
    for (int count = 1; count <= 9; ++count) {
        for (int sample = 0; sample < 40; ++sample) {
            std::uniform_int_distribution<int> valueCount(1, 4);
            std::vector<int> values(valueCount(random));
            std::uniform_int_distribution<int> value(0, 12);
            for (int& v : values)
                v = value(random);
            std::uniform_int_distribution<std::size_t> pick(0, values.size() - 1);
            std::vector<int> loads(count);
            for (int& load : loads)
                load = values[pick(random)];
            std::sort(loads.begin(), loads.end());
            std::vector<double> asLoads(loads.begin(), loads.end());
            // A load of 0 written as -0 on every other sample: equal to 0 in every respect.
            if (sample % 2 == 1)
                for (double& load : asLoads)
                    if (load == 0) load = -0.0;

            const auto expected = exhaustiveLeftmostBest(loads);
            const auto groupings = findOptimalGroupings(asLoads);
            ASSERT_EQ(groupings.size(), static_cast<std::size_t>(std::min(count, 9)));
            for (const auto& grouping : groupings) {
                const int n = grouping.typeCount;
                EXPECT_EQ(grouping.firstPositions, expected[n])
                    << n << " types of " << ::testing::PrintToString(loads);
                // A grouping of types of equal loads has exactly nothing to report.
                bool allEqual = true;
                for (int k = 0; k < n; ++k)
                    allEqual = allEqual && loads[grouping.firstPositions[k] - 1] ==
                                               loads[grouping.firstPositions[k + 1] - 2];
                if (allEqual) {
                    EXPECT_EQ(grouping.sumOfSquares, 0) << n;
                }
            }
        }
    }
}

// The groupings of the search with accurate totals throughout, every row searched: the
// reference that a run whose fast totals were in doubt fell back on.
std::vector<Positions> accurateSearch(const std::vector<double>& sortedLoads) {
    const tamsor::optimal::ShiftedLoads loads(sortedLoads);
    const int typeLimit = std::min(9, loads.count());
    tamsor::optimal::DynamicProgram program(loads.count(), typeLimit);
    tamsor::optimal::AccurateTotals totals(loads);
    program.run(totals, false);
    std::vector<Positions> positions;
    for (int n = 1; n <= typeLimit; ++n)
        positions.push_back(program.firstPositions(n));
    return positions;
}

std::vector<double> levels(int count, const std::vector<double>& values, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<std::size_t> pick(0, values.size() - 1);
    std::vector<double> loads(count);
    for (double& load : loads)
        load = values[pick(random)];
    std::sort(loads.begin(), loads.end());
    return loads;
}

// Larger buildings that repeat loads, as single-precision values from 0.1 kN text: the same
// groupings as the accurate search. Loads of one or two values need no search at all beyond
// the first layer (one evaluation per row and layer), which is what keeps them fast.
TEST(RepeatedLoads, LargeBuildingsGroupAsTheAccurateSearch) {
    const auto tenths = [](double load) { return static_cast<double>(static_cast<float>(load)); };
    struct Building {
        const char* name;
        std::vector<double> loads;
        bool twoValuesAtMost;
    };
    std::vector<Building> buildings{
        {"all equal", std::vector<double>(3000, tenths(1500.0)), true},
        {"two levels", levels(3000, {1000, 2000}, 1), true},
        {"nine levels", levels(3000, {1000, 1250, 1500, 1750, 2000, 2250, 2500, 2750, 3000}, 2),
         false},
        {"three levels", levels(3001, {1000, 2000, 3000}, 3), false},
        {"levels close together beside a far one",
         levels(3000, {tenths(1000.0), tenths(1000.1), tenths(1000.2), 5000}, 4), false},
    };
    // Clusters of standard columns: loads rounded to whole kilonewtons repeat often, and
    // clusters placed symmetrically give equal totals between them.
    std::mt19937 random(5);
    std::vector<double> clusters;
    for (int i = 0; i < 3000; ++i) {
        std::normal_distribution<double> scatter(1000.0 * (1 + i % 4), 20);
        clusters.push_back(std::round(scatter(random)));
    }
    std::sort(clusters.begin(), clusters.end());
    buildings.push_back({"clusters with many ties", clusters, false});
    std::vector<double> mirrored;
    for (int i = 0; i < 600; ++i)
        for (const double load : {1000.0, 1001.0, 2000.0, 2999.0, 3000.0})
            mirrored.push_back(load);
    std::sort(mirrored.begin(), mirrored.end());
    buildings.push_back({"mirrored clusters", mirrored, false});

    for (const Building& building : buildings) {
        SCOPED_TRACE(building.name);
        const auto expected = accurateSearch(building.loads);
        const auto groupings = findOptimalGroupings(building.loads);
        ASSERT_EQ(groupings.size(), expected.size());
        for (const auto& grouping : groupings)
            EXPECT_EQ(grouping.firstPositions, expected[grouping.typeCount - 1])
                << grouping.typeCount << " types";
        if (building.twoValuesAtMost) {
            EXPECT_LE(groupings.back().costEvaluations,
                      static_cast<std::int64_t>(9 * building.loads.size()));
        }
    }
}

// The groupings of the search over single loads with the fast totals, every row searched,
// and their means and sums as that search's loads give them.
std::vector<tamsor::OptimalGrouping> singleLoadSearch(const std::vector<double>& sortedLoads) {
    const tamsor::optimal::ShiftedLoads loads(sortedLoads);
    const int typeLimit = std::min(9, loads.count());
    // The rows of total zero filled from the leading runs, as the search over single loads
    // fills them where different loads stand apart.
    const tamsor::optimal::LeadingRuns leadingRuns{std::span<const double>(sortedLoads)};
    tamsor::optimal::DynamicProgram program(loads.count(), typeLimit, &leadingRuns);
    tamsor::optimal::FastTotals totals(loads);
    if (!program.run(totals, true)) {
        ADD_FAILURE() << "the fast totals are in doubt for " << sortedLoads.size() << " loads";
        return {};
    }
    std::vector<tamsor::OptimalGrouping> groupings(typeLimit);
    for (int n = 1; n <= typeLimit; ++n) {
        auto& grouping = groupings[n - 1];
        grouping.firstPositions = program.firstPositions(n);
        for (int k = 0; k < n; ++k) {
            const auto type = loads.statistics(grouping.firstPositions[k] - 1,
                                               grouping.firstPositions[k + 1] - 1);
            grouping.means.push_back(type.mean);
            grouping.sumOfSquares += type.sumOfSquares;
        }
    }
    return groupings;
}

std::vector<double> tenthsOfAKilonewton(int count, unsigned seed, double low, double high) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> tenths(static_cast<int>(low * 10),
                                              static_cast<int>(high * 10));
    std::vector<double> loads(count);
    for (double& load : loads)
        load = static_cast<float>(tenths(random) / 10.0);
    std::sort(loads.begin(), loads.end());
    return loads;
}

// Loads written to a tenth of a kilonewton repeat, and are searched over their runs of equal
// loads: the groupings, their means and sums must be those of the search over single loads
// to the bit, for many different loads, a few clusters, and fewer different loads than types.
TEST(RepeatedLoads, RunsOfEqualLoadsGroupAsTheSearchOverSingleLoads) {
    std::vector<std::vector<double>> buildings{tenthsOfAKilonewton(20000, 41, 500, 4000),
                                               tenthsOfAKilonewton(5000, 42, 1000, 1200)};
    std::mt19937 random(43);
    std::vector<double> clusters;
    for (int i = 0; i < 8000; ++i) {
        std::normal_distribution<double> scatter(1000.0 * (1 + i % 4), 150);
        clusters.push_back(static_cast<float>(std::round(scatter(random) * 10) / 10));
    }
    std::sort(clusters.begin(), clusters.end());
    buildings.push_back(clusters);
    buildings.push_back(levels(4000, {1000, 2000, 3000, 4000}, 44));
    for (const auto& loads : buildings) {
        const auto expected = singleLoadSearch(loads);
        if (expected.empty()) continue;
        for (const auto& grouping : findOptimalGroupings(loads)) {
            SCOPED_TRACE(::testing::Message()
                         << grouping.typeCount << " types of " << loads.size() << " loads");
            const auto& single = expected[grouping.typeCount - 1];
            EXPECT_EQ(grouping.firstPositions, single.firstPositions);
            EXPECT_EQ(grouping.means, single.means);
            EXPECT_EQ(grouping.sumOfSquares, single.sumOfSquares);
        }
    }
}

// Different loads, large enough for the first rows of a layer to search windows of tens of
// thousands of columns, which are searched block by block: the blocks left out hold no better
// total, so the groupings are those of the accurate search, which computes every column.
// Mirrored clusters tie between groupings whose boundaries lie far apart: the leftmost must be
// found whichever block the search starts from.
TEST(RepeatedLoads, LargeWindowsSearchedBlockByBlockGroupAsTheAccurateSearch) {
    std::mt19937 random(31);
    std::uniform_real_distribution<double> load(500, 4000);
    std::vector<double> spread(60000);
    for (double& value : spread)
        value = load(random);
    std::sort(spread.begin(), spread.end());
    std::vector<double> mirrored;
    for (int i = 0; i < 12000; ++i)
        for (const double value : {1000.0, 1001.0, 2000.0, 2999.0, 3000.0})
            mirrored.push_back(value + (i % 3) * 0.25);
    std::sort(mirrored.begin(), mirrored.end());
    for (const auto* loads : {&spread, &mirrored}) {
        const auto expected = accurateSearch(*loads);
        for (const auto& grouping : findOptimalGroupings(*loads))
            EXPECT_EQ(grouping.firstPositions, expected[grouping.typeCount - 1])
                << grouping.typeCount << " types of " << loads->size() << " loads";
    }
}

}  // namespace
