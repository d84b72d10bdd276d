// SPDX-License-Identifier: GPL-3.0-or-later
// What each chart kind draws: the kind of series or renderer, its values,
// labels and titles, charts without points or without positive values, and
// what a chart widget tells screen readers.
#include <gtest/gtest.h>

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QGraphicsEllipseItem>
#include <QGraphicsSimpleTextItem>
#include <QLineSeries>
#include <QPieSeries>
#include <QPieSlice>
#include <QValueAxis>

#include "charts/bar3d_renderer.h"
#include "charts/bar_chart.h"
#include "charts/chart_widget.h"
#include "charts/line_chart.h"
#include "charts/pie3d_renderer.h"
#include "charts/pie_chart.h"

namespace tamsor {
namespace {

const QList<double> kMeanLoads = {412.5, 868.3, 1225.0, 1640.2, 2210.8};
const QList<double> kCounts = {12, 18, 9, 14, 7};
const QList<double> kVariances = {45210.5, 18007.2, 9630.4, 5120.9, 3388.0, 2564.3, 2101.7};

// A chart of `kind` with one unlabelled point per value.
ChartContent contentOf(ChartKind kind, const QList<double>& values, const QString& title = {},
                       const QString& bottomTitle = {}) {
    ChartContent content{kind, title, bottomTitle, {}};
    for (const double value : values)
        content.points.append(ChartPoint{value, {}});
    return content;
}

// A shown widget of a maximised window's size, so that the charts lay themselves out.
class ChartDrawingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        widget.resize(1280, 720);
        widget.show();
    }

    template <typename Chart>
    Chart* show(const ChartContent& content) {
        widget.showChart(content);
        QCoreApplication::processEvents();  // lets the chart lay out its items
        auto* chart = qobject_cast<Chart*>(widget.chart());
        EXPECT_NE(chart, nullptr) << "wrong kind of chart for the kind";
        return chart;
    }

    ChartWidget widget;
};

QStringList axisCategories(QChart* chart) {
    const auto axes = chart->axes(Qt::Horizontal);
    auto* axis = axes.isEmpty() ? nullptr : qobject_cast<QBarCategoryAxis*>(axes.front());
    return axis != nullptr ? axis->categories() : QStringList{};
}

TEST_F(ChartDrawingTest, BarChartShowsOneBarPerPointWithTitlesAndValueLabels) {
    ChartContent content =
        contentOf(ChartKind::kBar2D, kMeanLoads, "Mean Sustained Load", "Isolator Type");
    content.valueDecimals = 2;
    auto* chart = show<BarChart>(content);
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->title(), "Mean Sustained Load");
    EXPECT_TRUE(chart->titleFont().family().startsWith("Arial"));
    ASSERT_EQ(chart->series().size(), 1);
    auto* series = qobject_cast<QBarSeries*>(chart->series().front());
    ASSERT_NE(series, nullptr);
    const QBarSet* bars = series->barSets().front();
    ASSERT_EQ(bars->count(), kMeanLoads.size());
    for (int i = 0; i < bars->count(); ++i)
        EXPECT_NEAR(bars->at(i), kMeanLoads[i], 1e-3);
    // Each value with two decimals, as the results table shows a mean, centred
    // just above its bar.
    ASSERT_EQ(chart->valueLabels().size(), kMeanLoads.size());
    const QStringList texts = {"412.50", "868.30", "1225.00", "1640.20", "2210.80"};
    for (int i = 0; i < bars->count(); ++i) {
        EXPECT_EQ(chart->valueLabels()[i]->text(), texts[i]);
        const QPointF top = chart->mapToPosition(QPointF(i, kMeanLoads[i]), series);
        const QRectF label =
            chart->valueLabels()[i]->mapRectToParent(chart->valueLabels()[i]->boundingRect());
        EXPECT_NEAR(label.center().x(), top.x(), 1.0) << "bar " << i;
        EXPECT_LT(label.bottom(), top.y()) << "bar " << i;
        EXPECT_GT(label.bottom(), top.y() - 10) << "bar " << i;
    }

    EXPECT_EQ(axisCategories(chart), QStringList({"1", "2", "3", "4", "5"}));
    EXPECT_EQ(chart->axes(Qt::Horizontal).front()->titleText(), "Isolator Type");
    auto* valueAxis = qobject_cast<QValueAxis*>(chart->axes(Qt::Vertical).front());
    ASSERT_NE(valueAxis, nullptr);
    EXPECT_DOUBLE_EQ(valueAxis->min(), 0.0);
    EXPECT_GT(valueAxis->max(), 2210.8);
}

