#include "results_loading.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "isoldef.h"
#include "scratch_folder.h"
#include "tamsor/free_form_reader.h"

namespace {

using tamsor::IsolDef;
using tamsor::testing::ScratchFolder;
using tamsor::testing::write_file;

// A report of `sets` result sets; set d has d + 1 partitions of 10 loads
// each, pooled variance variances[d], and means 100, 200, ...
std::string reportText(int sets, const float* variances) {
    std::string text;
    for (int d = 0; d < sets; ++d) {
        const int n = d + 1;
        text +=
            std::to_string(n) + " " + std::to_string(variances[d]) + " " + std::to_string(100 * n);
        for (int k = 0; k <= n; ++k)
            text += " " + std::to_string(1 + 10 * k);
        text += "\r\n                   ";
        for (int k = 1; k <= n; ++k)
            text += " " + std::to_string(100 * k) + ".00";
        text += "\r\n";
    }
    return text;
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
        isoldef_.DataFileName =
            QString::fromStdString(folder_.file(name).string()).leftJustified(120);
    }
    ScratchFolder folder_;
    IsolDef isoldef_;
};

TEST_F(ResultsLoading, ReadsPointsAndTheFirstEightSetsAndNormalises) {
    write_file(folder_.file("b.plt"), plotText());
    write_file(folder_.file("b.out"), reportText(9, kVariances) + "extra 1 2 3\r\n");
    choose("b.DAT");
    tamsor::loadResults(isoldef_);

    EXPECT_EQ(isoldef_.PlotLast, 21);
    EXPECT_EQ(isoldef_.PlotXMax, 12.0f);
    EXPECT_EQ(isoldef_.PlotYMax, 1100.0f);
    EXPECT_EQ(isoldef_.PlotX[0], 1.0f / 12.0f);
    EXPECT_EQ(isoldef_.PlotX[21], 1.0f);
    EXPECT_EQ(isoldef_.PlotY[21], 1.0f);

    // The largest variance of sets 1 to 7 divides; set 0 may exceed 1.
    EXPECT_EQ(isoldef_.SetVarianceMax, 4000.0f);
    EXPECT_EQ(isoldef_.SetVariance[0], 2.25f);
    EXPECT_EQ(isoldef_.SetVariance[1], 1.0f);
    EXPECT_EQ(isoldef_.SetVariance[7], 60.0f / 4000.0f);
    EXPECT_EQ(isoldef_.SetVariance[8], 0.0f);  // the ninth set is never read
    EXPECT_EQ(isoldef_.SetOpCount[7], 800);
    EXPECT_EQ(isoldef_.PartBound[7][0], 1.0f);
    EXPECT_EQ(isoldef_.PartBound[7][8], 81.0f);
    EXPECT_EQ(isoldef_.PartMean[7][7], 800.0f);
    EXPECT_EQ(isoldef_.PartMean[2][2], 300.0f);
}

TEST_F(ResultsLoading, KeepsTheVariancesAsReadWhenEverySetFitsExactly) {
    const float zeroAfterFirst[9] = {2500, 0, 0, 0, 0, 0, 0, 0, 0};
    write_file(folder_.file("b.plt"), plotText());
    write_file(folder_.file("b.out"), reportText(8, zeroAfterFirst));
    choose("b.DAT");
    tamsor::loadResults(isoldef_);
    EXPECT_EQ(isoldef_.SetVarianceMax, 1.0f);
    EXPECT_EQ(isoldef_.SetVariance[0], 2500.0f);
    EXPECT_EQ(isoldef_.SetVariance[4], 0.0f);
}

