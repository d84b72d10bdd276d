// SPDX-License-Identifier: GPL-3.0-or-later
// Least spread through the calculation, beside the other techniques on the
// same loads: its groupings never spread more than theirs, its report is
// written and read back like theirs, and loads it cannot group are refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "calculation_support.h"
#include "scratch_folder.h"
#include "tamsor/calculation.h"
#include "tamsor/least_spread.h"
#include "tamsor/spread_figures.h"

namespace tamsor {
namespace {

namespace fs = std::filesystem;
using testing::requestFor;
using testing::ScratchFolder;
using testing::write_file;

// A building of 11 to 100 isolators whose loads gather round a few column
// loads, with repeated loads, as a floor plan gives them; one decimal.
std::string generatedBuilding(std::mt19937& random) {
    std::uniform_int_distribution<int> count(11, 100);
    std::uniform_int_distribution<int> clusters(1, 6);
    std::uniform_real_distribution<double> centre(300, 4000);
    std::uniform_real_distribution<double> scatter(0.0, 0.25);
    std::bernoulli_distribution repeat(0.2);
    std::vector<double> centres(static_cast<std::size_t>(clusters(random)));
    for (double& c : centres)
        c = centre(random);
    std::uniform_int_distribution<std::size_t> pick(0, centres.size() - 1);
    std::string text;
    double last = 0;
    const int loads = count(random);
    for (int i = 0; i < loads; ++i) {
        const double c = centres[pick(random)];
        const double load = i > 0 && repeat(random) ? last : c * (1 + scatter(random));
        char line[32];
        std::snprintf(line, sizeof line, "%.1f\n", load);
        text += line;
        last = load;
    }
    return text;
}

double worstSpread(const std::vector<float>& sortedLoads, const ReportSet& set) {
    const std::vector<double> loads(sortedLoads.begin(), sortedLoads.end());
    return spreadFigures(loads, set.firstPositions).worstSpreadPercent;
}

TEST(LeastSpreadRun, NeverSpreadsMoreThanAnotherTechniqueNorMoreWithMoreTypes) {
    std::mt19937 random(19);
    std::vector<TechniqueId> every;
    for (const Technique& technique : kTechniques)
        every.push_back(technique.id);
    for (int building = 0; building < 60; ++building) {
        ScratchFolder folder;
        const std::string data = folder.file("B.DAT").string();
        write_file(data, generatedBuilding(random));
        const CalculationOutcome outcome = calculate(requestFor(data, every));
        ASSERT_TRUE(outcome.ok()) << describeCalculationFailure(*outcome.failure);
        const TechniqueRun& least = outcome.runs.back();
        ASSERT_EQ(least.technique, TechniqueId::kLeastSpread);
        ASSERT_TRUE(least.complete);
        ASSERT_EQ(least.sets.size(), 9u);

        double fewer = 100;
        for (std::size_t n = 0; n < least.sets.size(); ++n) {
            const double own = worstSpread(outcome.sortedLoads, least.sets[n]);
            EXPECT_LE(own, fewer) << "building " << building << ", " << n + 1 << " types";
            fewer = own;
            for (const TechniqueRun& other : outcome.runs) {
                if (n >= other.sets.size()) continue;
                EXPECT_LE(own, worstSpread(outcome.sortedLoads, other.sets[n]))
                    << "building " << building << ", " << n + 1 << " types, "
                    << techniqueOf(other.technique).name;
            }
        }

        // The fewest types within a tolerance is the first count whose grouping keeps it.
        const std::vector<double> loads(outcome.sortedLoads.begin(), outcome.sortedLoads.end());
        for (const double tolerance : {2.0, 5.0, 10.0, 15.0}) {
            const int fewest = fewestTypesWithin(loads, tolerance);
            for (int n = 1; n <= std::min(fewest, 9); ++n)
                EXPECT_EQ(worstSpread(outcome.sortedLoads, least.sets[n - 1]) <= tolerance,
                          n == fewest)
                    << "building " << building << ", " << tolerance << " %, " << n << " types";
        }
    }
}

TEST(LeastSpreadRun, WritesItsEvaluationsAsTheOperationCount) {
    ScratchFolder folder;
    const std::string data = folder.file("OFFICE5.DAT").string();
    fs::copy_file(fs::path(TAMSOR_EXAMPLES_DIR) / "OFFICE5.DAT", data);
    const CalculationOutcome outcome = calculate(requestFor(data, {TechniqueId::kLeastSpread}));
    ASSERT_TRUE(outcome.ok()) << describeCalculationFailure(*outcome.failure);
    const std::vector<double> loads(outcome.sortedLoads.begin(), outcome.sortedLoads.end());
    const auto groupings = findLeastSpreadGroupings(loads);
    const auto& sets = outcome.runs.back().sets;
    ASSERT_EQ(sets.size(), groupings.size());
    for (std::size_t n = 0; n < sets.size(); ++n) {
        EXPECT_EQ(sets[n].operationCount, groupings[n].grouping.costEvaluations);
        EXPECT_EQ(sets[n].firstPositions, groupings[n].grouping.firstPositions);
    }
    // Five types: 8.3 % at the pooled variance 4,543.78, where Optimal's 4,265.10 leaves 13.3 %.
    EXPECT_EQ(*sets[4].pooledVariance, 4543.78f);
    EXPECT_NEAR(worstSpread(outcome.sortedLoads, sets[4]), 8.3, 0.05);
}

TEST(LeastSpreadRun, RefusesALoadOfZeroOrLessNamingItsLine) {
    ScratchFolder folder;
    const std::string data = folder.file("B.DAT").string();
    write_file(data, "900\n1000\n1100\n\n1200\n-0\n1300\n-5.5 kN\n1400\n1500\n1600\n1700\n1800\n");
    const CalculationOutcome refused = calculate(requestFor(data, {TechniqueId::kLeastSpread}));
    ASSERT_TRUE(refused.failure);
    EXPECT_EQ(refused.failure->fault, CalculationFault::kLoadNotPositive);
    EXPECT_EQ(failureLine(*refused.failure), 6);
    EXPECT_EQ(describeCalculationFailure(*refused.failure),
              "the load -0 is zero or less; Least spread takes positive loads only, since a "
              "type's spread is a share of its design load");
    EXPECT_FALSE(fs::exists(folder.file("B.out")));
    // The same loads with another technique in the same request: still refused.
    EXPECT_TRUE(
        calculate(requestFor(data, {TechniqueId::kOptimal, TechniqueId::kLeastSpread})).failure);
    // Optimal alone groups them.
    EXPECT_TRUE(calculate(requestFor(data, {TechniqueId::kOptimal})).ok());
}

}  // namespace
}  // namespace tamsor
