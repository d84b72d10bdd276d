// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/least_spread.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "tamsor/optimal_grouping.h"
#include "tamsor/spread_figures.h"

namespace {

using tamsor::fewestTypesWithin;
using tamsor::findLeastSpreadGroupings;
using Loads = std::vector<double>;
using Positions = std::vector<int>;

// A type's spread as the 0-based positions of its smallest and largest load.
struct Spread {
    int smallest = 0;
    int largest = 0;
};

// Whether spread a is below spread b, as products of loads in extended precision: exact for
// the loads here (integers below 2^31, eighths below 2^28, single-precision values).
bool below(const Loads& x, Spread a, Spread b) {
    return static_cast<long double>(x[a.smallest]) * x[b.largest] >
           static_cast<long double>(x[b.smallest]) * x[a.largest];
}

Spread worstSpread(const Loads& x, const Positions& positions) {
    Spread worst;
    for (std::size_t k = 0; k + 1 < positions.size(); ++k)
        worst = std::max(worst, Spread{positions[k] - 1, positions[k + 1] - 2},
                         [&](Spread a, Spread b) { return below(x, a, b); });
    return worst;
}

long double percentOf(const Loads& x, Spread s) {
    return 100.0L * (x[s.largest] - static_cast<long double>(x[s.smallest])) / x[s.largest];
}

long double squaresOf(const Loads& x, const Positions& positions) {
    long double total = 0;
    for (std::size_t k = 0; k + 1 < positions.size(); ++k) {
        long double mean = 0;
        for (int i = positions[k] - 1; i < positions[k + 1] - 1; ++i)
            mean += x[i];
        mean /= positions[k + 1] - positions[k];
        for (int i = positions[k] - 1; i < positions[k + 1] - 1; ++i)
            total += (x[i] - mean) * (x[i] - mean);
    }
    return total;
}

// The brute-force choice for every type count: least worst spread, then least sum of squares,
// then (sums equal to 2^-40) the boundaries farthest left, the last boundary first.
struct Best {
    Spread worst;
    long double squares = 0;
    Positions positions;
};

std::vector<Best> bruteForce(const Loads& x) {
    const int count = static_cast<int>(x.size());
    std::vector<Best> best(count + 1);
    // Bit i of `cuts` set: a type starts at load i + 2.
    for (unsigned cuts = 0; cuts < 1u << (count - 1); ++cuts) {
        Positions split{1};
        for (int i = 0; i < count - 1; ++i)
            if (cuts >> i & 1) split.push_back(i + 2);
        split.push_back(count + 1);
        const Best candidate{worstSpread(x, split), squaresOf(x, split), split};
        Best& ofCount = best[split.size() - 1];
        const long double margin = 0x1p-40L * ofCount.squares;
        const bool better = ofCount.positions.empty() || below(x, candidate.worst, ofCount.worst) ||
                            (!below(x, ofCount.worst, candidate.worst) &&
                             (candidate.squares < ofCount.squares - margin ||
                              (candidate.squares <= ofCount.squares + margin &&
                               std::lexicographical_compare(split.rbegin(), split.rend(),
                                                            ofCount.positions.rbegin(),
                                                            ofCount.positions.rend()))));
        if (better) ofCount = candidate;
    }
    return best;
}

// Every grouping, and the fewest types within tolerances between all the spreads a type of
// these loads can have (where rounding cannot matter), against brute force (at most 12).
void expectAsBruteForce(const Loads& x) {
    SCOPED_TRACE(::testing::Message() << x.size() << " loads from " << x.front());
    const int count = static_cast<int>(x.size());
    const std::vector<Best> best = bruteForce(x);
    const auto all = findLeastSpreadGroupings(x);
    ASSERT_EQ(all.size(), static_cast<std::size_t>(std::min(9, count)));
    for (const auto& [grouping, worstPercent] : all) {
        const Best& expected = best[grouping.typeCount];
        SCOPED_TRACE(::testing::Message() << grouping.typeCount << " types");
        EXPECT_EQ(grouping.firstPositions, expected.positions);
        const double squares = static_cast<double>(expected.squares);
        EXPECT_NEAR(grouping.sumOfSquares, squares, 1e-9 * squares + 1e-12);
        EXPECT_NEAR(worstPercent, percentOf(x, expected.worst), 1e-12 * worstPercent);
        if (grouping.typeCount > 1) {
            EXPECT_GT(grouping.costEvaluations,
                      all[grouping.typeCount - 2].grouping.costEvaluations);
        }
    }
    std::vector<long double> spreads{0, 200};
    for (int i = 0; i < count; ++i)
        for (int j = i; j < count; ++j)
            spreads.push_back(percentOf(x, {i, j}));
    std::sort(spreads.begin(), spreads.end());
    spreads.erase(std::unique(spreads.begin(), spreads.end()), spreads.end());
    for (std::size_t i = 0; i + 1 < spreads.size(); ++i) {
        const double tolerance = static_cast<double>((spreads[i] + spreads[i + 1]) / 2);
        int fewest = 1;
        while (!(percentOf(x, best[fewest].worst) <= tolerance))
            ++fewest;
        EXPECT_EQ(fewestTypesWithin(x, tolerance), fewest) << tolerance << " %";
    }
}

Loads sorted(Loads loads) {
    std::sort(loads.begin(), loads.end());
    return loads;
}

TEST(LeastSpread, MatchesBruteForceOnRandomAndAwkwardLoads) {
    std::mt19937 random(17);
    std::uniform_int_distribution<int> load(100, 5000), small(1, 4);
    auto make = [&](int count, auto value) {
        Loads loads(count);
        std::generate(loads.begin(), loads.end(), value);
        return sorted(loads);
    };
    for (int count = 1; count <= 12; ++count)
        for (int sample = 0; sample < 3; ++sample)
            expectAsBruteForce(make(count, [&] { return load(random); }));
    // Ties: few different loads; all loads equal.
    expectAsBruteForce(make(12, [&] { return 100.0 * small(random); }));
    expectAsBruteForce(make(11, [&] { return 300.0 + small(random); }));
    expectAsBruteForce(Loads(11, 2500));
    // Many types with the same spread (10/11 in each pair): the sums of squares decide.
    expectAsBruteForce({100, 110, 200, 220, 400, 440, 800, 880, 1600, 1760, 3200, 3520});
    // Spreads whose quotients of loads round to the same double (a c = b^2 - 1): only exact
    // products show that {a}, {b, c} spreads less, though {a, b}, {c} has less variance.
    expectAsBruteForce({899999999, 900029999, 900060000});
    // One outlier among similar loads; a load 10^6 times another.
    Loads outlier = make(11, [&] { return 2000.0 + small(random); });
    outlier.back() = 50000;
    expectAsBruteForce(outlier);
    Loads wide = make(11, [&] { return load(random); });
    wide.front() = 3;
    wide.back() = 3e6;
    expectAsBruteForce(wide);
    // Loads near 1,000,000 that differ in the eighths only.
    expectAsBruteForce(make(12, [&] { return 1e6 + 0.125 * small(random) * small(random); }));
}

// On generated buildings of 11 to 300 isolators (clusters or a range, to 0.1 kN in single
// precision), for every type count: never a worse worst spread than the exact technique's
// grouping nor a smaller sum of squares, a worst spread that never rises with the count, and
// the fewest types within a tolerance agreeing with the worst spreads.
TEST(LeastSpread, NeverSpreadsFurtherThanOptimal) {
    std::mt19937 random(23);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int sample = 0; sample < 40; ++sample) {
        const int clusters = std::uniform_int_distribution<int>(0, 5)(random);
        const double scatter = 0.01 + 0.14 * unit(random);
        std::vector<double> centres(clusters);
        for (double& centre : centres)
            centre = 500 + 4500 * unit(random);
        Loads x(std::uniform_int_distribution<int>(11, 300)(random));
        for (std::size_t i = 0; i < x.size(); ++i) {
            double load = 200 + 6000 * unit(random);
            if (clusters > 0)
                load = std::normal_distribution<double>(1, scatter)(random) * centres[i % clusters];
            x[i] = static_cast<float>(std::round(std::max(load, 1.0) * 10) / 10);
        }
        x = sorted(x);
        SCOPED_TRACE(::testing::Message() << "building " << sample << ", " << x.size() << " loads");
        const auto least = findLeastSpreadGroupings(x);
        const auto optimal = tamsor::findOptimalGroupings(x);
        for (std::size_t i = 0; i < least.size(); ++i) {
            const auto& [grouping, worst] = least[i];
            const int n = grouping.typeCount;
            EXPECT_LE(worst, tamsor::spreadFigures(x, optimal[i].firstPositions).worstSpreadPercent)
                << n;
            EXPECT_GE(grouping.sumOfSquares, optimal[i].sumOfSquares * (1 - 1e-12)) << n;
            if (i > 0) {
                EXPECT_LE(worst, least[i - 1].worstSpreadPercent) << n;
            }
            EXPECT_LE(fewestTypesWithin(x, worst), n);
            if (worst > 0) {
                EXPECT_GT(fewestTypesWithin(x, std::nextafter(worst, 0.0)), n);
            }
        }
    }
}

