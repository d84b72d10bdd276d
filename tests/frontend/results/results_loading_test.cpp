// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/results_loading.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <array>
#include <cstdio>
#include <optional>
#include <string>

#include "results/results_model.h"
#include "scratch_folder.h"
#include "tamsor/calculation.h"

namespace {

using tamsor::CalculationOutcome;
using tamsor::ResultsModel;
using tamsor::testing::ScratchFolder;
using tamsor::testing::write_file;

// A report of `sets` result sets of 80 loads in the engine's columns; set d
// has d + 1 partitions, starting at 1 + 80 k / (d + 1), pooled variance
// variances[d], operation count 100 (d + 1) and means 100, 200, ...
std::string reportText(int sets, const float* variances) {
    std::string text;
    char field[400];  // room for any float in %12.2f
    for (int d = 0; d < sets; ++d) {
        const int n = d + 1;
        std::snprintf(field, sizeof field, "%4d%12.2f%9d", n, variances[d], 100 * n);
        text += field;
        for (int k = 0; k <= n; ++k) {
            std::snprintf(field, sizeof field, "%10d", 1 + 80 * k / n);
            text += field;
        }
        text += "\r\n" + std::string(19, ' ');
        for (int k = 1; k <= n; ++k) {
            std::snprintf(field, sizeof field, " %10.2f", 100.0 * k);
            text += field;
        }
        text += "\r\n";
    }
    return text;
}

// The report with the field at `column` (0-based) of result set d's first
// or second line replaced by asterisks.
std::string withAsterisks(std::string report, int d, bool secondLine, std::size_t column,
                          std::size_t width) {
    std::size_t start = 0;
    for (int line = 0; line < 2 * d + (secondLine ? 1 : 0); ++line)
        start = report.find('\n', start) + 1;
    report.replace(start + column, width, std::string(width, '*'));
    return report;
}

// A point of the load plot file in its columns.
std::string point(int position, double load) {
    char line[64];
    std::snprintf(line, sizeof line, "%11d%16.7E\r\n", position, load);
    return line;
}

// The load plot of eleven increasing loads: 22 points at positions 1 to 12.
std::string plotText() {
    std::string text;
    for (int i = 1; i <= 11; ++i)
        text += point(i, 100 * i) + point(i + 1, 100 * i);
    return text;
}

constexpr float kVariances[9] = {9000, 4000, 2000, 1000, 500, 250, 125, 60, 30};

class ResultsLoading : public ::testing::Test {
  protected:
    // The model loaded from a complete run that left these result files and
    // ran on `loads` (by default as many as the report counts).
    void load(const std::optional<std::string>& plot, const std::optional<std::string>& report,
              std::optional<std::vector<tamsor::LoadRecord>> loads = std::nullopt) {
        CalculationOutcome calculation;
        tamsor::TechniqueRun& run = calculation.runs.emplace_back();
        run.complete = true;
        if (plot) run.plot = tamsor::parsePlot(*plot);
        if (report) run.sets = tamsor::parseReport(*report);
        if (!loads && !run.sets.empty())
            loads = std::vector<tamsor::LoadRecord>(
                static_cast<std::size_t>(run.sets.front().loadCount()));
        calculation.loads = tamsor::LoadList(loads.value_or(std::vector<tamsor::LoadRecord>{}));
        for (const float load : calculation.loads.loads())
            calculation.sortedLoads.push_back(load);
        std::stable_sort(calculation.sortedLoads.begin(), calculation.sortedLoads.end());
        tamsor::loadResults(model_, calculation);
    }
    ScratchFolder folder_;
    ResultsModel model_;
};

TEST_F(ResultsLoading, ReadsPointsAndTheFirstEightSetsAndNormalises) {
    load(plotText(), reportText(9, kVariances));

    EXPECT_EQ(model_.PlotLast, 21);
    EXPECT_EQ(model_.PlotXMax, 12.0f);
    EXPECT_EQ(model_.PlotYMax, 1100.0f);
    EXPECT_EQ(model_.PlotX[0], 1.0f / 12.0f);
    EXPECT_EQ(model_.PlotX[21], 1.0f);
    EXPECT_EQ(model_.PlotY[21], 1.0f);

    // The largest variance of sets 1 to 7 divides; set 0 may exceed 1.
    EXPECT_EQ(model_.SetVarianceMax, 4000.0f);
    EXPECT_EQ(model_.SetVariance[0], 2.25f);
    EXPECT_EQ(model_.SetVariance[1], 1.0f);
    EXPECT_EQ(model_.SetVariance[7], 60.0f / 4000.0f);
    EXPECT_EQ(model_.SetVariance[8], 0.0f);  // the ninth set is never read
    EXPECT_EQ(model_.SetOpCount[7], 800);
    EXPECT_EQ(model_.PartBound[7][0], 1.0f);
    EXPECT_EQ(model_.PartBound[7][8], 81.0f);
    EXPECT_EQ(model_.PartMean[7][7], 800.0f);
    EXPECT_EQ(model_.PartMean[2][2], 300.0f);
    EXPECT_EQ(model_.PartBound[2][1], 27.0f);
    // Isolators per type, counted at the load: bounds 1, 27, 54, 81 for three.
    EXPECT_EQ(model_.PartCount[2], (std::array<std::int32_t, 9>{26, 27, 27}));
    EXPECT_EQ(model_.PartCount[7][7], 10);
    EXPECT_EQ(model_.SetVarianceNotShown, (std::array<bool, 9>{}));
    EXPECT_EQ(model_.SetsReached, 8);
}

TEST_F(ResultsLoading, KeepsFiguresTooWideForTheReportAsNotShown) {
    // The variances of one to three partitions, and the second mean of
    // five, did not fit their fields.
    std::string report = reportText(9, kVariances);
    for (int d = 0; d <= 2; ++d)
        report = withAsterisks(report, d, false, 4, 12);
    report = withAsterisks(report, 4, true, 19 + 11 + 1, 10);
    load(plotText(), report);

    EXPECT_EQ(model_.SetVarianceNotShown, (std::array<bool, 9>{true, true, true}));
    // The largest shown variance of two to eight partitions divides.
    EXPECT_EQ(model_.SetVarianceMax, 1000.0f);
    EXPECT_EQ(model_.SetVariance[1], 0.0f);
    EXPECT_EQ(model_.SetVariance[3], 1.0f);
    EXPECT_EQ(model_.SetVariance[7], 60.0f / 1000.0f);
    EXPECT_TRUE(model_.PartMeanNotShown[4][1]);
    EXPECT_EQ(model_.PartMean[4][1], 0.0f);
    EXPECT_FALSE(model_.PartMeanNotShown[4][2]);
    EXPECT_EQ(model_.PartMean[4][2], 300.0f);

    // No variance shown at all: nothing to scale by, the model still loads.
    for (int d = 3; d <= 7; ++d)
        report = withAsterisks(report, d, false, 4, 12);
    load(plotText(), report);
    EXPECT_EQ(model_.SetVarianceMax, 1.0f);
    for (int d = 0; d <= 7; ++d)
        EXPECT_TRUE(model_.SetVarianceNotShown[d]) << d;
    EXPECT_FALSE(model_.SetVarianceNotShown[8]);  // the ninth set is never read
}

TEST_F(ResultsLoading, KeepsTheVariancesAsReadWhenEverySetFitsExactly) {
    const float zeroAfterFirst[9] = {2500, 0, 0, 0, 0, 0, 0, 0, 0};
    load(plotText(), reportText(8, zeroAfterFirst));
    EXPECT_EQ(model_.SetVarianceMax, 1.0f);
    EXPECT_EQ(model_.SetVariance[0], 2500.0f);
    EXPECT_EQ(model_.SetVariance[4], 0.0f);
}

TEST_F(ResultsLoading, FindsTheResultsBesideTheDataFileWhateverTheFolderName) {
    std::string loads;
    for (int i = 1; i <= 11; ++i)
        loads += std::to_string(100 * i) + "\n";
    for (const char* name : {"job v1.2/bldg.DAT", "v2.0/bldg"}) {
        std::filesystem::create_directories(folder_.file(name).parent_path());
        write_file(folder_.file(name), loads);
        tamsor::CalculationRequest request;
        request.path = folder_.file(name).string();
        request.techniques = {tamsor::TechniqueId::kOptimal};
        EXPECT_NO_THROW(tamsor::loadResults(model_, tamsor::calculate(request))) << name;
        EXPECT_TRUE(std::filesystem::exists(folder_.file(name).parent_path() / "bldg.out"));
    }
}

TEST_F(ResultsLoading, FailsOnEveryFaultOfTheFilesAndKeepsTheModelAsItWas) {
    load(plotText(), reportText(8, kVariances));
    model_.MethodFlag = tamsor::TechniqueId::kOptimal;
    const ResultsModel loaded = model_;
    // Nothing for a file: the run left none.
    const auto failsWith = [&](const std::optional<std::string>& plot,
                               const std::optional<std::string>& report) {
        EXPECT_THROW(load(plot, report), std::exception);
        EXPECT_TRUE(model_ == loaded) << "a failed load stores nothing";
    };
    const std::string report = reportText(8, kVariances);

    failsWith(std::nullopt, report);                             // no plot file
    failsWith(plotText(), std::nullopt);                         // no report
    failsWith(plotText(), reportText(7, kVariances));            // ends before the eighth set
    failsWith(plotText(), report + "extra 1 2 3\r\n");           // beyond the layout
    failsWith(plotText(), report.substr(0, report.size() - 5));  // a line cut short
    // Asterisks where a figure must be shown: a position, the number of types.
    failsWith(plotText(), withAsterisks(report, 2, false, 25, 10));
    failsWith(plotText(), withAsterisks(report, 2, false, 0, 4));
    failsWith(plotText(), reportText(1, kVariances) + report);  // sets not numbered 1, 2, 3
    failsWith(point(1, 100) + "          2", report);           // plot ends inside a point
    failsWith(point(1, -100) + point(2, 0), report);            // no load above 0: 0 / 0
    // More points than the program's largest building gives.
    std::string tooManyPoints;
    for (std::size_t i = 0; i <= tamsor::kPlotPoints; ++i)
        tooManyPoints += point(1, 100);
    failsWith(tooManyPoints, report);
    failsWith("", report);  // no point at all
    // A point beyond single precision once divided by its maximum.
    failsWith(point(1, -3e38) + point(2, 1e-30), report);

    // A run that stopped at an empty type without the loads it ran on, and
    // loads that are not the run's.
    EXPECT_THROW(
        {
            CalculationOutcome stopped;
            stopped.runs.emplace_back().sets = tamsor::parseReport(report);
            tamsor::loadResults(model_, stopped);
        },
        std::exception);
    EXPECT_THROW(load(plotText(), report, std::vector<tamsor::LoadRecord>(79)), std::exception);
    EXPECT_TRUE(model_ == loaded);
}

}  // namespace

