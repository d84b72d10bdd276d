// SPDX-License-Identifier: GPL-3.0-or-later
// Calculations that fail: the typed cause, its description, and that nothing
// on disk changes where the cause is found before a run.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "calculation_support.h"
#include "child_process.h"
#include "hand_worked_hall.h"
#include "scratch_folder.h"
#include "tamsor/calculation.h"

namespace tamsor {
namespace {

namespace fs = std::filesystem;
using testing::kHandWorkedLoads;
using testing::read_file;
using testing::requestFor;
using testing::ScratchFolder;
using testing::write_file;

std::string loadLines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += std::to_string(1000 + 7 * i + (i % 5) * 300) + "\r\n";
    return text;
}

// A classic engine that must not be reached.
std::int32_t unreachedEngine(std::int32_t, const std::string&) {
    ADD_FAILURE() << "the engine ran";
    return VORBECK1_UNREADABLE;
}

TEST(Refusals, BeforeAnyRunLeaveTheFolderAsItWas) {
    ScratchFolder folder;
    const std::string data = folder.file("b.DAT").string();
    write_file(data, loadLines(20));
    const auto refused = [&](const std::string& path, std::vector<TechniqueId> techniques,
                             std::size_t maxLoads = kMaxOptimalIsolators) {
        CalculationRequest request = requestFor(path, std::move(techniques));
        request.engine.run = unreachedEngine;
        request.maxLoads = maxLoads;
        const CalculationOutcome outcome = calculate(request);
        EXPECT_FALSE(fs::exists(folder.file("b.out")));
        return outcome.failure.value_or(CalculationFailure{});
    };

    // The engine would drop the blank; the result names drop it too. Refused
    // before the file is looked for.
    for (const TechniqueId technique : {TechniqueId::kMethod1, TechniqueId::kOptimal}) {
        const CalculationFailure failure = refused(data + " ", {technique});
        EXPECT_EQ(failure.fault, CalculationFault::kNameEndsWithBlank);
        EXPECT_EQ(describeCalculationFailure(failure),
                  "the file name ends with a blank, which the engine would drop; rename the file");
    }

    // The caller's own limit, below the technique's; every load counted.
    CalculationFailure failure = refused(data, {TechniqueId::kOptimal}, 15);
    EXPECT_EQ(failure.fault, CalculationFault::kTooManyLoads);
    EXPECT_EQ(describeCalculationFailure(failure), "20 isolators, at most 15");
    // With several techniques, the fewest any of them takes.
    write_file(data, loadLines(101));
    failure = refused(data, {TechniqueId::kOptimal, TechniqueId::kMethod2});
    EXPECT_EQ(describeCalculationFailure(failure), "101 isolators, at most 100");
}

// A path longer than the engine's 120 bytes: the exact technique takes it, a
// classic one only from a caller that hands the engine the bare file name
// from inside the file's folder, as the program does.
TEST(Names, LongerThanTheEngineTakesAreForTheClassicTechniquesAlone) {
    ScratchFolder folder;
    const fs::path deep = folder.file(std::string(120, 'd'));
    fs::create_directory(deep);
    const std::string data = (deep / "HALL.DAT").string();
    write_file(data, kHandWorkedLoads);

    CalculationRequest request = requestFor(data, {TechniqueId::kMethod1});
    request.engine.run = unreachedEngine;
    CalculationOutcome outcome = calculate(request);
    ASSERT_TRUE(outcome.failure);
    EXPECT_EQ(outcome.failure->fault, CalculationFault::kNameTooLong);
    EXPECT_EQ(outcome.failure->count, data.size());
    EXPECT_EQ(describeCalculationFailure(*outcome.failure), "path longer than 120 characters");

    EXPECT_TRUE(calculate(requestFor(data, {TechniqueId::kOptimal})).ok());

    request.engine.takesBareNames = true;
    request.engine.run = [](std::int32_t methodFlag, const std::string& path) {
        const fs::path previous = fs::current_path();
        fs::current_path(fs::path(path).parent_path());
        const std::int32_t status =
            testing::linkedEngine(methodFlag, std::string(engineName(path)));
        fs::current_path(previous);
        return status;
    };
    outcome = calculate(request);
    ASSERT_TRUE(outcome.ok()) << describeCalculationFailure(*outcome.failure);
    EXPECT_EQ(outcome.runs[0].sets.size(), 2u);  // Method 1 stops at three types
}

// Refused by the run itself: the in-process technique writes its files as
// the engine does, under temporary names. A file size limit of 3000 bytes
// lets the report (1467 bytes) through, not the plot file (200 points of 29).
TEST(Runs, ThatCannotWriteTheirFilesKeepTheEarlierOnes) {
    ScratchFolder folder;
    const std::string data = folder.file("b.DAT").string();
    const fs::path report = folder.file("b.out");
    const fs::path plot = folder.file("b.plt");
    write_file(data, loadLines(100));
    write_file(report, "earlier\r\n");
    write_file(plot, "earlier\r\n");
    const auto limited = testing::runInChild(
        [&] {
            const CalculationOutcome outcome = calculate(requestFor(data, {TechniqueId::kOptimal}));
            return outcome.failure && outcome.failure->fault == CalculationFault::kResultFile &&
                           outcome.failure->technique == TechniqueId::kOptimal &&
                           describeCalculationFailure(*outcome.failure) ==
                               "cannot write " + plot.string() + ": File too large"
                       ? 0
                       : 1;
        },
        {.fileSizeLimit = 3000});
    EXPECT_EQ(limited.exitStatus, 0);
    EXPECT_EQ(read_file(report), "earlier\r\n");
    EXPECT_EQ(read_file(plot), "earlier\r\n");
}

// A classic engine that leaves the files a test prepared.
class UntrustedFiles : public ::testing::Test {
  protected:
    UntrustedFiles() {
        write_file(data_, kHandWorkedLoads);
        // Sound files of the hall to start from.
        EXPECT_TRUE(calculate(requestFor(data_, {TechniqueId::kOptimal})).ok());
        report_ = read_file(folder_.file("HALL.out"));
        plot_ = read_file(folder_.file("HALL.plt"));
    }
    CalculationOutcome runWith(const std::string& plot, std::int32_t status = VORBECK1_SUCCESS) {
        return runWith(report_, plot, status);
    }
    CalculationOutcome runWith(const std::string& report, const std::string& plot,
                               std::int32_t status = VORBECK1_SUCCESS) {
        CalculationRequest request = requestFor(data_, {TechniqueId::kMethod2});
        request.engine.run = [&, status](std::int32_t, const std::string&) {
            write_file(folder_.file("HALL.out"), report);
            write_file(folder_.file("HALL.plt"), plot);
            return status;
        };
        return calculate(request);
    }

