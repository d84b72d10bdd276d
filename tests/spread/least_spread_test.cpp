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
using tamsor::LeastSpreadGrouping;
using Loads = std::vector<double>;
using Positions = std::vector<int>;

// A type's spread as the 0-based positions of its smallest and largest load.
struct Spread {
    int smallest = 0;
    int largest = 0;
};

// Whether spread a is below spread b: x_as / x_al > x_bs / x_bl, compared as products in
// extended precision. Exact for the loads of these tests: integers below 2^31, eighths
// below 2^28 or single-precision values, whose products need at most 64 bits.
bool below(const Loads& x, Spread a, Spread b) {
    return static_cast<long double>(x[a.smallest]) * x[b.largest] >
           static_cast<long double>(x[b.smallest]) * x[a.largest];
}

bool sameSpread(const Loads& x, Spread a, Spread b) {
    return !below(x, a, b) && !below(x, b, a);
}

Spread worstSpread(const Loads& x, const Positions& positions) {
    Spread worst{0, 0};
    for (std::size_t k = 0; k + 1 < positions.size(); ++k) {
        const Spread type{positions[k] - 1, positions[k + 1] - 2};
        if (below(x, worst, type)) worst = type;
    }
    return worst;
}

long double percentOf(const Loads& x, Spread s) {
    return 100.0L * (x[s.largest] - static_cast<long double>(x[s.smallest])) / x[s.largest];
}

// Sum of squares about the type means in extended precision, two passes; also the means.
long double squaresOf(const Loads& x, const Positions& positions,
                      std::vector<long double>* means = nullptr) {
    long double total = 0;
    for (std::size_t k = 0; k + 1 < positions.size(); ++k) {
        const int first = positions[k] - 1;
        const int end = positions[k + 1] - 1;
        long double mean = 0;
        for (int i = first; i < end; ++i)
            mean += x[i];
        mean /= end - first;
        for (int i = first; i < end; ++i)
            total += (x[i] - mean) * (x[i] - mean);
        if (means != nullptr) means->push_back(mean);
    }
    return total;
}

// The best grouping of every split into n types, by brute force: least worst spread, then
// least sum of squares, then (among sums equal to rounding) the boundaries farthest left,
// the last boundary first. `clear` is false where some sum lies too near the best to tell.
struct Best {
    Spread worst;
    long double squares = std::numeric_limits<long double>::infinity();
    Positions positions;
    bool clear = true;
};

std::vector<Best> bruteForce(const Loads& x) {
    const int count = static_cast<int>(x.size());
    std::vector<Positions> splits;
    // Bit i of `cuts` set: a type starts at load i + 2.
    for (unsigned cuts = 0; cuts < 1u << (count - 1); ++cuts) {
        Positions positions{1};
        for (int i = 0; i < count - 1; ++i)
            if (cuts >> i & 1) positions.push_back(i + 2);
        positions.push_back(count + 1);
        splits.push_back(positions);
    }
    auto typesOf = [](const Positions& positions) { return positions.size() - 1; };
    std::vector<Best> best(count + 1);
    for (std::size_t n = 1; n < best.size(); ++n)
        best[n].worst = {0, count - 1};
    for (const Positions& split : splits) {
        const Spread worst = worstSpread(x, split);
        if (below(x, worst, best[typesOf(split)].worst)) best[typesOf(split)].worst = worst;
    }
    std::vector<std::pair<Positions, long double>> leastSpread;
    for (const Positions& split : splits) {
        Best& ofCount = best[typesOf(split)];
        if (!sameSpread(x, worstSpread(x, split), ofCount.worst)) continue;
        leastSpread.emplace_back(split, squaresOf(x, split));
        ofCount.squares = std::min(ofCount.squares, leastSpread.back().second);
    }
    for (const auto& [split, squares] : leastSpread) {
        Best& ofCount = best[typesOf(split)];
        const long double excess = squares - ofCount.squares;
        const long double scale = ofCount.squares + 1e-9L;
        if (excess <= 1e-12L * scale) {
            if (ofCount.positions.empty() ||
                std::lexicographical_compare(split.rbegin(), split.rend(),
                                             ofCount.positions.rbegin(), ofCount.positions.rend()))
                ofCount.positions = split;
        } else if (excess <= 1e-6L * scale) {
            ofCount.clear = false;
        }
    }
    return best;
}

