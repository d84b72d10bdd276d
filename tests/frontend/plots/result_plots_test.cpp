// SPDX-License-Identifier: GPL-3.0-or-later
// What the main window shows of a results model filled by hand — the load
// plot, the variance plot and the results table: twenty loads 10, 20, ...,
// 200 kN.
#include <gtest/gtest.h>

#include "plots/load_plot.h"
#include "plots/variance_plot.h"
#include "results/results_loading.h"
#include "results/results_model.h"
#include "results/results_table.h"
#include "results_table_cells.h"

namespace {

using tamsor::CanvasScene;
using tamsor::CanvasSegment;
using tamsor::ResultsModel;
using tamsor::ResultsTable;

const QColor kBlack(0, 0, 0);
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);

// The model that loading the engine's files for these loads would give: a
// step per load (40 points at positions 1 to 21) and, for d + 1 partitions,
// partitions of two loads and a last one with the rest.
ResultsModel twentyLoads() {
    ResultsModel m;
    m.PlotXMax = 21;
    m.PlotX.resize(40);
    m.PlotY.resize(40);
    m.PlotYMax = 200;
    for (int i = 0; i < 20; ++i) {
        m.PlotX[2 * i] = (i + 1) / 21.0f;
        m.PlotX[2 * i + 1] = (i + 2) / 21.0f;
        m.PlotY[2 * i] = m.PlotY[2 * i + 1] = (10.0f * (i + 1)) / 200.0f;
    }
    m.PlotLast = 39;
    m.SetVarianceMax = 250;
    for (int d = 0; d <= 7; ++d) {
        m.SetVarianceReported[d] = 1000.0f / (d + 1);
        m.SetVariance[d] = m.SetVarianceReported[d] / 250.0f;
        for (int k = 0; k <= d; ++k) {
            m.PartBound[d][k] = 1 + 2 * k;
            m.PartMean[d][k] = 15.0f + 20 * k;
        }
        m.PartBound[d][d + 1] = 21;
        m.PartMean[d][d] = (10.0f * (2 * d + 1) + 200) / 2;
        for (int k = 0; k < d; ++k)
            m.PartLargest[d][k] = 20.0f + 20 * k;
        m.PartLargest[d][d] = 200;
    }
    m.SetsReached = 8;
    tamsor::countIsolators(m);
    return m;
}

class ResultsDisplay : public ::testing::Test {
  protected:
    // As the main window shows `partitions` types.
    void draw(int partitions) {
        loadPlot_ = tamsor::loadPlot(model_, partitions);
        variancePlot_ = tamsor::variancePlot(model_);
        grid_.setShownTypes(partitions);
    }
    std::vector<CanvasSegment> segmentsOf(const QColor& color, bool dashed) const {
        std::vector<CanvasSegment> found;
        for (const auto& segment : loadPlot_.segments())
            if (segment.color == color && segment.dashed == dashed) found.push_back(segment);
        return found;
    }
    QStringList row(int r) const {
        QStringList texts;
        for (int c = 0; c < 5; ++c)
            texts << tamsor::testing::designCell(grid_, r, c);
        return texts;
    }

    // The segments of a scene in one colour, in drawing order.
    static std::vector<CanvasSegment> inColour(const CanvasScene& scene, const QColor& color) {
        std::vector<CanvasSegment> found;
        for (const auto& segment : scene.segments())
            if (segment.color == color) found.push_back(segment);
        return found;
    }
    // The texts of a scene in one colour, in drawing order.
    static QStringList textsIn(const CanvasScene& scene, const QColor& color) {
        QStringList found;
        for (const auto& text : scene.texts())
            if (text.color == color) found << text.text;
        return found;
    }

    ResultsModel model_ = twentyLoads();
    CanvasScene loadPlot_;
    CanvasScene variancePlot_;
    ResultsTable grid_{model_};
};

TEST_F(ResultsDisplay, OnePartitionShowsTheOverallMeanAndItsStart) {
    draw(1);
    const auto all = loadPlot_.segments();
    // Axes first, then the staircase through the points in file order.
    EXPECT_EQ(all[0].from, QPointF(0, 0));
    EXPECT_EQ(all[0].to, QPointF(1, 0));
    EXPECT_EQ(all[1].to, QPointF(0, 1));
    const auto red = inColour(loadPlot_, kRed);
    ASSERT_EQ(red.size(), 39u);
    EXPECT_EQ(red[0].from, QPointF(1.0f / 21, 10.0f / 200));
    EXPECT_EQ(red[38].to, QPointF(1, 1));
    // The axes again above the staircase, then the overlay.
    EXPECT_EQ(inColour(loadPlot_, kBlack).size(), 4u);

    // The overall mean level spans the one type, from its first isolator
    // to the end of the last.
    const auto mean = segmentsOf(kBlue, true);
    ASSERT_EQ(mean.size(), 1u);
    EXPECT_FLOAT_EQ(mean[0].from.x(), 1.0f / 21);
    EXPECT_FLOAT_EQ(mean[0].to.x(), 1.0f);
    EXPECT_FLOAT_EQ(mean[0].from.y(), 105.0f / 200);
    const auto starts = segmentsOf(kBlue, false);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_FLOAT_EQ(starts[0].from.x(), 1.0f / 21);
    EXPECT_EQ(starts[0].from.y(), 0);
    EXPECT_EQ(starts[0].to.y(), 1);
    EXPECT_FALSE(loadPlot_.isDashed());

    EXPECT_EQ(row(1), (QStringList{" 1", " 20", " 105.00", " 200.0", " 1000.00"}));
    for (int r = 2; r <= 8; ++r)
        EXPECT_EQ(row(r), (QStringList{"", "", "", "", ""})) << r;
    EXPECT_EQ(model_.PartCount[0][0], 20);
}

