// SPDX-License-Identifier: GPL-3.0-or-later
// The chart window: what each chart procedure shows on which chart, and the
// menus and visibility it leaves behind.
#include "chart_window/chart_window.h"

#include <gtest/gtest.h>

#include <functional>

#include <QAction>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QLineSeries>
#include <QMenu>
#include <QTimer>

#include "charts/bar3d_renderer.h"
#include "charts/chart_widget.h"
#include "charts/line_chart.h"
#include "results/results_model.h"

namespace {

using tamsor::ChartContent;
using tamsor::ChartKind;
using tamsor::ChartPoint;
using tamsor::ChartWidget;
using tamsor::ResultsModel;
using tamsor::ZoomChart;

// The results of a five-type partitioning, which the fixture shows.
ResultsModel fiveTypes() {
    ResultsModel m;
    const float means[] = {412.5f, 868.3f, 1225.0f, 1640.2f, 2210.8f};
    const int counts[] = {12, 18, 9, 14, 7};
    for (int k = 0; k < 5; ++k) {
        m.PartMean[4][k] = means[k];
        m.PartCount[4][k] = counts[k];
    }
    m.PartMean[0][0] = 1234.5f;
    m.PartMean[7][7] = 2500.0f;
    m.SetsReached = 8;
    m.SetVarianceMax = 45000;
    for (int d = 0; d <= 8; ++d) {
        m.SetVariance[d] = 1.0f / (d + 1);
        m.SetVarianceReported[d] = 45000.0f / static_cast<float>(d + 1);
    }
    return m;
}

// The mean loads of the n-partition set on display, as point values.
ChartContent meanLoadChart(const ResultsModel& m, int n, ChartKind kind = ChartKind::kBar2D) {
    // Means are labelled with two decimals, as the report writes them.
    ChartContent chart{kind, "Mean Sustained Load", "Isolator Type", {}, 2};
    for (int i = 1; i <= n; ++i)
        chart.points.append(ChartPoint{m.PartMean[n - 1][i - 1], {}});
    return chart;
}

ChartContent distributionChart(const ResultsModel& m, int n, ChartKind kind) {
    ChartContent chart{kind, "Number of Isolators", "Isolator Types", {}};
    for (int i = 1; i <= n; ++i)
        chart.points.append(ChartPoint{static_cast<double>(m.PartCount[n - 1][i - 1]), {}});
    return chart;
}

class ChartWindow : public ::testing::Test {
  protected:
    // Opens the window modally, runs `inside` while it is open, then closes it.
    void open(bool meanChart, const std::function<void()>& inside) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            ran = true;
            inside();
            window_.close();
        });
        window_.showModal(meanChart ? ZoomChart::kMeanLoad : ZoomChart::kVariance);
        EXPECT_TRUE(ran);
    }
    ChartWidget* graph(const char* name) { return window_.findChild<ChartWidget*>(name); }
    QAction* item(const char* name) { return window_.findChild<QAction*>(name); }
    bool viewOptionsEnabled() {
        return window_.findChild<QMenu*>("View_menu")->menuAction()->isEnabled();
    }

    void SetUp() override { window_.setShownTypes(5); }

    ResultsModel model_ = fiveTypes();
    tamsor::ChartWindow window_{model_, nullptr};
};

TEST_F(ChartWindow, HasTheDesignedMenus) {
    open(true, [&] {
        EXPECT_EQ(window_.windowTitle(), "ISOLZOOM");
        EXPECT_TRUE(window_.windowState() & Qt::WindowMaximized);
        EXPECT_EQ(item("Exit_Menu")->text(), "Exit");
        const auto options = window_.findChild<QMenu*>("Option_menu");
        const auto view = window_.findChild<QMenu*>("View_menu");
        EXPECT_EQ(options->title(), "Options");
        EXPECT_EQ(view->title(), "View Options");
        QStringList captions;
        for (auto* action : options->actions() + view->actions()) {
            captions << action->text();
            // As designed: no check mark, no shortcut.
            EXPECT_FALSE(action->isCheckable()) << action->text().toStdString();
            EXPECT_TRUE(action->shortcut().isEmpty()) << action->text().toStdString();
        }
        EXPECT_EQ(captions, (QStringList{"Sustained Load", "Isolator Distribution", "Variance",
                                         "2D Bar", "2D pie", "3D pie", "3D Bar"}));
    });
}

