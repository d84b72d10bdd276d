// SPDX-License-Identifier: GPL-3.0-or-later
// The canvas as the drawing code sees it: world-to-pixel mapping, items
// recorded in drawing order with their style, clearing, and what a canvas
// ignores.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "widgets/canvas.h"
#include "widgets/world_window.h"

namespace tamsor {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

const WorldWindow kLoadPlotWindow{-0.2, 1.2, -0.2, 1.2};
const WorldWindow kVariancePlotWindow{0.0, 1.2, -0.2, 1.2};

TEST(CanvasMapping, MapsTheWorldWindowOntoTheAreaInsideTheFrame) {
    struct Case {
        WorldWindow window;
        QSize canvas;  // the inner area is 4 pixels smaller, starting at (2, 2)
        QPointF world;
        QPointF pixel;
    };
    const Case cases[] = {
        {kLoadPlotWindow, {144, 144}, {-0.2, 1.2}, {2, 2}},      // top-left corner
        {kLoadPlotWindow, {144, 144}, {1.2, -0.2}, {142, 142}},  // bottom-right corner
        {kLoadPlotWindow, {144, 144}, {0, 0}, {22, 122}},        // origin of the axes
        {kLoadPlotWindow, {144, 144}, {1, 1}, {122, 22}},
        {kLoadPlotWindow, {284, 144}, {0.5, 0.5}, {142, 72}},  // x stretched, y not
        {kVariancePlotWindow, {124, 144}, {0.25, 0}, {27, 122}},
        {kVariancePlotWindow, {124, 144}, {1, -0.05}, {102, 127}},
        // Edges given the other way round mirror the picture.
        {{1, 0, 1, 0}, {104, 104}, {0.25, 0.25}, {77, 27}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "world (" << c.world.x() << ", " << c.world.y() << ")");
        Canvas canvas(QSize(1000, 1000));
        canvas.resize(c.canvas);
        CanvasScene scene;
        scene.setWorldWindow(c.window.left, c.window.right, c.window.bottom, c.window.top);
        canvas.setScene(scene);
        const QPointF pixel = canvas.worldToPixel(c.world);
        EXPECT_NEAR(pixel.x(), c.pixel.x(), 1e-9);
        EXPECT_NEAR(pixel.y(), c.pixel.y(), 1e-9);
    }
}

TEST(CanvasScene, RecordsItemsInDrawingOrderWithTheirStyle) {
    CanvasScene scene;
    scene.setPersistent(true);
    scene.setWorldWindow(-0.2, 1.2, -0.2, 1.2);
    scene.drawLine(0, 0, 1, 0, Qt::black);
    scene.setDashed(true);
    scene.drawLine(0.1, 0.4, 0.5, 0.4, Qt::blue);
    scene.setTextPosition(0.25, -0.05);
    scene.print(QStringLiteral(" 2"));
    scene.setDashed(false);
    scene.drawLine(0.3, 0, 0.3, 1, Qt::red);
    scene.print(QStringLiteral("8"));  // the text position stays put

    EXPECT_TRUE(scene.isPersistent());
    EXPECT_EQ(scene.worldWindow(), (WorldWindow{-0.2, 1.2, -0.2, 1.2}));
    const auto& items = scene.items();
    ASSERT_EQ(items.size(), 5u);
    EXPECT_TRUE(std::holds_alternative<CanvasText>(items[2]));
    EXPECT_TRUE(std::holds_alternative<CanvasSegment>(items[3]));

    const auto segments = scene.segments();
    ASSERT_EQ(segments.size(), 3u);
    EXPECT_EQ(segments[0].from, QPointF(0, 0));
    EXPECT_EQ(segments[0].to, QPointF(1, 0));
    EXPECT_EQ(segments[0].color, QColor(Qt::black));
    EXPECT_FALSE(segments[0].dashed);
    EXPECT_EQ(segments[1].color, QColor(Qt::blue));
    EXPECT_TRUE(segments[1].dashed);
    EXPECT_EQ(segments[2].color, QColor(Qt::red));
    EXPECT_FALSE(segments[2].dashed);

    const auto texts = scene.texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].at, QPointF(0.25, -0.05));
    EXPECT_EQ(texts[0].text, QStringLiteral(" 2"));
    EXPECT_EQ(texts[1].at, QPointF(0.25, -0.05));
    EXPECT_EQ(texts[1].text, QStringLiteral("8"));
}

