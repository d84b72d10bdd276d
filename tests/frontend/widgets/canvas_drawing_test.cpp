// SPDX-License-Identifier: GPL-3.0-or-later
// A few pixels of the drawn canvas: colours, dashes, sharp one-pixel lines at
// either device pixel ratio, labels at the edge, and the sunken frame.
#include <gtest/gtest.h>

#include <QColor>
#include <QFontMetricsF>
#include <QImage>

#include "widgets/canvas.h"

namespace tamsor {
namespace {

constexpr QSize kImageSize(204, 204);  // inner area 200 x 200 from (2, 2)

// The canvas as it paints itself, without its child controls, at `ratio`
// device pixels per logical pixel.
QImage rendered(Canvas& canvas, int ratio = 1) {
    QImage image(canvas.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    canvas.render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    return image;
}

bool isReddish(QColor c) {
    return c.red() > 200 && c.green() < 90 && c.blue() < 90;
}
bool isBluish(QColor c) {
    return c.blue() > 200 && c.red() < 90 && c.green() < 90;
}
bool isWhite(QColor c) {
    return c.red() > 245 && c.green() > 245 && c.blue() > 245;
}
bool isDark(QColor c) {
    return c.lightness() < 100;
}

// A canvas whose world window is the unit square, so that world 0.25, 0.5
// and 0.75 fall on whole pixels.
class CanvasDrawingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        canvas.resize(kImageSize);
        scene.setWorldWindow(0, 1, 0, 1);
        canvas.setScene(scene);
    }
    // Draws on the scene, then shows it on the canvas.
    template <typename Drawing>
    void draw(Drawing drawing) {
        drawing(scene);
        canvas.setScene(scene);
    }

    QPoint pixelAt(double x, double y) const {
        return canvas.worldToPixel(QPointF(x, y)).toPoint();
    }

    CanvasScene scene;
    Canvas canvas{QSize(3060, 3060)};
};

TEST_F(CanvasDrawingTest, SolidRedSegmentIsRedOnWhite) {
    draw([](CanvasScene& s) { s.drawLine(0.1, 0.5, 0.9, 0.5, QColor(255, 0, 0)); });
    const QImage image = rendered(canvas);
    const QPoint onLine = pixelAt(0.5, 0.5);
    EXPECT_TRUE(isReddish(image.pixelColor(onLine)));
    EXPECT_TRUE(isWhite(image.pixelColor(onLine + QPoint(0, 3))));
    EXPECT_TRUE(isWhite(image.pixelColor(onLine - QPoint(0, 3))));
}

TEST_F(CanvasDrawingTest, DashedSegmentHasGapsAndSolidDoesNot) {
    draw([](CanvasScene& s) {
        s.setDashed(true);
        s.drawLine(0.1, 0.75, 0.9, 0.75, QColor(0, 0, 255));
        s.setDashed(false);
        s.drawLine(0.1, 0.25, 0.9, 0.25, QColor(0, 0, 255));
    });
    const QImage image = rendered(canvas);

    const auto countAlong = [&](double worldY) {
        const QPoint start = pixelAt(0.2, worldY);
        const QPoint end = pixelAt(0.8, worldY);
        int blue = 0, white = 0;
        for (int x = start.x(); x <= end.x(); ++x) {
            const QColor c = image.pixelColor(x, start.y());
            blue += isBluish(c);
            white += isWhite(c);
        }
        return std::pair(blue, white);
    };
    const auto [dashBlue, dashWhite] = countAlong(0.75);
    EXPECT_GT(dashBlue, 30);
    EXPECT_GT(dashWhite, 20);  // gaps make up a good part of the line
    const auto [solidBlue, solidWhite] = countAlong(0.25);
    EXPECT_EQ(solidWhite, 0);
    EXPECT_GT(solidBlue, 100);
}

// A horizontal line covers exactly one logical pixel row, fully dark: one
// device row at ratio 1, two at ratio 2, with white above and below.
TEST_F(CanvasDrawingTest, LinesAreOneSharpLogicalPixelAtEveryPixelRatio) {
    draw([](CanvasScene& s) { s.drawLine(0.1, 0.5, 0.9, 0.5, Qt::black); });
    const QPoint logical = pixelAt(0.5, 0.5);
    for (const int ratio : {1, 2}) {
        SCOPED_TRACE(ratio);
        const QImage image = rendered(canvas, ratio);
        const int x = logical.x() * ratio;
        int firstDark = -1, darkRows = 0;
        // Inside the frame, which has dark rows of its own.
        for (int y = 2 * ratio; y < image.height() - 2 * ratio; ++y) {
            if (!isDark(image.pixelColor(x, y))) continue;
            if (firstDark < 0) firstDark = y;
            ++darkRows;
        }
        EXPECT_EQ(darkRows, ratio);
        ASSERT_GT(firstDark, 2 * ratio);
        EXPECT_TRUE(isWhite(image.pixelColor(x, firstDark - 1)));
        EXPECT_TRUE(isWhite(image.pixelColor(x, firstDark + ratio)));
    }
}

// Texts are clipped to the control, not to the world window, so a label near
// the right edge still shows where it reaches into the frame.
TEST_F(CanvasDrawingTest, LabelsReachIntoTheFrame) {
    const QImage blank = rendered(canvas);
    const QFontMetricsF metrics(canvas.font());
    const double borderColumn = kImageSize.width() - 2;  // inner light edge of the frame
    const double labelLeft = borderColumn - 1.5 * metrics.horizontalAdvance(QStringLiteral("8"));
    const QPointF world((labelLeft - 2) / 200.0, 0.5);
    draw([&](CanvasScene& s) {
        s.setTextPosition(world.x(), world.y());
        s.print(QStringLiteral("888"));
    });
    const QImage image = rendered(canvas);

    const int top = pixelAt(world.x(), world.y()).y();
    bool changed = false;
    for (int y = top; y < top + metrics.height(); ++y)
        changed = changed || image.pixel(int(borderColumn), y) != blank.pixel(int(borderColumn), y);
    EXPECT_TRUE(changed);
}

TEST_F(CanvasDrawingTest, TheWidgetPaintsItsSceneInASunkenFrame) {
    draw([](CanvasScene& s) { s.drawLine(0.1, 0.5, 0.9, 0.5, QColor(255, 0, 0)); });
    const QImage grabbed = canvas.grab().toImage();
    const QPoint onLine = pixelAt(0.5, 0.5);
    const double ratio = grabbed.devicePixelRatio();
    EXPECT_TRUE(isReddish(grabbed.pixelColor(onLine * ratio)));
    EXPECT_TRUE(isWhite(grabbed.pixelColor(QPoint(onLine.x(), onLine.y() + 5) * ratio)));
    // Shadow on the top edge, light on the bottom one.
    EXPECT_GT(grabbed.pixelColor(QPoint(100, 203) * ratio).lightness(),
              grabbed.pixelColor(QPoint(100, 0) * ratio).lightness() + 60);

    draw([](CanvasScene& s) { s.clear(); });
    EXPECT_TRUE(isWhite(canvas.grab().toImage().pixelColor(onLine * ratio)));
}

}  // namespace
}  // namespace tamsor