TEST_F(ChartWindow, OpensOnTheMeanLoadsOfThePartitioningShown) {
    for (const int n : {0, 1, 5, 8}) {
        window_.setShownTypes(n);
        open(true, [&] {
            EXPECT_EQ(graph("Graph2")->content(), meanLoadChart(model_, n));
            EXPECT_FALSE(graph("Graph1")->content().has_value());
            EXPECT_TRUE(graph("Graph2")->isVisible());
            EXPECT_FALSE(graph("Graph1")->isVisible());
            EXPECT_TRUE(viewOptionsEnabled());
            EXPECT_FALSE(item("pie2D_menu")->isEnabled());
            EXPECT_FALSE(item("pie3D_menu")->isEnabled());
            EXPECT_TRUE(item("Bar2D_menu")->isEnabled());
            // Drawn as bars of those values.
            ASSERT_NE(graph("Graph2")->chart(), nullptr);
            auto* bars = qobject_cast<QBarSeries*>(graph("Graph2")->chart()->series().front());
            ASSERT_NE(bars, nullptr);
            EXPECT_EQ(bars->barSets().front()->count(), n);
        });
        EXPECT_TRUE(model_ == fiveTypes()) << "the window never writes the results";
    }
}

TEST_F(ChartWindow, OpensOnTheVarianceOfTwoToEightPartitions) {
    open(false, [&] {
        ChartContent variance{ChartKind::kLine, "Variance", "Isolator Types", {}, 2};
        for (int i = 1; i <= 7; ++i) {
            variance.points.append(
                ChartPoint{model_.SetVarianceReported[i], QString::number(i + 1)});
        }
        EXPECT_EQ(graph("Graph1")->content(), variance);
        EXPECT_FALSE(graph("Graph2")->content().has_value());
        EXPECT_TRUE(graph("Graph1")->isVisible());
        EXPECT_FALSE(graph("Graph2")->isVisible());
        EXPECT_FALSE(viewOptionsEnabled());
        auto* line = qobject_cast<tamsor::LineChart*>(graph("Graph1")->chart());
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->series()->count(), 7);

        // "Sustained Load" brings the mean loads back, as a 2D bar chart.
        item("MeanLoad_menu")->trigger();
        EXPECT_EQ(graph("Graph2")->content(), meanLoadChart(model_, 5));
        EXPECT_TRUE(viewOptionsEnabled());
        EXPECT_TRUE(graph("Graph2")->isVisible());
        EXPECT_FALSE(graph("Graph1")->isVisible());
    });
}

TEST_F(ChartWindow, LeavesOutFiguresTooWideForTheReport) {
    model_.PartMeanNotShown[4][1] = true;
    model_.SetVarianceNotShown[1] = model_.SetVarianceNotShown[7] = true;
    open(true, [&] {
        // The other types keep their numbers.
        const auto& points = graph("Graph2")->content()->points;
        ASSERT_EQ(points.size(), 4);
        EXPECT_EQ(points[1], (ChartPoint{1225.0f, "3"}));
        item("Variance_Menu")->trigger();
        QStringList labels;
        for (const auto& point : graph("Graph1")->content()->points)
            labels << point.label;
        EXPECT_EQ(labels, (QStringList{"3", "4", "5", "6", "7"}));
        EXPECT_EQ(graph("Graph1")->content()->title, "Variance");
    });
    // Nothing left to draw: the title says why.
    model_.PartMeanNotShown[4].fill(true);
    model_.SetVarianceNotShown.fill(true);
    open(true, [&] {
        EXPECT_TRUE(graph("Graph2")->content()->points.isEmpty());
        EXPECT_EQ(graph("Graph2")->content()->title,
                  "Mean Sustained Load: too wide for the report");
        item("Variance_Menu")->trigger();
        EXPECT_EQ(graph("Graph1")->content()->title, "Variance: too wide for the report");
    });
}

