// What each chart type draws: the kind of series or renderer, its values,
// labels and titles, and charts without points or without positive values.
#include <gtest/gtest.h>

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QCoreApplication>
#include <QGraphicsEllipseItem>
#include <QGraphicsSimpleTextItem>
#include <QLineSeries>
#include <QPieSeries>
#include <QPieSlice>
#include <QValueAxis>

#include "bar3d_chart_plot.h"
#include "bar_chart_plot.h"
#include "chart_control.h"
#include "chart_driving.h"
#include "line_chart_plot.h"
#include "pie3d_chart_plot.h"
#include "pie_chart_plot.h"

namespace tamsor {
namespace {

using testing::ChartRequest;
using testing::drawChart;

const QList<double> kMeanLoads = {412.5, 868.3, 1225.0, 1640.2, 2210.8};
const QList<double> kCounts = {12, 18, 9, 14, 7};
const QList<double> kVariances = {45210.5, 18007.2, 9630.4, 5120.9, 3388.0, 2564.3, 2101.7};

// A shown control of a maximised window's size, so that the charts lay themselves out.
class ChartDrawingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        control.resize(1280, 720);
        control.show();
    }

    template <typename Plot>
    Plot* draw(const testing::ChartRequest& request) {
        drawChart(control, request);
        QCoreApplication::processEvents();  // lets the chart lay out its items
        auto* plot = qobject_cast<Plot*>(control.plot());
        EXPECT_NE(plot, nullptr) << "wrong kind of chart for the type";
        return plot;
    }

    ChartControl control{testing::meanLoadDesign()};
};

QStringList axisCategories(QChart* chart) {
    const auto axes = chart->axes(Qt::Horizontal);
    auto* axis = axes.isEmpty() ? nullptr : qobject_cast<QBarCategoryAxis*>(axes.front());
    return axis != nullptr ? axis->categories() : QStringList{};
}

TEST_F(ChartDrawingTest, BarChartShowsOneBarPerPointWithTitlesAndValueLabels) {
    auto* plot =
        draw<BarChartPlot>(ChartRequest(kMeanLoads).titled("Mean Sustained Load", "Isolator Type"));
    ASSERT_NE(plot, nullptr);
    EXPECT_EQ(plot->chart()->title(), "Mean Sustained Load");
    EXPECT_TRUE(plot->chart()->titleFont().family().startsWith("Arial"));
    ASSERT_EQ(plot->series()->count(), 1);
    const QBarSet* bars = plot->series()->barSets().front();
    ASSERT_EQ(bars->count(), kMeanLoads.size());
    for (int i = 0; i < bars->count(); ++i)
        EXPECT_NEAR(bars->at(i), kMeanLoads[i], 1e-3);
    EXPECT_TRUE(plot->series()->isLabelsVisible());

    EXPECT_EQ(axisCategories(plot->chart()), QStringList({"1", "2", "3", "4", "5"}));
    auto* categoryAxis =
        qobject_cast<QBarCategoryAxis*>(plot->chart()->axes(Qt::Horizontal).front());
    EXPECT_EQ(categoryAxis->titleText(), "Isolator Type");
    auto* valueAxis = qobject_cast<QValueAxis*>(plot->chart()->axes(Qt::Vertical).front());
    ASSERT_NE(valueAxis, nullptr);
    EXPECT_DOUBLE_EQ(valueAxis->min(), 0.0);
    EXPECT_GT(valueAxis->max(), 2210.8);
}