TEST(CanvasScene, ClearForgetsTheItemsButKeepsWindowAndLineStyle) {
    CanvasScene scene;
    scene.setWorldWindow(0, 1.2, -0.2, 1.2);
    scene.setDashed(true);
    scene.drawLine(0, 0, 1, 1, Qt::red);
    scene.setTextPosition(0.5, 0.5);
    scene.print(QStringLiteral("x"));

    scene.clear();
    EXPECT_TRUE(scene.items().empty());
    EXPECT_EQ(scene.worldWindow(), (WorldWindow{0, 1.2, -0.2, 1.2}));
    EXPECT_TRUE(scene.isDashed());
    EXPECT_EQ(scene.textPosition(), QPointF(0, 0));

    scene.drawLine(0, 0, 1, 1, Qt::red);
    EXPECT_EQ(scene.segments().size(), 1u);
}

TEST(CanvasScene, IgnoresWindowsAndCoordinatesThatNoCanvasCouldShow) {
    CanvasScene scene;
    scene.setWorldWindow(-0.2, 1.2, -0.2, 1.2);
    scene.setTextPosition(0.5, 0.5);

    scene.setWorldWindow(1, 1, 0, 1);
    scene.setWorldWindow(0, 1, 0.5, 0.5);
    scene.setWorldWindow(kNaN, 1, 0, 1);
    scene.setWorldWindow(0, kInf, 0, 1);
    scene.setWorldWindow(-1e308, 1e308, 0, 1);  // finite edges whose distance is not
    scene.drawLine(0, 0, kNaN, 1, Qt::red);
    scene.drawLine(-kInf, 0, 1, 1, Qt::red);
    scene.drawLine(0, 0, 1, 1, QColor());
    scene.setTextPosition(kNaN, 0);

    EXPECT_EQ(scene.worldWindow(), (WorldWindow{-0.2, 1.2, -0.2, 1.2}));
    EXPECT_EQ(scene.textPosition(), QPointF(0.5, 0.5));
    EXPECT_TRUE(scene.items().empty());
}

TEST(WorldWindowClip, KeepsThePartOfASegmentInsideTheWindow) {
    const WorldWindow window{-0.2, 1.2, -0.2, 1.2};
    struct Case {
        QPointF from, to;
        bool visible;
        QPointF clippedFrom, clippedTo;
    };
    const Case cases[] = {
        {{0, 0}, {1, 1}, true, {0, 0}, {1, 1}},                        // wholly inside
        {{-1, 0.5}, {2, 0.5}, true, {-0.2, 0.5}, {1.2, 0.5}},          // through both sides
        {{0.5, 0.5}, {0.5, 5}, true, {0.5, 0.5}, {0.5, 1.2}},          // out at the top
        {{2, 2}, {3, 5}, false, {}, {}},                               // beside the window
        {{-1, 0.5}, {-0.5, 0.5}, false, {}, {}},                       // parallel, outside
        {{-1e308, 0.5}, {1e308, 0.5}, true, {-0.2, 0.5}, {1.2, 0.5}},  // far ends
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.from.x() << "," << c.from.y() << " -> " << c.to.x() << "," << c.to.y());
        const auto clipped = clipToWindow(window, c.from, c.to);
        ASSERT_EQ(clipped.has_value(), c.visible);
        if (!clipped) continue;
        EXPECT_NEAR(clipped->first.x(), c.clippedFrom.x(), 1e-9);
        EXPECT_NEAR(clipped->first.y(), c.clippedFrom.y(), 1e-9);
        EXPECT_NEAR(clipped->second.x(), c.clippedTo.x(), 1e-9);
        EXPECT_NEAR(clipped->second.y(), c.clippedTo.y(), 1e-9);
    }
}

}  // namespace
}  // namespace tamsor
