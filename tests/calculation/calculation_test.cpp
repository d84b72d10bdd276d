// SPDX-License-Identifier: GPL-3.0-or-later
// The calculation on a data file: the wait for another run, the loads read
// once for every technique, and what each kind of run leaves in the outcome
// and on disk.
#include "tamsor/calculation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "calculation_support.h"
#include "hand_worked_hall.h"
#include "scratch_folder.h"
#include "tamsor/optimal_grouping.h"

namespace tamsor {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::kHandWorkedLoads;
using testing::OtherRun;
using testing::read_file;
using testing::requestFor;
using testing::ScratchFolder;
using testing::write_file;

TEST(Lock, TheCallerDecidesHowLongToWaitAndWhetherToGoOn) {
    ScratchFolder folder;
    const std::string data = folder.file("HALL.DAT").string();
    write_file(data, kHandWorkedLoads);
    OtherRun other(data);
    CalculationRequest request = requestFor(data, {TechniqueId::kOptimal});

    // Asked at once, then about every 100 ms; a cancel at the third question.
    std::vector<std::chrono::milliseconds> asked;
    request.waitForLock = [&](std::chrono::milliseconds waited) {
        asked.push_back(waited);
        return asked.size() < 3 ? LockWait::kGoOn : LockWait::kCancel;
    };
    CalculationOutcome outcome = calculate(request);
    ASSERT_TRUE(outcome.failure);
    EXPECT_EQ(outcome.failure->fault, CalculationFault::kLockCancelled);
    EXPECT_EQ(describeCalculationFailure(*outcome.failure),
              "the wait for another run on this file or its result files was cancelled");
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0], 0ms);
    EXPECT_GE(asked[1], 100ms);
    EXPECT_GE(asked[2], 200ms);
    EXPECT_EQ(outcome.failure->waited, asked[2]);
    EXPECT_TRUE(outcome.loads.empty());

    request.waitForLock = waitAtMost(250ms);
    outcome = calculate(request);
    ASSERT_TRUE(outcome.failure);
    EXPECT_EQ(outcome.failure->fault, CalculationFault::kLockTimedOut);
    EXPECT_GE(outcome.failure->waited, 250ms);
    EXPECT_EQ(describeCalculationFailure(*outcome.failure),
              "another run on this file or its result files did not finish in time");

    // Without a callback nothing waits.
    request.waitForLock = nullptr;
    outcome = calculate(request);
    ASSERT_TRUE(outcome.failure);
    EXPECT_EQ(outcome.failure->fault, CalculationFault::kLockTimedOut);
    EXPECT_EQ(outcome.failure->waited, 0ms);
    EXPECT_FALSE(fs::exists(folder.file("HALL.out")));

    // The other run finishes during the wait: this one goes on.
    int questions = 0;
    request.waitForLock = [&](std::chrono::milliseconds) {
        if (++questions == 2) other.finish();
        return LockWait::kGoOn;
    };
    outcome = calculate(request);
    EXPECT_TRUE(outcome.ok());
    EXPECT_EQ(questions, 2);
    EXPECT_TRUE(fs::exists(folder.file("HALL.out")));
}