TEST_F(ResultsLoading, FindsTheResultsBesideTheDataFileWhateverTheFolderName) {
    std::filesystem::create_directory(folder_.file("job v1.2"));
    write_file(folder_.file("job v1.2/bldg.plt"), plotText());
    write_file(folder_.file("job v1.2/bldg.out"), reportText(8, kVariances));
    choose("job v1.2/bldg.DAT");
    EXPECT_NO_THROW(tamsor::loadResults(isoldef_));

    std::filesystem::create_directory(folder_.file("v2.0"));
    write_file(folder_.file("v2.0/bldg.plt"), plotText());
    write_file(folder_.file("v2.0/bldg.out"), reportText(8, kVariances));
    choose("v2.0/bldg");
    EXPECT_NO_THROW(tamsor::loadResults(isoldef_));
}

TEST_F(ResultsLoading, FailsOnEveryFaultOfTheFilesAndKeepsTheModelAsItWas) {
    choose("b.DAT");
    write_file(folder_.file("b.plt"), plotText());
    write_file(folder_.file("b.out"), reportText(8, kVariances));
    tamsor::loadResults(isoldef_);
    isoldef_.ShownPartitions = 3;
    const IsolDef loaded = isoldef_;
    // Nothing for a file: there is none.
    const auto failsWith = [&](const std::optional<std::string>& plot,
                               const std::optional<std::string>& report) {
        std::filesystem::remove(folder_.file("b.plt"));
        std::filesystem::remove(folder_.file("b.out"));
        if (plot) write_file(folder_.file("b.plt"), *plot);
        if (report) write_file(folder_.file("b.out"), *report);
        EXPECT_THROW(tamsor::loadResults(isoldef_), std::exception);
        EXPECT_TRUE(isoldef_ == loaded) << "a failed load stores nothing";
    };
    const std::string report = reportText(8, kVariances);

    failsWith(std::nullopt, report);                   // no plot file
    failsWith(plotText(), std::nullopt);               // no report
    failsWith(plotText(), reportText(7, kVariances));  // ends before the eighth set
    failsWith("1 100\r\n2", report);                   // plot ends inside a point
    failsWith("1 -100\r\n2 0\r\n", report);            // no load above 0: 0 / 0
    failsWith(plotText(), "1 ********** 22 1 12\r\n 60.00\r\n" + report);  // asterisks
    failsWith(plotText(), "40000 1 1 1\r\n" + report);  // count too large for 16 bits
    failsWith(plotText(), "9 1 1 1 2 3 4 5 6 7 8 9 10\r\n" + report);  // a count above 8
    std::string tooManyPoints;
    for (int i = 0; i < 2002; ++i)
        tooManyPoints += "1 100\r\n";
    failsWith(tooManyPoints, report);
    const float allZero[9] = {};
    failsWith("1 0\r\n2 0\r\n", reportText(8, allZero));  // loads of 0 only
    failsWith("", report);                                // no point at all
    // Figures that no drawing could show: a point beyond single precision
    // once divided by its maximum, a partition of more than 2^31 isolators.
    failsWith("1e-30 100\r\n-3e38 100\r\n", report);
    failsWith(plotText(), "1 1 1 0 3e9 50\r\n" + report);
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
    isoldef_.PartBound[0][1] = 12;
    tamsor::loadDataFileLoads(isoldef_);
    ASSERT_EQ(isoldef_.DataLoads.size(), 11u);
    EXPECT_EQ(isoldef_.DataLoads[0].line, 1);
    EXPECT_EQ(isoldef_.DataLoads[0].label, "kN  axis A/1, \"corner\"");
    EXPECT_EQ(isoldef_.DataLoads[1].line, 3);  // after the blank line
    EXPECT_EQ(isoldef_.DataLoads[10].load, 1100.0f);

    // A data file changed since the calculation no longer matches the results.
    write_file(folder_.file("b.DAT"), data + "1200\r\n");
    EXPECT_THROW(tamsor::loadDataFileLoads(isoldef_), std::exception);
    EXPECT_TRUE(isoldef_.DataLoads.empty());
    std::filesystem::remove(folder_.file("b.DAT"));
    EXPECT_THROW(tamsor::loadDataFileLoads(isoldef_), std::exception);
}

}  // namespace