// A run that stopped at an empty type reached groupings up to 4 types: a
// count beyond shows no grouping, the variance the counts reached.
TEST_F(ChartWindow, ChartsOnlyTheGroupingsARunReached) {
    model_.SetsReached = 4;
    open(true, [&] {
        EXPECT_TRUE(graph("Graph2")->content()->points.isEmpty());
        item("IsolDistribution_menu")->trigger();
        EXPECT_TRUE(graph("Graph2")->content()->points.isEmpty());
        item("Variance_Menu")->trigger();
        const auto& points = graph("Graph1")->content()->points;
        ASSERT_EQ(points.size(), 3);
        EXPECT_EQ(points.last().label, "4");
    });
}

TEST_F(ChartWindow, StylesRedrawTheWholeCurrentChart) {
    open(true, [&] {
        auto* chart = graph("Graph2");
        item("bar3D_menu")->trigger();
        EXPECT_EQ(chart->content(), meanLoadChart(model_, 5, ChartKind::kBar3D));
        EXPECT_NE(dynamic_cast<const tamsor::Bar3DRenderer*>(chart->renderer()), nullptr);

        // A bar style stays in force for the distribution.
        item("IsolDistribution_menu")->trigger();
        EXPECT_EQ(chart->content()->title, "Number of Isolators");
        EXPECT_EQ(chart->content(), distributionChart(model_, 5, ChartKind::kBar3D));
        EXPECT_TRUE(item("pie2D_menu")->isEnabled());
        EXPECT_TRUE(item("pie3D_menu")->isEnabled());

        item("pie3D_menu")->trigger();
        EXPECT_EQ(chart->content(), distributionChart(model_, 5, ChartKind::kPie3D));

        // Mean loads are no shares of a whole: under the 3D pie they are
        // drawn as 3D bars, and the distribution gets its pie back.
        item("MeanLoad_menu")->trigger();
        EXPECT_EQ(chart->content(), meanLoadChart(model_, 5, ChartKind::kBar3D));
        item("IsolDistribution_menu")->trigger();
        EXPECT_EQ(chart->content(), distributionChart(model_, 5, ChartKind::kPie3D));
        item("pie2D_menu")->trigger();
        item("MeanLoad_menu")->trigger();
        EXPECT_EQ(chart->content(), meanLoadChart(model_, 5, ChartKind::kBar2D));

        // The same chart again draws the same.
        item("IsolDistribution_menu")->trigger();
        const auto shown = chart->content();
        item("IsolDistribution_menu")->trigger();
        EXPECT_EQ(chart->content(), shown);
        EXPECT_EQ(chart->content()->points[1].value, 18);
    });
}

TEST_F(ChartWindow, EveryOpeningStartsFromTheDesignSettings) {
    open(true, [&] {
        item("IsolDistribution_menu")->trigger();
        item("pie2D_menu")->trigger();
        item("Variance_Menu")->trigger();
    });
    open(true, [&] {
        EXPECT_EQ(graph("Graph2")->content(), meanLoadChart(model_, 5));
        EXPECT_TRUE(viewOptionsEnabled());
        // A style draws the mean loads again, as the chart shown.
        item("bar3D_menu")->trigger();
        EXPECT_EQ(graph("Graph2")->content(), meanLoadChart(model_, 5, ChartKind::kBar3D));
    });
    // Exit closes the window too.
    bool ran = false;
    QTimer::singleShot(0, [&] {
        ran = true;
        item("Exit_Menu")->trigger();
    });
    window_.showModal(ZoomChart::kMeanLoad);
    EXPECT_TRUE(ran);
    EXPECT_FALSE(window_.isVisible());
}

}  // namespace
