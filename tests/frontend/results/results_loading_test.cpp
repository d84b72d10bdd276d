#include "results/results_loading.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <optional>
#include <string>

#include "results/results_model.h"
#include "scratch_folder.h"

namespace {

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

// The load plot of eleven increasing loads: 22 points at positions 1 to 12.
std::string plotText() {
    std::string text;
    for (int i = 1; i <= 11; ++i) {
        text += std::to_string(i) + " " + std::to_string(100 * i) + "\r\n";
        text += std::to_string(i + 1) + " " + std::to_string(100 * i) + "\r\n";
    }
    return text;
}

constexpr float kVariances[9] = {9000, 4000, 2000, 1000, 500, 250, 125, 60, 30};

class ResultsLoading : public ::testing::Test {
  protected:
    void choose(const std::string& name) {
        model_.DataFileName = QString::fromStdString(folder_.file(name).string());
    }
    ScratchFolder folder_;
    ResultsModel model_;
};

TEST_F(ResultsLoading, ReadsPointsAndTheFirstEightSetsAndNormalises) {
    write_file(folder_.file("b.plt"), plotText());
    write_file(folder_.file("b.out"), reportText(9, kVariances));
    choose("b.DAT");
    tamsor::loadResults(model_);

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
}

TEST_F(ResultsLoading, KeepsFiguresTooWideForTheReportAsNotShown) {
    write_file(folder_.file("b.plt"), plotText());
    // The variances of one to three partitions, and the second mean of
    // five, did not fit their fields.
    std::string report = reportText(9, kVariances);
    for (int d = 0; d <= 2; ++d)
        report = withAsterisks(report, d, false, 4, 12);
    report = withAsterisks(report, 4, true, 19 + 11 + 1, 10);
    write_file(folder_.file("b.out"), report);
    choose("b.DAT");
    tamsor::loadResults(model_);

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
    write_file(folder_.file("b.out"), report);
    tamsor::loadResults(model_);
    EXPECT_EQ(model_.SetVarianceMax, 1.0f);
    for (int d = 0; d <= 7; ++d)
        EXPECT_TRUE(model_.SetVarianceNotShown[d]) << d;
    EXPECT_FALSE(model_.SetVarianceNotShown[8]);  // the ninth set is never read
}

TEST_F(ResultsLoading, KeepsTheVariancesAsReadWhenEverySetFitsExactly) {
    const float zeroAfterFirst[9] = {2500, 0, 0, 0, 0, 0, 0, 0, 0};
    write_file(folder_.file("b.plt"), plotText());
    write_file(folder_.file("b.out"), reportText(8, zeroAfterFirst));
    choose("b.DAT");
    tamsor::loadResults(model_);
    EXPECT_EQ(model_.SetVarianceMax, 1.0f);
    EXPECT_EQ(model_.SetVariance[0], 2500.0f);
    EXPECT_EQ(model_.SetVariance[4], 0.0f);
}

TEST_F(ResultsLoading, FindsTheResultsBesideTheDataFileWhateverTheFolderName) {
    std::filesystem::create_directory(folder_.file("job v1.2"));
    write_file(folder_.file("job v1.2/bldg.plt"), plotText());
    write_file(folder_.file("job v1.2/bldg.out"), reportText(8, kVariances));
    choose("job v1.2/bldg.DAT");
    EXPECT_NO_THROW(tamsor::loadResults(model_));

    std::filesystem::create_directory(folder_.file("v2.0"));
    write_file(folder_.file("v2.0/bldg.plt"), plotText());
    write_file(folder_.file("v2.0/bldg.out"), reportText(8, kVariances));
    choose("v2.0/bldg");
    EXPECT_NO_THROW(tamsor::loadResults(model_));
}

TEST_F(ResultsLoading, FailsOnEveryFaultOfTheFilesAndKeepsTheModelAsItWas) {
    choose("b.DAT");
    write_file(folder_.file("b.plt"), plotText());
    write_file(folder_.file("b.out"), reportText(8, kVariances));
    tamsor::loadResults(model_);
    model_.MethodFlag = tamsor::TechniqueId::kOptimal;
    const ResultsModel loaded = model_;
    // Nothing for a file: there is none.
    const auto failsWith = [&](const std::optional<std::string>& plot,
                               const std::optional<std::string>& report) {
        std::filesystem::remove(folder_.file("b.plt"));
        std::filesystem::remove(folder_.file("b.out"));
        if (plot) write_file(folder_.file("b.plt"), *plot);
        if (report) write_file(folder_.file("b.out"), *report);
        EXPECT_THROW(tamsor::loadResults(model_), std::exception);
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
    failsWith("1 100\r\n2", report);                            // plot ends inside a point
    failsWith("1 -100\r\n2 0\r\n", report);                     // no load above 0: 0 / 0
    std::string tooManyPoints;
    for (int i = 0; i < 2002; ++i)
        tooManyPoints += "1 100\r\n";
    failsWith(tooManyPoints, report);
    failsWith("", report);  // no point at all
    // A point beyond single precision once divided by its maximum.
    failsWith("1e-30 100\r\n-3e38 100\r\n", report);
}

}  // namespace

namespace {

TEST_F(ResultsLoading, ReadsTheDataFileLoadsWithTheirLinesAndLabelsOnlyWhenTheyMatch) {
    // Eleven loads, as the one-type set of a run on them counts (1 to 12).
    std::string data = "100   kN  axis A/1, \"corner\"\r\n\r\n";
    for (int i = 2; i <= 11; ++i)
        data += std::to_string(100 * i) + "\r\n";
    write_file(folder_.file("b.DAT"), data);
    choose("b.DAT");
    model_.PartBound[0][1] = 12;
    tamsor::loadDataFileLoads(model_);
    ASSERT_EQ(model_.DataLoads.size(), 11u);
    EXPECT_EQ(model_.DataLoads[0].line, 1);
    EXPECT_EQ(model_.DataLoads[0].label, "kN  axis A/1, \"corner\"");
    EXPECT_EQ(model_.DataLoads[1].line, 3);  // after the blank line
    EXPECT_EQ(model_.DataLoads[10].load, 1100.0f);

    // A data file changed since the calculation no longer matches the results.
    write_file(folder_.file("b.DAT"), data + "1200\r\n");
    EXPECT_THROW(tamsor::loadDataFileLoads(model_), std::exception);
    EXPECT_TRUE(model_.DataLoads.empty());
    std::filesystem::remove(folder_.file("b.DAT"));
    EXPECT_THROW(tamsor::loadDataFileLoads(model_), std::exception);
}

}  // namespace