// Every grouping and the fewest types within a range of tolerances against brute force
// over every split of the loads (at most 12).
void expectAsBruteForce(const Loads& x) {
    SCOPED_TRACE(::testing::Message() << x.size() << " loads from " << x.front());
    const int count = static_cast<int>(x.size());
    const std::vector<Best> best = bruteForce(x);
    const auto all = findLeastSpreadGroupings(x);
    ASSERT_EQ(all.size(), static_cast<std::size_t>(std::min(9, count)));
    for (const LeastSpreadGrouping& result : all) {
        const auto& grouping = result.grouping;
        const int n = grouping.typeCount;
        SCOPED_TRACE(::testing::Message() << n << " types");
        ASSERT_EQ(grouping.firstPositions.size(), static_cast<std::size_t>(n + 1));
        EXPECT_TRUE(sameSpread(x, worstSpread(x, grouping.firstPositions), best[n].worst));
        EXPECT_NEAR(result.worstSpreadPercent, static_cast<double>(percentOf(x, best[n].worst)),
                    1e-12 * percentOf(x, best[n].worst));
        const double squares = static_cast<double>(best[n].squares);
        EXPECT_NEAR(grouping.sumOfSquares, squares, 1e-9 * squares + 1e-12);
        if (best[n].clear) {
            EXPECT_EQ(grouping.firstPositions, best[n].positions);
        }
        std::vector<long double> means;
        squaresOf(x, grouping.firstPositions, &means);
        for (int k = 0; k < n; ++k)
            EXPECT_NEAR(grouping.means[k], static_cast<double>(means[k]), 1e-14 * means[k]);
        if (n > 1) {
            EXPECT_GT(grouping.costEvaluations, all[n - 2].grouping.costEvaluations);
        }
    }

    // Tolerances between the spreads any type can have, where rounding cannot matter.
    std::vector<long double> spreads{0};
    for (int i = 0; i < count; ++i)
        for (int j = i; j < count; ++j)
            spreads.push_back(percentOf(x, {i, j}));
    std::sort(spreads.begin(), spreads.end());
    spreads.erase(std::unique(spreads.begin(), spreads.end()), spreads.end());
    std::vector<double> tolerances{0, 150};
    for (std::size_t i = 0; i + 1 < spreads.size(); ++i)
        tolerances.push_back(static_cast<double>((spreads[i] + spreads[i + 1]) / 2));
    for (const double tolerance : tolerances) {
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
    std::uniform_int_distribution<int> load(100, 5000);
    auto make = [&](int count, auto value) {
        Loads loads(count);
        for (double& entry : loads)
            entry = value();
        return sorted(loads);
    };
    for (int count = 1; count <= 12; ++count)
        for (int sample = 0; sample < 3; ++sample)
            expectAsBruteForce(make(count, [&] { return load(random); }));

    std::uniform_int_distribution<int> small(1, 4);
    // Ties: few different loads; all loads equal.
    expectAsBruteForce(make(12, [&] { return 100.0 * small(random); }));
    expectAsBruteForce(make(11, [&] { return 300.0 + small(random); }));
    expectAsBruteForce(Loads(11, 2500));
    // Many types with the same spread (10/11 in each pair): the sums of squares decide.
    expectAsBruteForce({100, 110, 200, 220, 400, 440, 800, 880, 1600, 1760, 3200, 3520});
    // One outlier among similar loads; a load 10^6 times another.
    Loads outlier = make(11, [&] { return 2000.0 + small(random); });
    outlier.back() = 50000;
    expectAsBruteForce(outlier);
    Loads wide = make(11, [&] { return 1.0 * load(random); });
    wide.front() = 3;
    wide.back() = 3e6;
    expectAsBruteForce(wide);
    // Two spreads whose quotients of loads round to the same double (a c = b^2 - 1): only
    // exact products show that {a}, {b, c} spreads less, though {a, b}, {c} has less variance.
    expectAsBruteForce({899999999, 900029999, 900060000});
    // Loads near 1,000,000 that differ in the eighths only.
    expectAsBruteForce(make(12, [&] { return 1e6 + 0.125 * small(random) * small(random); }));
}

// Loads of 11 to 300 isolators, in 1 to 5 clusters scattered by 1 to 15 per cent or spread
// over a range, written to 0.1 kN and read as single precision, as in an input data file.
Loads building(std::mt19937& random) {
    const int count = std::uniform_int_distribution<int>(11, 300)(random);
    std::uniform_real_distribution<double> unit(0, 1);
    const int clusters = unit(random) < 0.7 ? std::uniform_int_distribution<int>(1, 5)(random) : 0;
    std::vector<double> centres;
    for (int c = 0; c < clusters; ++c)
        centres.push_back(500 + 4500 * unit(random));
    const double scatter = 0.01 + 0.14 * unit(random);
    Loads loads;
    for (int i = 0; i < count; ++i) {
        double load = 200 + 6000 * unit(random);
        if (clusters > 0) {
            const double centre = centres[i % clusters];
            load = std::normal_distribution<double>(centre, scatter * centre)(random);
        }
        loads.push_back(static_cast<float>(std::round(std::max(load, 1.0) * 10) / 10));
    }
    return sorted(loads);
}

// The least worst spread and the least sum of squares within it for every n, by a plain
// dynamic program over every last type, O(n N^2), in extended precision.
std::vector<std::pair<Spread, long double>> plainDynamicProgram(const Loads& x) {
    const int count = static_cast<int>(x.size());
    std::vector<long double> sum(count + 1), square(count + 1);
    for (int i = 0; i < count; ++i) {
        sum[i + 1] = sum[i] + x[i];
        square[i + 1] = square[i] + static_cast<long double>(x[i]) * x[i];
    }
    auto cost = [&](int a, int b) {
        return std::max(0.0L,
                        square[b] - square[a] - (sum[b] - sum[a]) * (sum[b] - sum[a]) / (b - a));
    };
    std::vector<std::pair<Spread, long double>> results;
    // worst[k][b]: least worst spread of the first b loads in k types.
    std::vector<std::vector<Spread>> worst(10, std::vector<Spread>(count + 1));
    for (int b = 1; b <= count; ++b)
        worst[1][b] = {0, b - 1};
    for (int k = 2; k <= std::min(9, count); ++k)
        for (int b = k; b <= count; ++b) {
            worst[k][b] = {0, b - 1};  // one type for all: no grouping spreads further
            for (int a = k - 1; a < b; ++a) {
                const Spread last{a, b - 1};
                const Spread candidate = below(x, worst[k - 1][a], last) ? last : worst[k - 1][a];
                if (below(x, candidate, worst[k][b])) worst[k][b] = candidate;
            }
        }
    const long double none = std::numeric_limits<long double>::infinity();
    for (int n = 1; n <= std::min(9, count); ++n) {
        const Spread limit = worst[n][count];
        std::vector<long double> previous(count + 1, none), current(count + 1, none);
        for (int b = 1; b <= count; ++b)
            if (!below(x, limit, {0, b - 1})) previous[b] = cost(0, b);
        for (int k = 2; k <= n; ++k) {
            std::fill(current.begin(), current.end(), none);
            for (int b = k; b <= count; ++b)
                for (int a = k - 1; a < b; ++a)
                    if (!below(x, limit, {a, b - 1}))
                        current[b] = std::min(current[b], previous[a] + cost(a, b));
            std::swap(previous, current);
        }
        results.emplace_back(limit, previous[count]);
    }
    return results;
}

// On generated buildings: the least worst spread and the sum of squares within it as a plain
// dynamic program finds them; never a worse worst spread than the exact technique's grouping
// nor a smaller sum of squares; the worst spread never rising with the count; and the fewest
// types within a tolerance agreeing with the worst spreads.
TEST(LeastSpread, AgreesWithAPlainSearchAndNeverSpreadsFurtherThanOptimal) {
    std::mt19937 random(23);
    for (int sample = 0; sample < 40; ++sample) {
        const Loads x = building(random);
        SCOPED_TRACE(::testing::Message() << "building " << sample << ", " << x.size() << " loads");
        const auto least = findLeastSpreadGroupings(x);
        const auto optimal = tamsor::findOptimalGroupings(x);
        const auto plain = plainDynamicProgram(x);
        for (std::size_t i = 0; i < least.size(); ++i) {
            const int n = static_cast<int>(i) + 1;
            SCOPED_TRACE(::testing::Message() << n << " types");
            const auto& grouping = least[i].grouping;
            EXPECT_TRUE(sameSpread(x, worstSpread(x, grouping.firstPositions), plain[i].first));
            const double squares = static_cast<double>(plain[i].second);
            EXPECT_NEAR(grouping.sumOfSquares, squares, 1e-9 * squares);

            const double optimalWorst =
                tamsor::spreadFigures(x, optimal[i].firstPositions).worstSpreadPercent;
            const double worst = least[i].worstSpreadPercent;
            EXPECT_LE(worst, optimalWorst);
            EXPECT_GE(grouping.sumOfSquares, optimal[i].sumOfSquares * (1 - 1e-12));
            if (i > 0) {
                EXPECT_LE(worst, least[i - 1].worstSpreadPercent);
            }

            EXPECT_LE(fewestTypesWithin(x, worst), n);
            if (worst > 0) {
                EXPECT_GT(fewestTypesWithin(x, std::nextafter(worst, 0.0)), n);
            }
        }
    }
}

Loads dataFileLoads(const std::string& name) {
    std::ifstream in(std::string(TAMSOR_EXAMPLES_DIR) + "/" + name);
    Loads loads;
    for (double load = 0; in >> load;)
        loads.push_back(load);
    return sorted(loads);
}

// OFFICE5 in 5 types, worked by brute force over every split: the exact technique leaves type 2
// (1,773.7 to 2,045.7) 13.3 % below its design load at a pooled variance of 4,265.10; the
// least-spread grouping keeps every type within 8.3 % at 4,543.78, 6.5 % more. 4 types keep
// 15 %, none keep 13.2 %.
TEST(LeastSpread, Office5) {
    const Loads x = dataFileLoads("OFFICE5.DAT");
    ASSERT_EQ(x.size(), 24u);
    const auto optimal = tamsor::findOptimalGroupings(x)[4];
    const auto optimalFigures = tamsor::spreadFigures(x, optimal.firstPositions);
    EXPECT_NEAR(optimal.sumOfSquares / 24, 4265.10, 0.005);
    EXPECT_NEAR(optimalFigures.worstSpreadPercent, 13.3, 0.05);
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

TEST(LeastSpread, EqualLoadsAndLoadsOneTenthApart) {
    // Equal loads: every grouping spreads 0 and has no variance; the boundaries lie
    // farthest left, as the exact technique puts them.
    for (const auto& result : findLeastSpreadGroupings(Loads(20, 5))) {
        Positions expected;
        for (int k = 1; k <= result.grouping.typeCount; ++k)
            expected.push_back(k);
        expected.push_back(21);
        EXPECT_EQ(result.grouping.firstPositions, expected);
        EXPECT_EQ(result.worstSpreadPercent, 0);
    }
    // 1,000,000.1 and 1,000,000.2 are two loads with a spread of 1e-5 %, not one.
    const Loads near{1000000.1, 1000000.1, 1000000.1, 1000000.2, 1000000.2};
    const auto groupings = findLeastSpreadGroupings(near, 3);
    EXPECT_DOUBLE_EQ(groupings[0].worstSpreadPercent, (near[4] - near[0]) / near[4] * 100);
    EXPECT_EQ(groupings[1].grouping.firstPositions, (Positions{1, 4, 6}));
    EXPECT_EQ(groupings[1].worstSpreadPercent, 0);
    EXPECT_EQ(groupings[2].grouping.firstPositions, (Positions{1, 2, 4, 6}));
    EXPECT_EQ(fewestTypesWithin(near, 0), 2);
    EXPECT_EQ(fewestTypesWithin(near, 1e-5), 1);
}

TEST(LeastSpread, FewestTypesMayExceedNineAndBadInputIsRefused) {
    Loads forty;
    for (int i = 1; i <= 40; ++i)
        forty.push_back(1000 + i);
    EXPECT_EQ(fewestTypesWithin(forty, 0), 40);
    EXPECT_EQ(fewestTypesWithin(forty, 99.9), 1);
    EXPECT_EQ(findLeastSpreadGroupings(forty, 3).size(), 3u);

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    auto message = [](const Loads& loads) {
        try {
            findLeastSpreadGroupings(loads);
        } catch (const std::invalid_argument& error) {
            return std::string(error.what());
        }
        return std::string("accepted");
    };
    EXPECT_EQ(message({1, 3, 2}), "the loads are not in ascending order at sorted position 3");
    EXPECT_EQ(message({0, 1, 2}), "a load of zero or less at sorted position 1");
    EXPECT_EQ(message({-2, -1, 3}), "a load of zero or less at sorted position 1");
    EXPECT_EQ(message({1, nan}), "a load that is not finite at sorted position 2");
    EXPECT_EQ(message({1, 2, infinity}), "a load that is not finite at sorted position 3");
    EXPECT_EQ(message({}), "there are no loads");
    EXPECT_THROW(findLeastSpreadGroupings(forty, 0), std::invalid_argument);
    EXPECT_THROW(findLeastSpreadGroupings(forty, 10), std::invalid_argument);
    EXPECT_THROW(fewestTypesWithin(forty, -0.1), std::invalid_argument);
    EXPECT_THROW(fewestTypesWithin(forty, nan), std::invalid_argument);
    EXPECT_THROW(fewestTypesWithin(forty, infinity), std::invalid_argument);
    EXPECT_THROW(fewestTypesWithin(Loads{1, 0}, 10), std::invalid_argument);
}

}  // namespace