// OFFICE5 in 5 types, worked by brute force over every split: the exact technique leaves type
// 2 (1,773.7 to 2,045.7) 13.3 % below its design load at a pooled variance of 4,265.10; the
// least-spread grouping keeps every type within 8.3 % at 4,543.78, 6.5 % more. 4 types keep
// 15 %, only 5 keep 13.2 %.
TEST(LeastSpread, Office5) {
    std::ifstream in(std::string(TAMSOR_EXAMPLES_DIR) + "/OFFICE5.DAT");
    Loads x;
    for (double load = 0; in >> load;)
        x.push_back(load);
    x = sorted(x);
    ASSERT_EQ(x.size(), 24u);
    const auto optimal = tamsor::findOptimalGroupings(x)[4];
    EXPECT_NEAR(optimal.sumOfSquares / 24, 4265.10, 0.005);
    EXPECT_NEAR(tamsor::spreadFigures(x, optimal.firstPositions).worstSpreadPercent, 13.3, 0.05);
    EXPECT_EQ(x[optimal.firstPositions[1] - 1], 1773.7);
    EXPECT_EQ(x[optimal.firstPositions[2] - 2], 2045.7);

    const auto least = findLeastSpreadGroupings(x)[4];
    EXPECT_EQ(least.grouping.firstPositions, (Positions{1, 5, 10, 17, 21, 25}));
    EXPECT_NEAR(least.worstSpreadPercent, 8.3, 0.05);
    EXPECT_NEAR(least.grouping.sumOfSquares / 24, 4543.78, 0.005);
    EXPECT_NEAR(least.grouping.sumOfSquares / optimal.sumOfSquares, 1.065, 0.0005);
    EXPECT_EQ(fewestTypesWithin(x, 15), 4);
    EXPECT_EQ(fewestTypesWithin(x, 13.2), 5);
}