namespace {

// A run that stopped at three types, an outlier having emptied one: the two
// groupings it reached are stored with their largest loads, the curve is
// drawn from the sorted loads, and the sets not reached stay empty.
TEST_F(ResultsLoading, KeepsTheGroupingsThatAStoppedRunReached) {
    CalculationOutcome outcome;
    for (const float load :
         {300.5f, 100.5f, 100.5f, 250.5f, 100.5f, 100.5f, 100.5f, 100.5f, 100.5f, 100.5f, 1000.5f})
        outcome.loads.add(1, load, "");
    outcome.sortedLoads = {100.5f, 100.5f, 100.5f, 100.5f, 100.5f, 100.5f,
                           100.5f, 100.5f, 250.5f, 300.5f, 1000.5f};
    tamsor::TechniqueRun& run = outcome.runs.emplace_back();
    run.sets.push_back({1, 6000.0f, 10, {1, 12}, {231.86f}});
    run.sets.push_back({2, 200.0f, 20, {1, 11, 12}, {155.5f, 1000.5f}});
    model_.PartBound[3] = {1, 2, 3, 4, 12};  // from an earlier run
    tamsor::loadResults(model_, outcome);

    EXPECT_EQ(model_.SetsReached, 2);
    EXPECT_TRUE(model_.reached(2));
    EXPECT_FALSE(model_.reached(3));
    // The step curve: 100.5 at 1 to 8, a step to 250.5 at 9, 300.5 at 10,
    // 1000.5 at 11 to 12.
    EXPECT_EQ(model_.PlotLast, 14);
    EXPECT_EQ(model_.PlotXMax, 12.0f);
    EXPECT_EQ(model_.PlotYMax, 1000.5f);
    EXPECT_EQ(model_.PlotX[8], 9.0f / 12.0f);
    EXPECT_EQ(model_.PlotY[8], 100.5f / 1000.5f);
    EXPECT_EQ(model_.PlotX[9], 9.0f / 12.0f);
    EXPECT_EQ(model_.PlotY[9], 250.5f / 1000.5f);
    EXPECT_EQ(model_.PartLargest[0][0], 1000.5f);
    EXPECT_EQ(model_.PartLargest[1][0], 300.5f);
    EXPECT_EQ(model_.PartLargest[1][1], 1000.5f);
    EXPECT_EQ(model_.LoadDecimals, 1);
    EXPECT_EQ(model_.PartCount[1][0], 10);
    EXPECT_EQ(model_.SetVarianceMax, 200.0f);
    EXPECT_EQ(model_.PartBound[3], (std::array<float, 9>{}));
    EXPECT_EQ(model_.PartCount[3], (std::array<std::int32_t, 9>{}));
}

TEST_F(ResultsLoading, KeepsTheLoadsAsTheCalculationReadThem) {
    // Eleven loads, as the one-type set of a run on them counts (1 to 12).
    std::string data = "100   kN  axis A/1, \"corner\"\r\n\r\n";
    for (int i = 2; i <= 11; ++i)
        data += std::to_string(100 * i) + "\r\n";
    write_file(folder_.file("b.DAT"), data);
    tamsor::CalculationRequest request;
    request.path = folder_.file("b.DAT").string();
    request.techniques = {tamsor::TechniqueId::kOptimal};
    tamsor::loadResults(model_, tamsor::calculate(request));
    ASSERT_EQ(model_.DataLoads.size(), 11u);
    EXPECT_EQ(model_.DataLoads[0].line, 1);
    EXPECT_EQ(model_.DataLoads[0].label, "kN  axis A/1, \"corner\"");
    EXPECT_EQ(model_.DataLoads[1].line, 3);  // after the blank line
    EXPECT_EQ(model_.DataLoads[10].load, 1100.0f);

    // A calculation that failed, here on a file that is not there, has
    // nothing to load.
    std::filesystem::remove(folder_.file("b.DAT"));
    const ResultsModel loaded = model_;
    EXPECT_THROW(tamsor::loadResults(model_, tamsor::calculate(request)), std::exception);
    EXPECT_TRUE(model_ == loaded);
}

}  // namespace