TEST_F(ChartDrawingTest, VarianceChartIsALineWithMarkersOverThePointLabels) {
    ChartContent content = contentOf(ChartKind::kLine, kVariances, "Variance", "Isolator Types");
    content.valueDecimals = 2;
    for (int i = 0; i < 7; ++i)
        content.points[i].label = QString::number(i + 2);
    auto* chart = show<LineChart>(content);
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->title(), "Variance");
    EXPECT_TRUE(chart->series()->pointsVisible());
    ASSERT_EQ(chart->series()->count(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_DOUBLE_EQ(chart->series()->at(i).x(), i);
        EXPECT_NEAR(chart->series()->at(i).y(), kVariances[i], 1e-2);
    }
    EXPECT_EQ(axisCategories(chart), QStringList({"2", "3", "4", "5", "6", "7", "8"}));

    ASSERT_EQ(chart->valueLabels().size(), 7);
    EXPECT_EQ(chart->valueLabels()[0]->text(), "45210.50");
    EXPECT_EQ(chart->valueLabels()[6]->text(), "2101.70");
    // Each value sits just above its own marker: the first centred, the
    // others right of it, clear of the falling line that comes into the point.
    for (int i = 0; i < 7; ++i) {
        const QPointF point = chart->mapToPosition(chart->series()->at(i), chart->series());
        const QRectF label =
            chart->valueLabels()[i]->mapRectToParent(chart->valueLabels()[i]->boundingRect());
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
    auto* chart = show<PieChart>(
        contentOf(ChartKind::kPie2D, kCounts, "Number of Isolators", "Isolator Types"));
    ASSERT_NE(chart, nullptr);
    const QList<QPieSlice*> slices = chart->series()->slices();
    ASSERT_EQ(slices.size(), 5);
    EXPECT_EQ(slices[0]->label(), "1: 12 (20.0 %)");
    EXPECT_EQ(slices[1]->label(), "2: 18 (30.0 %)");
    EXPECT_NEAR(slices[1]->angleSpan(), 108.0, 1e-6);
    EXPECT_NEAR(slices[4]->startAngle(), 360.0 - 42.0, 1e-6);
    EXPECT_EQ(chart->title(), "Number of Isolators");
    EXPECT_EQ(chart->bottomTitle()->text(), "Isolator Types");
    EXPECT_FALSE(chart->emptyFrame()->isVisible());
    // Each text stands beside its own slice: right of the pie for slices 1 and 2, which lie
    // on the right half, left of it for slices 4 and 5.
    ASSERT_EQ(chart->sliceLabels().size(), 5);
    const QPointF centre = chart->plotArea().center();
    for (int i = 0; i < 5; ++i) {
        const QGraphicsSimpleTextItem* label = chart->sliceLabels()[i];
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
        chart->bottomTitle()->mapRectToParent(chart->bottomTitle()->boundingRect());
    EXPECT_GT(caption.top(), chart->plotArea().bottom() - 1);
    EXPECT_LT(caption.bottom(), chart->size().height());
}

TEST_F(ChartDrawingTest, PieShowsNoAreaForValuesOfZeroOrLessAndAFrameWhenNothingIsLeft) {
    auto* chart = show<PieChart>(contentOf(ChartKind::kPie2D, {-50, 30, 0, 10}));
    ASSERT_NE(chart, nullptr);
    const QList<QPieSlice*> slices = chart->series()->slices();
    ASSERT_EQ(slices.size(), 4);
    EXPECT_DOUBLE_EQ(slices[0]->value(), 0.0);
    EXPECT_EQ(slices[1]->label(), "2: 30 (75.0 %)");
    ASSERT_EQ(chart->sliceLabels().size(), 4);
    EXPECT_FALSE(chart->sliceLabels()[0]->isVisible());
    EXPECT_TRUE(chart->sliceLabels()[1]->isVisible());
    EXPECT_FALSE(chart->sliceLabels()[2]->isVisible());

    chart = show<PieChart>(contentOf(ChartKind::kPie2D, {0, 0, 0}));
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->series()->count(), 0);
    EXPECT_TRUE(chart->emptyFrame()->isVisible());
    EXPECT_GT(chart->emptyFrame()->rect().width(), 100.0);
}

TEST_F(ChartDrawingTest, ThreeDimensionalKindsUseTheirRenderers) {
    widget.showChart(contentOf(ChartKind::kBar3D, kMeanLoads));
    EXPECT_EQ(widget.chart(), nullptr);
    const auto* bars = dynamic_cast<const Bar3DRenderer*>(widget.renderer());
    ASSERT_NE(bars, nullptr);
    // The middle of the tallest bar's front face shows the bar, not the wall behind it.
    const QRectF tallest = bars->geometry(QRectF(widget.rect())).bars[4];
    const QImage shown = widget.grab().toImage();
    const QColor pixel = shown.pixelColor((tallest.center() * shown.devicePixelRatio()).toPoint());
    EXPECT_LT(pixel.red(), 120);
    EXPECT_GT(pixel.blue(), 140);

    widget.showChart(contentOf(ChartKind::kPie3D, kCounts));
    const auto* pie = dynamic_cast<const Pie3DRenderer*>(widget.renderer());
    ASSERT_NE(pie, nullptr);
    EXPECT_EQ(pie->geometry(QRectF(0, 0, 1280, 720)).slices.size(), 5);
}

TEST_F(ChartDrawingTest, EveryKindDrawsAChartWithoutPointsWithItsTitles) {
    for (const ChartKind kind : {ChartKind::kPie2D, ChartKind::kPie3D, ChartKind::kBar2D,
                                 ChartKind::kBar3D, ChartKind::kLine}) {
        SCOPED_TRACE(static_cast<int>(kind));
        widget.showChart(contentOf(kind, {}, "Mean Sustained Load", "Isolator Type"));
        EXPECT_TRUE(widget.chart() != nullptr || widget.renderer() != nullptr);
        EXPECT_FALSE(widget.grab().isNull());
    }
    // The bar chart keeps its category axis and title without a category.
    QChart* bars =
        show<QChart>(contentOf(ChartKind::kBar2D, {}, "Mean Sustained Load", "Isolator Type"));
    ASSERT_NE(bars, nullptr);
    const auto axes = bars->axes(Qt::Horizontal);
    ASSERT_EQ(axes.size(), 1);
    EXPECT_EQ(axes.front()->titleText(), "Isolator Type");
}

TEST_F(ChartDrawingTest, ShowsOneChartAtATimeAndReadsItsPointsToScreenReaders) {
    ChartWidget blank;
    EXPECT_FALSE(blank.content().has_value());
    EXPECT_EQ(blank.chart(), nullptr);
    EXPECT_EQ(blank.renderer(), nullptr);

    const ChartContent counts =
        contentOf(ChartKind::kBar3D, {12, 18}, "Number of Isolators", "Isolator Types");
    widget.showChart(counts);
    widget.showChart(contentOf(ChartKind::kLine, kVariances, "Variance", "Isolator Types"));
    widget.showChart(counts);
    EXPECT_EQ(widget.content(), counts);
    EXPECT_EQ(widget.findChildren<QChartView*>().size(), 0) << "the line chart is gone";
    widget.showChart(contentOf(ChartKind::kPie2D, {12, 18}));
    EXPECT_EQ(widget.findChildren<QChartView*>().size(), 1);
    EXPECT_EQ(widget.renderer(), nullptr);

    widget.showChart(counts);
    EXPECT_EQ(widget.accessibleName(), "Number of Isolators");
    EXPECT_EQ(widget.accessibleDescription(), "Isolator Types 1: 12, 2: 18");
}

}  // namespace
}  // namespace tamsor