// The hall, with the note on its line 12 starting like a decimal comma: the
// load is still read as 1000, so the groupings stay as hand-worked. After
// Method2 ran, a program that takes no lock adds loads to the file; the
// exact technique still groups the twelve loads read before the first run.
TEST(Loads, AreReadOnceForEveryTechniqueWithLinesAndLabels) {
    ScratchFolder folder;
    const std::string data = folder.file("HALL.DAT").string();
    std::string loads = kHandWorkedLoads;
    loads.replace(loads.find("500\r\n1000\r\n") + 5, 6, "1000,25 kN\r\n");
    write_file(data, loads);
    CalculationRequest request = requestFor(data, {TechniqueId::kMethod2, TechniqueId::kOptimal});
    request.engine.run = [&](std::int32_t methodFlag, const std::string& path) {
        const std::int32_t status = testing::linkedEngine(methodFlag, path);
        std::ofstream(data, std::ios::app) << "3000\r\n3000\r\n3000\r\n";
        return status;
    };
    const CalculationOutcome outcome = calculate(request);
    ASSERT_TRUE(outcome.ok()) << describeCalculationFailure(*outcome.failure);

    const std::vector<LoadRecord> expectedLoads = {
        {1, 1600, ""}, {2, 500, ""},         {3, 2400, "kN core wall"},
        {4, 900, ""},  {5, 500, ""},         {7, 1000, ""},
        {8, 520, ""},  {9, 1640, ""},        {10, 900, ""},
        {11, 500, ""}, {12, 1000, ",25 kN"}, {13, 1600, ""},
    };
    EXPECT_EQ(outcome.loads.records(), expectedLoads);
    EXPECT_EQ(outcome.sortedLoads, (std::vector<float>{500, 500, 500, 520, 900, 900, 1000, 1000,
                                                       1600, 1600, 1640, 2400}));
    ASSERT_EQ(outcome.warnings.size(), 1u);
    EXPECT_EQ(outcome.warnings[0].line, 12);
    EXPECT_EQ(outcome.warnings[0].text, "1000,25");
    EXPECT_EQ(outcome.warnings[0].readAs, "1000");

    // The exact technique's files as it has always written them.
    ASSERT_EQ(outcome.runs.size(), 2u);
    const TechniqueRun& optimal = outcome.runs[1];
    EXPECT_EQ(optimal.technique, TechniqueId::kOptimal);
    EXPECT_TRUE(optimal.complete);
    std::vector<std::int64_t> operationCounts;
    for (const OptimalGrouping& grouping : findOptimalGroupings(
             std::vector<double>(outcome.sortedLoads.begin(), outcome.sortedLoads.end())))
        operationCounts.push_back(grouping.costEvaluations);
    EXPECT_EQ(read_file(folder.file("HALL.out")), testing::handWorkedReport(operationCounts));
    EXPECT_EQ(read_file(folder.file("HALL.plt")), testing::kHandWorkedPlot);

    // And read back: nine sets, the 12 + 7 points of the step curve.
    ASSERT_EQ(optimal.sets.size(), 9u);
    EXPECT_EQ(optimal.sets[3].pooledVariance, 947.22f);
    EXPECT_EQ(optimal.sets[3].firstPositions, (std::vector<std::int32_t>{1, 5, 9, 12, 13}));
    ASSERT_EQ(optimal.plot.size(), 19u);
    EXPECT_EQ(optimal.plot[3], (PlotPoint{4, 500}));
    EXPECT_EQ(optimal.plot[4], (PlotPoint{4, 520}));
    EXPECT_EQ(optimal.plot.back(), (PlotPoint{13, 2400}));

    // A caller that shows no notes keeps none; the loads, their lines and the warning stay.
    // One that draws no plot keeps no points, its plot file checked all the same.
    request = requestFor(data, {TechniqueId::kOptimal});
    request.keepLabels = false;
    request.keepPlot = false;
    const CalculationOutcome unlabelled = calculate(request);
    ASSERT_TRUE(unlabelled.ok());
    EXPECT_TRUE(unlabelled.runs.back().plot.empty());
    ASSERT_EQ(unlabelled.loads.size(), 15u);
    for (std::size_t i = 0; i < expectedLoads.size(); ++i) {
        EXPECT_EQ(unlabelled.loads[i].line, expectedLoads[i].line);
        EXPECT_EQ(unlabelled.loads[i].load, expectedLoads[i].load);
        EXPECT_EQ(unlabelled.loads[i].label, "");
    }
    EXPECT_EQ(unlabelled.warnings.size(), 1u);
}

// Method2 on the hall starts every grouping from equal numbers of isolators
// and stops at seven types, where a type becomes empty. The sets before it,
// hand-worked: three types {500 500 500 520} {900 900 1000 1000} {1600 1600
// 1640 2400}, sums of squares 300 + 10000 + 465200, / 12 = 39625; six types
// in pairs, (200 + 2 x 380^2) / 12 = 24083.33.
TEST(ClassicRun, StoppedAtAnEmptyTypeGivesTheSetsBeforeIt) {
    ScratchFolder folder;
    const std::string data = folder.file("HALL.DAT").string();
    write_file(data, kHandWorkedLoads);
    // A stopped run leaves the plot file as it was.
    write_file(folder.file("HALL.plt"), "earlier\r\n");
    const CalculationOutcome outcome = calculate(requestFor(data, {TechniqueId::kMethod2}));
    ASSERT_TRUE(outcome.ok()) << describeCalculationFailure(*outcome.failure);

    ASSERT_EQ(outcome.runs.size(), 1u);
    const TechniqueRun& run = outcome.runs[0];
    EXPECT_FALSE(run.complete);
    EXPECT_EQ(run.stoppedAt(), 7);
    ASSERT_EQ(run.sets.size(), 6u);
    EXPECT_EQ(run.sets[2].pooledVariance, 39625.0f);
    EXPECT_EQ(run.sets[2].firstPositions, (std::vector<std::int32_t>{1, 5, 9, 13}));
    EXPECT_EQ(run.sets[2].means, (std::vector<std::optional<float>>{505.0f, 950.0f, 1810.0f}));
    EXPECT_EQ(run.sets[5].pooledVariance, 24083.33f);
    EXPECT_EQ(run.sets[5].firstPositions, (std::vector<std::int32_t>{1, 3, 5, 7, 9, 11, 13}));
    EXPECT_TRUE(run.plot.empty());
    EXPECT_EQ(read_file(folder.file("HALL.plt")), "earlier\r\n");
}

}  // namespace
}  // namespace tamsor
