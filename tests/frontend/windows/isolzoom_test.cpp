// The chart window: what each chart procedure tells the chart controls, in
// which order, and the menus and visibility it leaves behind.
#include "isolzoom.h"

#include <gtest/gtest.h>

#include <functional>

#include <QAction>
#include <QMenu>
#include <QTimer>

#include "chart_control.h"
#include "isoldef.h"

namespace {

using tamsor::ChartCall;
using tamsor::ChartControl;
using tamsor::IsolDef;
using tamsor::IsolZoom;

// A call as the test writes it down: identifier and value.
struct Call {
    int id;
    QVariant value;
};
QVariant i16(int value) {
    return QVariant::fromValue<qint16>(static_cast<qint16>(value));
}
QVariant i32(int value) {
    return QVariant::fromValue<qint32>(value);
}
QVariant f32(float value) {
    return QVariant::fromValue<float>(value);
}

void expect_calls(const QList<ChartCall>& actual, const std::vector<Call>& expected) {
    ASSERT_EQ(actual.size(), static_cast<qsizetype>(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(actual[i].dispatchId, expected[i].id) << "call " << i;
        EXPECT_EQ(actual[i].value.metaType(), expected[i].value.metaType()) << "call " << i;
        EXPECT_EQ(actual[i].value, expected[i].value) << "call " << i;
    }
}

// The results of a five-type partitioning on display.
IsolDef five_types_shown() {
    IsolDef m;
    m.ShownPartitions = 5;
    const float means[] = {412.5f, 868.3f, 1225.0f, 1640.2f, 2210.8f};
    const int counts[] = {12, 18, 9, 14, 7};
    for (int k = 0; k < 5; ++k) {
        m.PartMean(4, k) = means[k];
        m.PartCount(k) = counts[k];
    }
    m.PartMean(0, 0) = 1234.5f;
    m.PartMean(7, 7) = 2500.0f;
    m.SetVarianceMax = 45000;
    for (int d = 0; d <= 8; ++d)
        m.SetVariance(d) = 1.0f / (d + 1);
    return m;
}

std::vector<Call> mean_load_calls(const IsolDef& m, int n) {
    std::vector<Call> calls = {{67, i16(1)},
                               {102, i16(1)},
                               {66, i16(n)},
                               {57, QStringLiteral("Mean Sustained Load")},
                               {8, QStringLiteral("Isolator Type")}};
    for (int i = 1; i <= n; ++i) {
        calls.push_back({101, i16(i)});
        calls.push_back({41, f32(m.PartMean(n - 1, i - 1))});
    }
    calls.push_back({21, i32(2)});
    return calls;
}

std::vector<Call> distribution_calls(const IsolDef& m, int n) {
    std::vector<Call> calls = {{67, i16(1)},
                               {102, i16(1)},
                               {66, i16(n)},
                               {57, QStringLiteral("Number of Isolators")},
                               {8, QStringLiteral("Isolator Types")}};
    for (int i = 1; i <= n; ++i) {
        calls.push_back({101, i16(i)});
        calls.push_back({41, i32(m.PartCount(i - 1))});
    }
    calls.push_back({21, i32(2)});
    return calls;
}

class ChartWindow : public ::testing::Test {
  protected:
    // Opens the window modally, runs `inside` while it is open, then closes it.
    void open(bool meanChart, const std::function<void()>& inside) {
        isoldef_.ZoomMeanChart = meanChart ? tamsor::kTrue : tamsor::kFalse;
        bool ran = false;
        QTimer::singleShot(0, [&] {
            ran = true;
            inside();
            window_.close();
        });
        window_.showModal();
        EXPECT_TRUE(ran);
    }
    ChartControl* graph(const char* name) { return window_.findChild<ChartControl*>(name); }
    QAction* item(const char* name) { return window_.findChild<QAction*>(name); }
    bool view_options_enabled() {
        return window_.findChild<QMenu*>("View_menu")->menuAction()->isEnabled();
    }

    IsolDef isoldef_ = five_types_shown();
    IsolZoom window_{isoldef_, nullptr};
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
        for (auto* action : options->actions() + view->actions())
            captions << action->text();
        EXPECT_EQ(captions, (QStringList{"Sustained Load", "Isolator Distribution", "Variance",
                                         "2D Bar", "2D pie", "3D pie", "3D Bar"}));
    });
}

TEST_F(ChartWindow, OpensOnTheMeanLoadsOfThePartitioningShown) {
    for (const int n : {0, 1, 5, 8}) {
        isoldef_.ShownPartitions = static_cast<std::int16_t>(n);
        open(true, [&] {
            expect_calls(graph("Graph2")->calls(), mean_load_calls(isoldef_, n));
            EXPECT_TRUE(graph("Graph1")->calls().isEmpty());
            EXPECT_TRUE(graph("Graph2")->isVisible());
            EXPECT_FALSE(graph("Graph1")->isVisible());
            EXPECT_TRUE(view_options_enabled());
            EXPECT_FALSE(item("pie2D_menu")->isEnabled());
            EXPECT_FALSE(item("pie3D_menu")->isEnabled());
            EXPECT_TRUE(item("Bar2D_menu")->isEnabled());
            ASSERT_TRUE(graph("Graph2")->drawn().has_value());
            EXPECT_EQ(graph("Graph2")->drawn()->points.size(), n);
        });
        EXPECT_EQ(isoldef_.ZoomMeansShown, tamsor::kTrue);
    }
}