TEST(LeastSpread, EqualAndNearlyEqualLoads) {
    // Twenty equal loads: the boundaries lie farthest left, as the exact technique puts them.
    const auto equal = findLeastSpreadGroupings(Loads(20, 5), 3);
    EXPECT_EQ(equal[2].grouping.firstPositions, (Positions{1, 2, 3, 21}));
    EXPECT_EQ(equal[2].worstSpreadPercent, 0);
    // 1,000,000.1 and 1,000,000.2 are two loads 1e-5 % apart, not one.
    const Loads near{1000000.1, 1000000.1, 1000000.1, 1000000.2, 1000000.2};
    const auto groupings = findLeastSpreadGroupings(near, 3);
    EXPECT_DOUBLE_EQ(groupings[0].worstSpreadPercent, (near[4] - near[0]) / near[4] * 100);
    EXPECT_EQ(groupings[1].grouping.firstPositions, (Positions{1, 4, 6}));
    EXPECT_EQ(groupings[2].grouping.firstPositions, (Positions{1, 2, 4, 6}));
    EXPECT_EQ(fewestTypesWithin(near, 0), 2);
    EXPECT_EQ(fewestTypesWithin(near, 1e-5), 1);
}

TEST(LeastSpread, FewestTypesMayExceedNineAndBadInputIsRefused) {
    Loads forty(40);
    for (int i = 0; i < 40; ++i)
        forty[i] = 1001 + i;
    EXPECT_EQ(fewestTypesWithin(forty, 0), 40);
    EXPECT_EQ(fewestTypesWithin(forty, 99.9), 1);

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    auto refusal = [](const Loads& loads) {
        try {
            findLeastSpreadGroupings(loads);
        } catch (const std::invalid_argument& error) {
            return std::string(error.what());
        }
        return std::string("accepted");
    };
    EXPECT_EQ(refusal({1, 3, 2}), "the loads are not in ascending order at sorted position 3");
    EXPECT_EQ(refusal({0, 1, 2}), "a load of zero or less at sorted position 1");
    EXPECT_EQ(refusal({-2, -1, 3}), "a load of zero or less at sorted position 1");
    EXPECT_EQ(refusal({1, 2, infinity}), "a load that is not finite at sorted position 3");
    EXPECT_EQ(refusal({1, nan}), "a load that is not finite at sorted position 2");
    EXPECT_EQ(refusal({}), "there are no loads");
    EXPECT_THROW(findLeastSpreadGroupings(forty, 10), std::invalid_argument);
    EXPECT_THROW(fewestTypesWithin(forty, -0.1), std::invalid_argument);
    EXPECT_THROW(fewestTypesWithin(forty, nan), std::invalid_argument);
    EXPECT_THROW(fewestTypesWithin(Loads{1, 0}, 10), std::invalid_argument);
}

}  // namespace