    ScratchFolder folder_;
    std::string data_ = folder_.file("HALL.DAT").string();
    std::string plotName_ = folder_.file("HALL.plt").string();
    std::string report_;
    std::string plot_;
};

TEST_F(UntrustedFiles, APlotThatDoesNotFitItsLoadsIsAFailure) {
    EXPECT_TRUE(runWith(plot_).ok());

    // The last two points, (12, 2400) and (13, 2400), left out.
    CalculationOutcome outcome = runWith(plot_.substr(0, plot_.size() - 2 * 29));
    ASSERT_TRUE(outcome.failure);
    EXPECT_EQ(outcome.failure->fault, CalculationFault::kWrongLoadCount);
    EXPECT_EQ(outcome.failure->technique, TechniqueId::kMethod2);
    EXPECT_EQ(describeCalculationFailure(*outcome.failure),
              "the plot file " + plotName_ + " holds 11 isolators, the data file 12");

    std::string garbled = plot_;
    garbled.replace(29 * 2 + 11, 16, std::string(16, '*'));
    outcome = runWith(garbled);
    ASSERT_TRUE(outcome.failure);
    EXPECT_EQ(outcome.failure->fault, CalculationFault::kUnreadableResults);
    EXPECT_EQ(describeCalculationFailure(*outcome.failure),
              "unreadable plot file " + plotName_ + ": line 3: \"" + std::string(16, '*') +
                  "\" is not a load");
}

// A run's own plot file is compared with the text of its loads; one of other bytes that
// holds the same points (LF line ends, signs and blanks as another program writes them)
// is read strictly and trusted all the same.
TEST_F(UntrustedFiles, APlotOfOtherBytesWithTheSamePointsIsTrusted) {
    const CalculationOutcome own = runWith(plot_);
    ASSERT_TRUE(own.ok());
    std::string other = plot_;
    for (std::size_t end = other.find("\r\n"); end != std::string::npos;
         end = other.find("\r\n", end))
        other.erase(end, 1);
    const std::size_t firstLoad = other.find("500.000000");
    other.replace(firstLoad - 1, 11, "+500.000000");
    ASSERT_NE(other.size(), plot_.size());
    const CalculationOutcome read = runWith(other);
    ASSERT_TRUE(read.ok());
    ASSERT_EQ(read.runs.back().plot.size(), 19u);
    EXPECT_EQ(read.runs.back().plot, own.runs.back().plot);

    // One byte more than the text of the loads, read strictly: a line of its own.
    const CalculationOutcome longer = runWith(plot_ + "\n");
    ASSERT_TRUE(longer.failure);
    EXPECT_EQ(describeCalculationFailure(*longer.failure),
              "unreadable plot file " + plotName_ + ": line 20: 0 characters, not 27");
}

// Only 0 and 2 leave files to read; 65536 is 0 in its low 16 bits.
TEST_F(UntrustedFiles, AnEngineStatusItNeverGivesIsAFailureThoughTheFilesAreSound) {
    for (const std::int32_t status : {3, -1, 65536}) {
        const CalculationOutcome outcome = runWith(plot_, status);
        ASSERT_TRUE(outcome.failure) << status;
        EXPECT_EQ(outcome.failure->fault, CalculationFault::kUnknownEngineStatus);
        EXPECT_EQ(outcome.failure->technique, TechniqueId::kMethod2);
        EXPECT_EQ(describeCalculationFailure(*outcome.failure),
                  "the engine ended with status " + std::to_string(status) +
                      ", which it never gives; its result files are not used");
        EXPECT_TRUE(outcome.runs.empty());
    }
}

// Files of an edited copy of the hall, written meanwhile by a run that did
// not take the lock: the same twelve isolators, but 2460 for 2400 on line 4.
TEST_F(UntrustedFiles, ResultsOfOtherLoadsOfTheSameNumberAreAFailure) {
    std::string edited = kHandWorkedLoads;
    edited.replace(edited.find("2400"), 4, "2460");
    const std::string copy = folder_.file("copy.DAT").string();
    write_file(copy, edited);
    ASSERT_TRUE(calculate(requestFor(copy, {TechniqueId::kOptimal})).ok());
    const std::string otherReport = read_file(folder_.file("copy.out"));
    const std::string otherPlot = read_file(folder_.file("copy.plt"));

    // One type: 13120 / 12 = 1093.33 in the copy's report, 13060 / 12 = 1088.33 here.
    CalculationOutcome outcome = runWith(otherReport, plot_);
    ASSERT_TRUE(outcome.failure);
    EXPECT_EQ(outcome.failure->fault, CalculationFault::kOtherLoads);
    EXPECT_EQ(describeCalculationFailure(*outcome.failure),
              "the report " + folder_.file("HALL.out").string() +
                  " was not written for the loads of the data file: with 1 type, type 1 has "
                  "the mean 1093.33 where its 12 loads have 1088.33");

    // The step curve's points 18 and 19 stand at positions 12 and 13.
    outcome = runWith(report_, otherPlot);
    ASSERT_TRUE(outcome.failure);
    EXPECT_EQ(outcome.failure->fault, CalculationFault::kOtherLoads);
    EXPECT_EQ(describeCalculationFailure(*outcome.failure),
              "the plot file " + plotName_ +
                  " was not written for the loads of the data file: its point 18 shows 2460 at "
                  "position 12 where the data file has 2400");
}

}  // namespace
}  // namespace tamsor