TEST_F(ChartDrawingTest, VarianceChartIsALineWithMarkersOverThePointLabels) {
    control.assign(kChartType, testing::int32(6));
    auto* plot = draw<LineChartPlot>(ChartRequest(kVariances).labelledFromTwo());
    ASSERT_NE(plot, nullptr);
    EXPECT_EQ(plot->chart()->title(), "Mean Sustained Load");
    EXPECT_TRUE(plot->series()->pointsVisible());
    ASSERT_EQ(plot->series()->count(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_DOUBLE_EQ(plot->series()->at(i).x(), i);
        EXPECT_NEAR(plot->series()->at(i).y(), kVariances[i], 1e-2);
    }
    EXPECT_EQ(axisCategories(plot->chart()), QStringList({"2", "3", "4", "5", "6", "7", "8"}));

    ASSERT_EQ(plot->valueLabels().size(), 7);
    EXPECT_EQ(plot->valueLabels()[0]->text(), "45210.5");
    EXPECT_EQ(plot->valueLabels()[6]->text(), "2101.7");
    // Each value sits just above its own marker: the first centred, the
    // others right of it, clear of the falling line that comes into the point.
    for (int i = 0; i < 7; ++i) {
        const QPointF point = plot->chart()->mapToPosition(plot->series()->at(i), plot->series());
        const QRectF label =
            plot->valueLabels()[i]->mapRectToParent(plot->valueLabels()[i]->boundingRect());
        if (i == 0)
            EXPECT_NEAR(label.center().x(), point.x(), 1.0);
        else
            EXPECT_GE(label.left(), point.x()) << "point " << i;
        EXPECT_LT(label.left(), point.x() + 20) << "point " << i;
        EXPECT_LT(label.bottom(), point.y()) << "point " << i;
        EXPECT_GT(label.bottom(), point.y() - 20) << "point " << i;
    }
}

TEST_F(ChartDrawingTest, PieChartHasOneLabelledSliceSizedByEachValue) {
    control.assign(kChartType, testing::int32(1));
    auto* plot =
        draw<PieChartPlot>(ChartRequest(kCounts).titled("Number of Isolators", "Isolator Types"));
    ASSERT_NE(plot, nullptr);
    const QList<QPieSlice*> slices = plot->series()->slices();
    ASSERT_EQ(slices.size(), 5);
    EXPECT_EQ(slices[0]->label(), "1: 12 (20.0 %)");
    EXPECT_EQ(slices[1]->label(), "2: 18 (30.0 %)");
    EXPECT_NEAR(slices[1]->angleSpan(), 108.0, 1e-6);
    EXPECT_NEAR(slices[4]->startAngle(), 360.0 - 42.0, 1e-6);
    EXPECT_EQ(plot->chart()->title(), "Number of Isolators");
    EXPECT_EQ(plot->bottomTitle()->text(), "Isolator Types");
    EXPECT_FALSE(plot->emptyFrame()->isVisible());
    // Each text stands beside its own slice: right of the pie for slices 1 and 2, which lie
    // on the right half, left of it for slices 4 and 5.
    ASSERT_EQ(plot->sliceLabels().size(), 5);
    const QPointF centre = plot->chart()->plotArea().center();
    for (int i = 0; i < 5; ++i) {
        const QGraphicsSimpleTextItem* label = plot->sliceLabels()[i];
        EXPECT_EQ(label->text(), slices[i]->label());
        const QRectF box = label->mapRectToParent(label->boundingRect());
        if (i < 2) {
            EXPECT_GT(box.left(), centre.x()) << "label " << i;
        } else if (i > 2) {
            EXPECT_LT(box.right(), centre.x()) << "label " << i;
        }
    }
    // The caption lies below the pie, inside the chart.
    const QRectF caption =
        plot->bottomTitle()->mapRectToParent(plot->bottomTitle()->boundingRect());
    EXPECT_GT(caption.top(), plot->chart()->plotArea().bottom() - 1);
    EXPECT_LT(caption.bottom(), plot->chart()->size().height());
}

TEST_F(ChartDrawingTest, PieShowsNoAreaForValuesOfZeroOrLessAndAFrameWhenNothingIsLeft) {
    control.assign(kChartType, testing::int32(1));
    auto* plot = draw<PieChartPlot>(ChartRequest({-50, 30, 0, 10}));
    ASSERT_NE(plot, nullptr);
    const QList<QPieSlice*> slices = plot->series()->slices();
    ASSERT_EQ(slices.size(), 4);
    EXPECT_DOUBLE_EQ(slices[0]->value(), 0.0);
    EXPECT_EQ(slices[1]->label(), "2: 30 (75.0 %)");
    ASSERT_EQ(plot->sliceLabels().size(), 4);
    EXPECT_FALSE(plot->sliceLabels()[0]->isVisible());
    EXPECT_TRUE(plot->sliceLabels()[1]->isVisible());
    EXPECT_FALSE(plot->sliceLabels()[2]->isVisible());

    plot = draw<PieChartPlot>(ChartRequest({0, 0, 0}));
    ASSERT_NE(plot, nullptr);
    EXPECT_EQ(plot->series()->count(), 0);
    EXPECT_TRUE(plot->emptyFrame()->isVisible());
    EXPECT_GT(plot->emptyFrame()->rect().width(), 100.0);
}

TEST_F(ChartDrawingTest, ThreeDimensionalTypesUseTheirRenderers) {
    control.assign(kChartType, testing::int32(4));
    auto* bars = draw<Bar3DChartPlot>(ChartRequest(kMeanLoads));
    ASSERT_NE(bars, nullptr);
    EXPECT_EQ(bars->renderer().geometry(QRectF(0, 0, 1280, 720)).bars.size(), 5);
    // The middle of the tallest bar's front face shows the bar, not the wall behind it.
    const QRectF tallest = bars->renderer().geometry(QRectF(bars->view()->rect())).bars[4];
    const QColor pixel = bars->view()->grab().toImage().pixelColor(tallest.center().toPoint());
    EXPECT_LT(pixel.red(), 120);
    EXPECT_GT(pixel.blue(), 140);

    control.assign(kChartType, testing::int32(2));
    auto* pie = draw<Pie3DChartPlot>(ChartRequest(kCounts));
    ASSERT_NE(pie, nullptr);
    EXPECT_EQ(pie->renderer().geometry(QRectF(0, 0, 1280, 720)).slices.size(), 5);
}

TEST_F(ChartDrawingTest, EveryTypeDrawsAChartWithoutPointsWithItsTitles) {
    for (const ChartType type : {ChartType::kPie2D, ChartType::kPie3D, ChartType::kBar2D,
                                 ChartType::kBar3D, ChartType::kLine}) {
        SCOPED_TRACE(static_cast<int>(type));
        drawChart(control, ChartRequest({}).ofType(type).titled("Mean Sustained Load", ""));
        ASSERT_NE(control.plot(), nullptr);
        EXPECT_TRUE(control.plot()->content().points.isEmpty());
        EXPECT_EQ(control.plot()->content().title, "Mean Sustained Load");
        EXPECT_FALSE(control.grab().isNull());
    }
    drawChart(control, ChartRequest({}).ofType(ChartType::kBar2D));
    auto* bars = qobject_cast<BarChartPlot*>(control.plot());
    ASSERT_NE(bars, nullptr);
    const auto axes = bars->chart()->axes(Qt::Horizontal);
    ASSERT_EQ(axes.size(), 1);
    EXPECT_EQ(axes.front()->titleText(), "Isolator Type");
}

}  // namespace
}  // namespace tamsor
