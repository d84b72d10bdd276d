// The property protocol of the chart control: what it records, how the
// assignments build the data set, what it refuses and what a draw shows.
#include <gtest/gtest.h>

#include <limits>

#include "chart_control.h"
#include "chart_driving.h"
#include "chart_plot.h"
#include "runtime/runtime_error.h"

namespace tamsor {
namespace {

using testing::ChartRequest;
using testing::drawChart;
using testing::int16;
using testing::int32;

// Asserts that the assignment is refused as a control failure and leaves the data set alone.
void expectRefused(ChartControl& control, int dispatchId, const QVariant& value) {
    const ChartContent before = control.content();
    const qsizetype recorded = control.calls().size();
    try {
        control.assign(dispatchId, value);
        ADD_FAILURE() << "property " << dispatchId << " accepted "
                      << value.toString().toStdString();
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.kind(), RuntimeErrorKind::kControlFailure);
    }
    EXPECT_EQ(control.content().points.size(), before.points.size());
    EXPECT_EQ(control.content().title, before.title);
    EXPECT_EQ(static_cast<int>(control.content().type), static_cast<int>(before.type));
    ASSERT_EQ(control.calls().size(), recorded + 1) << "refused calls are recorded too";
    EXPECT_EQ(control.calls().back().dispatchId, dispatchId);
}

TEST(ChartControlTest, RecordsEveryAssignmentInOrderWithItsType) {
    ChartControl control(testing::meanLoadDesign());
    drawChart(control, ChartRequest({12, 18}).titled("Number of Isolators", "Isolator Types"));

    const QList<int> expected = {kChartDataSetCount, kChartCurrentDataSet, kChartPointCount,
                                 kChartTitle,        kChartBottomTitle,    kChartCurrentPoint,
                                 kChartValue,        kChartCurrentPoint,   kChartValue,
                                 kChartDraw};
    ASSERT_EQ(control.calls().size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(control.calls()[i].dispatchId, expected[i]) << "call " << i;
    }
    EXPECT_EQ(control.calls()[2].value.typeId(), QMetaType::Short);
    EXPECT_EQ(control.calls()[3].value.toString(), "Number of Isolators");
    EXPECT_EQ(control.calls()[8].value.typeId(), QMetaType::Float);
    EXPECT_FLOAT_EQ(control.calls()[8].value.toFloat(), 18.0f);
    EXPECT_EQ(control.calls()[9].value.toInt(), kChartDrawNow);

    control.clearCalls();
    EXPECT_TRUE(control.calls().isEmpty());
    EXPECT_EQ(control.content().points.size(), 2) << "clearing the record keeps the chart";
}

TEST(ChartControlTest, StartsFromItsDesignAndTakesIntegerOrRealValues) {
    ChartControl control(testing::varianceDesign());
    EXPECT_EQ(control.content().type, ChartType::kLine);
    EXPECT_EQ(control.content().title, "Variance");
    EXPECT_EQ(control.content().bottomTitle, "Isolator Types");
    EXPECT_TRUE(control.content().points.isEmpty());
    EXPECT_FALSE(control.drawn().has_value());
    EXPECT_EQ(control.plot(), nullptr);

    control.assign(kChartPointCount, int16(2));
    control.assign(kChartCurrentPoint, int16(1));
    control.assign(kChartValue, int32(14));  // isolator counts come as 32-bit integers
    control.assign(kChartCurrentPoint, int16(2));
    control.assign(kChartValue, QVariant(1225.75f));
    control.assign(kChartLabel, int16(3));
    EXPECT_DOUBLE_EQ(control.content().points[0].value, 14.0);
    EXPECT_DOUBLE_EQ(control.content().points[1].value, 1225.75);
    EXPECT_EQ(control.content().points[1].label, "3");
    EXPECT_TRUE(control.content().points[0].label.isEmpty());
}

TEST(ChartControlTest, PointCountResizesTheDataSetKeepingExistingPoints) {
    ChartControl control(testing::meanLoadDesign());
    control.assign(kChartPointCount, int16(3));
    for (int i = 1; i <= 3; ++i) {
        control.assign(kChartCurrentPoint, int16(i));
        control.assign(kChartValue, QVariant(100.0f * static_cast<float>(i)));
        control.assign(kChartLabel, int16(i + 1));
    }

    control.assign(kChartPointCount, int16(5));
    ASSERT_EQ(control.content().points.size(), 5);
    EXPECT_DOUBLE_EQ(control.content().points[2].value, 300.0);
    EXPECT_EQ(control.content().points[2].label, "4");
    EXPECT_DOUBLE_EQ(control.content().points[4].value, 0.0);
    EXPECT_TRUE(control.content().points[4].label.isEmpty());

    control.assign(kChartPointCount, int16(1));
    ASSERT_EQ(control.content().points.size(), 1);
    EXPECT_DOUBLE_EQ(control.content().points[0].value, 100.0);
    // The current point (3) now lies past the end: its value can no longer be set.
    expectRefused(control, kChartValue, QVariant(5.0f));
    expectRefused(control, kChartLabel, int16(2));

    control.assign(kChartPointCount, int16(0));
    EXPECT_TRUE(control.content().points.isEmpty());
}

TEST(ChartControlTest, RefusesUnknownPropertiesBadPointsAndWrongTypes) {
    ChartControl control(testing::meanLoadDesign());
    control.assign(kChartPointCount, int16(3));

    expectRefused(control, 999, int32(1));
    expectRefused(control, 0, int32(1));
    expectRefused(control, kChartCurrentPoint, int16(0));
    expectRefused(control, kChartCurrentPoint, int16(4));
    expectRefused(control, kChartCurrentPoint, QVariant(1.0));  // a real where an integer belongs
    expectRefused(control, kChartPointCount, int16(-1));
    expectRefused(control, kChartPointCount, int32(40000));  // does not fit in 16 bits
    expectRefused(control, kChartType, int32(5));
    expectRefused(control, kChartType, QString("3"));
    expectRefused(control, kChartDataSetCount, int16(2));
    expectRefused(control, kChartCurrentDataSet, int16(0));
    expectRefused(control, kChartTitle, int32(7));
    expectRefused(control, kChartBottomTitle, QVariant());
    expectRefused(control, kChartValue, QString("12"));
    expectRefused(control, kChartValue, QVariant(std::numeric_limits<double>::quiet_NaN()));
    expectRefused(control, kChartDraw, int32(1));
    EXPECT_FALSE(control.drawn().has_value()) << "no refused call draws";

    ChartControl empty(testing::meanLoadDesign());
    expectRefused(empty, kChartCurrentPoint, int16(1));
    expectRefused(empty, kChartValue, QVariant(1.0f));
}

TEST(ChartControlTest, DrawShowsASnapshotThatLaterAssignmentsLeaveAlone) {
    ChartControl control(testing::varianceDesign());
    // The variance chart sets no titles: the stored ones are drawn.
    drawChart(control, ChartRequest({45210.5, 18007.2}).ofType(ChartType::kLine).labelledFromTwo());
    ASSERT_TRUE(control.drawn().has_value());
    ChartPlot* shown = control.plot();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(control.drawn()->title, "Variance");
    EXPECT_EQ(control.drawn()->bottomTitle, "Isolator Types");
    EXPECT_EQ(control.drawn()->points[1].label, "3");

    control.assign(kChartType, int32(3));
    control.assign(kChartTitle, QString("Number of Isolators"));
    control.assign(kChartPointCount, int16(5));
    control.assign(kChartCurrentPoint, int16(1));
    control.assign(kChartValue, QVariant(1.0f));
    EXPECT_EQ(control.drawn()->type, ChartType::kLine);
    EXPECT_EQ(control.drawn()->title, "Variance");
    ASSERT_EQ(control.drawn()->points.size(), 2);
    EXPECT_DOUBLE_EQ(control.drawn()->points[0].value, static_cast<double>(45210.5f));
    EXPECT_EQ(control.plot(), shown);
    EXPECT_EQ(shown->content().title, "Variance");

    control.assign(kChartDraw, int32(kChartDrawNow));
    EXPECT_EQ(control.drawn()->type, ChartType::kBar2D);
    EXPECT_EQ(control.drawn()->title, "Number of Isolators");
    EXPECT_NE(control.plot(), nullptr);
    EXPECT_EQ(control.plot()->content().points.size(), 5);
    EXPECT_EQ(control.findChildren<ChartPlot*>().size(), 1) << "the previous chart is gone";
}

}  // namespace
}  // namespace tamsor