// Round loads up the load axis in the data file's decimals, isolator
// positions along the bottom, the axis titled with the unit, each value
// with its tick, all in grey; round variances up the variance axis.
TEST_F(ResultsDisplay, AxesShowLoadsPositionsAndVariancesWithTheirUnits) {
    draw(3);
    const QColor grey(0x6B, 0x72, 0x7C);
    EXPECT_EQ(textsIn(loadPlot_, grey),
              (QStringList{"0.0", "50.0", "100.0", "150.0", "200.0", "1", "5", "10", "15", "20",
                           "Load (kN)", "Isolators in ascending order of load"}));
    const auto ticks = inColour(loadPlot_, grey);
    ASSERT_EQ(ticks.size(), 10u);
    EXPECT_EQ(ticks[1].from.y(), 50.0 / 200);  // 50 kN
    EXPECT_EQ(ticks[6].from.x(), 5.0 / 21);    // the fifth isolator's step
    EXPECT_EQ(textsIn(variancePlot_, grey),
              (QStringList{"0", "100", "200", "Pooled variance (kN\u00B2)"}));

    model_.LoadUnit = QStringLiteral("kip");
    draw(3);
    EXPECT_TRUE(textsIn(loadPlot_, grey).contains("Load (kip)"));
    EXPECT_TRUE(textsIn(variancePlot_, grey).contains("Pooled variance (kip\u00B2)"));
    EXPECT_EQ(row(0), (QStringList{"Partition", "Number", "Mean (kip)", "Largest (kip)",
                                   "Variance (kip\u00B2)"}));
    model_.LoadUnit.clear();
    draw(3);
    EXPECT_TRUE(textsIn(loadPlot_, grey).contains("Load"));
    EXPECT_EQ(row(0), (QStringList{"Partition", "Number", "Mean", "Largest", "Variance"}));

    // The dashed mean of each type spans that type alone: 1 to 3, 3 to 5,
    // 5 to 21 on the positions' axis.
    const auto means = segmentsOf(kBlue, true);
    ASSERT_EQ(means.size(), 3u);
    for (int k = 0; k < 3; ++k) {
        EXPECT_FLOAT_EQ(means[k].from.x(), model_.PartBound[2][k] / 21);
        EXPECT_FLOAT_EQ(means[k].to.x(), model_.PartBound[2][k + 1] / 21);
    }
}

// 100,000 isolators: on the main window's first, narrow plot (268 pixels) only
// as many six-digit positions as fit side by side; on a wide one, all eight steps'.
TEST_F(ResultsDisplay, PositionsOfALargeBuildingStayApartOnANarrowPlot) {
    model_.PlotXMax = 100001;
    const QColor grey(0x6B, 0x72, 0x7C);
    const auto positions = [&](int columns) {
        QStringList texts = textsIn(tamsor::loadPlot(model_, 3, columns), grey);
        return texts.mid(5, texts.size() - 7);
    };
    EXPECT_EQ(positions(268), (QStringList{"1", "50000", "100000"}));
    EXPECT_EQ(positions(900), (QStringList{"1", "20000", "40000", "60000", "80000", "100000"}));
    EXPECT_EQ(positions(0), positions(900));
}

TEST_F(ResultsDisplay, ATypeCountNotReachedShowsTheLoadsWithoutTypes) {
    model_.SetsReached = 4;
    draw(5);
    EXPECT_EQ(inColour(loadPlot_, kRed).size(), 39u);
    EXPECT_TRUE(inColour(loadPlot_, kBlue).empty());
    for (int r = 1; r <= 8; ++r)
        EXPECT_EQ(row(r), (QStringList{"", "", "", "", ""})) << r;
    // The variance line runs over the groupings reached, 2 to 4 types.
    EXPECT_EQ(inColour(variancePlot_, kRed).size(), 2u);
    draw(4);
    EXPECT_EQ(segmentsOf(kBlue, false).size(), 4u);
    EXPECT_EQ(row(4)[0], " 4");
}