TEST_F(ChartWindow, OpensOnTheVarianceOfTwoToEightPartitions) {
    open(false, [&] {
        std::vector<Call> calls = {{67, i16(1)}, {102, i16(1)}, {66, i16(7)}, {44, i32(6)}};
        for (int i = 1; i <= 7; ++i) {
            calls.push_back({101, i16(i)});
            calls.push_back({41, f32(isoldef_.SetVariance(i) * isoldef_.SetVarianceMax)});
            calls.push_back({101, i16(i)});
            calls.push_back({117, i16(i + 1)});
        }
        calls.push_back({21, i32(2)});
        expect_calls(graph("Graph1")->calls(), calls);
        EXPECT_TRUE(graph("Graph2")->calls().isEmpty());
        EXPECT_TRUE(graph("Graph1")->isVisible());
        EXPECT_FALSE(graph("Graph2")->isVisible());
        EXPECT_FALSE(view_options_enabled());
        EXPECT_EQ(graph("Graph1")->drawn()->title, "Variance");
        EXPECT_EQ(graph("Graph1")->drawn()->bottomTitle, "Isolator Types");

        // "Sustained Load" brings the mean loads back, as a 2D bar chart.
        item("MeanLoad_menu")->trigger();
        expect_calls(graph("Graph2")->calls(), mean_load_calls(isoldef_, 5));
        EXPECT_TRUE(view_options_enabled());
        EXPECT_TRUE(graph("Graph2")->isVisible());
        EXPECT_FALSE(graph("Graph1")->isVisible());
    });
}

TEST_F(ChartWindow, StylesRedrawTheWholeCurrentChart) {
    open(true, [&] {
        auto* chart = graph("Graph2");
        chart->clearCalls();
        item("bar3D_menu")->trigger();
        auto expected = mean_load_calls(isoldef_, 5);
        expected.insert(expected.begin(), {44, i32(4)});
        expect_calls(chart->calls(), expected);
        EXPECT_EQ(chart->drawn()->type, tamsor::ChartType::kBar3D);

        chart->clearCalls();
        item("IsolDistribution_menu")->trigger();
        EXPECT_EQ(isoldef_.ZoomMeansShown, tamsor::kFalse);
        expect_calls(chart->calls(), distribution_calls(isoldef_, 5));
        EXPECT_TRUE(item("pie2D_menu")->isEnabled());
        EXPECT_TRUE(item("pie3D_menu")->isEnabled());

        chart->clearCalls();
        item("pie3D_menu")->trigger();
        expected = distribution_calls(isoldef_, 5);
        expected.insert(expected.begin(), {44, i32(2)});
        expect_calls(chart->calls(), expected);
        EXPECT_EQ(chart->drawn()->type, tamsor::ChartType::kPie3D);

        // Mean loads are no shares of a whole: under the 3D pie they are
        // drawn as 3D bars, and the distribution gets its pie back.
        chart->clearCalls();
        item("MeanLoad_menu")->trigger();
        expected = mean_load_calls(isoldef_, 5);
        expected.insert(expected.begin(), {44, i32(4)});
        expect_calls(chart->calls(), expected);
        chart->clearCalls();
        item("IsolDistribution_menu")->trigger();
        expected = distribution_calls(isoldef_, 5);
        expected.insert(expected.begin(), {44, i32(2)});
        expect_calls(chart->calls(), expected);

        // The same chart again draws the same.
        const auto shown = chart->drawn()->points;
        item("IsolDistribution_menu")->trigger();
        EXPECT_EQ(chart->drawn()->points.size(), shown.size());
        EXPECT_EQ(chart->drawn()->points[1].value, 18);
    });
}

TEST_F(ChartWindow, EveryOpeningStartsFromTheDesignSettings) {
    open(true, [&] {
        item("IsolDistribution_menu")->trigger();
        item("pie2D_menu")->trigger();
        item("Variance_Menu")->trigger();
    });
    open(true, [&] {
        EXPECT_EQ(graph("Graph2")->drawn()->type, tamsor::ChartType::kBar2D);
        expect_calls(graph("Graph2")->calls(), mean_load_calls(isoldef_, 5));
        EXPECT_TRUE(view_options_enabled());
        EXPECT_EQ(isoldef_.ZoomMeansShown, tamsor::kTrue);
    });
    // Exit closes the window too.
    bool ran = false;
    QTimer::singleShot(0, [&] {
        ran = true;
        item("Exit_Menu")->trigger();
    });
    window_.showModal();
    EXPECT_TRUE(ran);
    EXPECT_FALSE(window_.isVisible());
}

}  // namespace