TEST_F(ResultsDisplay, VariancePlotIsTheSameWhateverThePartitions) {
    for (const int partitions : {1, 8}) {
        draw(partitions);
        const auto segments = variancePlot_.segments();
        EXPECT_EQ(segments[0].from, QPointF(0.25, 0));
        EXPECT_EQ(segments[1].to, QPointF(0.25, 1));
        const auto red = inColour(variancePlot_, kRed);
        ASSERT_EQ(red.size(), 6u);
        EXPECT_EQ(red[0].from, QPointF(0.25, model_.SetVariance[1]));
        EXPECT_EQ(red[5].to, QPointF(1, model_.SetVariance[7]));
        std::vector<tamsor::CanvasText> texts;
        for (const auto& text : variancePlot_.texts())
            if (text.color == kBlack) texts.push_back(text);
        ASSERT_EQ(texts.size(), 7u);
        for (int p = 2; p <= 7; ++p) {
            EXPECT_EQ(texts[p - 2].text, QStringLiteral(" %1").arg(p));
            EXPECT_EQ(texts[p - 2].at, QPointF(p / 8.0, -0.05));
        }
        EXPECT_EQ(texts[6].text, "8");  // no leading blank
        EXPECT_EQ(texts[6].at, QPointF(1, -0.05));
        EXPECT_EQ(variancePlot_.worldWindow().left, 0);
        EXPECT_EQ(variancePlot_.worldWindow().right, 1.2);
    }
}

TEST_F(ResultsDisplay, EightPartitionsFillTheTableAndDrawEightStarts) {
    draw(8);
    EXPECT_EQ(segmentsOf(kBlue, false).size(), 8u);
    EXPECT_EQ(segmentsOf(kBlue, true).size(), 8u);
    EXPECT_EQ(row(1), (QStringList{" 1", " 2", " 15.00", " 20.0", " 125.00"}));
    EXPECT_EQ(row(7), (QStringList{" 7", " 2", " 135.00", " 140.0", ""}));
    EXPECT_EQ(row(8), (QStringList{" 8", " 6", " 175.00", " 200.0", ""}));
}

TEST_F(ResultsDisplay, FewerPartitionsEmptyTheRowsButKeepTheCounts) {
    draw(5);
    EXPECT_EQ(row(4), (QStringList{" 4", " 2", " 75.00", " 80.0", ""}));
    EXPECT_EQ(row(5), (QStringList{" 5", " 12", " 145.00", " 200.0", ""}));
    draw(3);
    EXPECT_EQ(row(3), (QStringList{" 3", " 16", " 125.00", " 200.0", ""}));
    EXPECT_EQ(row(4), (QStringList{"", "", "", "", ""}));
    EXPECT_EQ(row(5), (QStringList{"", "", "", "", ""}));
    EXPECT_EQ(model_.PartCount[4][3], 2);  // the five-partition set's, as loaded
    EXPECT_EQ(model_.PartCount[4][4], 12);
}

TEST_F(ResultsDisplay, CountsRoundToTheNearestIsolatorHalvesToEven) {
    model_.PartBound[2] = {1, 3.5f, 7, 21};  // 2.5, 3.5 and 14 loads
    tamsor::countIsolators(model_);
    draw(3);
    EXPECT_EQ(row(1)[1], " 2");
    EXPECT_EQ(row(2)[1], " 4");
    EXPECT_EQ(row(3)[1], " 14");
}

TEST_F(ResultsDisplay, NoTypesShownLeavesEveryRowEmpty) {
    draw(5);
    grid_.setShownTypes(0);
    for (int r = 1; r <= 8; ++r)
        EXPECT_EQ(row(r), (QStringList{"", "", "", "", ""})) << r;
    EXPECT_EQ(row(0), (QStringList{"Partition", "Number", "Mean (kN)", "Largest (kN)",
                                   "Variance (kN\u00B2)"}));
}

TEST_F(ResultsDisplay, LeavesOutFiguresTooWideForTheReport) {
    // Variances shown for 4 and 8 partitions only, neither beside another.
    for (const int d : {1, 2, 4, 5, 6})
        model_.SetVarianceNotShown[d] = true;
    model_.PartMeanNotShown[2][1] = true;
    draw(3);
    const auto red = inColour(variancePlot_, kRed);
    ASSERT_EQ(red.size(), 2u);
    EXPECT_EQ(red[0].from, QPointF(0.5f - 0.02f, model_.SetVariance[3]));
    EXPECT_EQ(red[0].to, QPointF(0.5f + 0.02f, model_.SetVariance[3]));
    EXPECT_EQ(red[1].from.x(), 1.0f - 0.02f);
    EXPECT_EQ(textsIn(variancePlot_, kBlack).size(), 7u);  // the labels, no note
    // The mean not shown: its cell holds the report's asterisks, its level
    // is not drawn; the starts are.
    EXPECT_EQ(row(2), (QStringList{" 2", " 2", "**********", " 40.0", ""}));
    EXPECT_EQ(segmentsOf(kBlue, true).size(), 2u);
    EXPECT_EQ(segmentsOf(kBlue, false).size(), 3u);

    model_.SetVarianceNotShown[0] = model_.SetVarianceNotShown[3] = model_.SetVarianceNotShown[7] =
        true;
    draw(1);
    EXPECT_EQ(row(1)[4], "************");
    EXPECT_TRUE(inColour(variancePlot_, kRed).empty());
    EXPECT_EQ(variancePlot_.texts().back().text, tamsor::kVariancesNotShownNote);
}

}  // namespace
