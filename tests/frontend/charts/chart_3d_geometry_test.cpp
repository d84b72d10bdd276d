// SPDX-License-Identifier: GPL-3.0-or-later
// Geometry of the 3D bar and pie renderers: bars measure their values,
// slices their shares, the rim covers the front half once, labels stay apart.
#include <gtest/gtest.h>

#include <QImage>

#include <cmath>

#include "charts/bar3d_renderer.h"
#include "charts/chart_style.h"
#include "charts/pie3d_renderer.h"

namespace tamsor {
namespace {

const QRectF kMaximised(0, 0, 1280, 720);

ChartContent contentOf(ChartKind kind, const QList<double>& values) {
    ChartContent content{kind, "Mean Sustained Load", "Isolator Type", {}};
    for (const double value : values)
        content.points.append(ChartPoint{value, {}});
    return content;
}

TEST(Bar3DGeometryTest, BarsStandOnZeroWithHeightsInProportionToTheirValues) {
    const QList<double> values = {412.5, 868.3, 1225.0, 1640.2, 2210.8};
    const Bar3DRenderer renderer(contentOf(ChartKind::kBar3D, values), chartStyle("Arial"));
    const Bar3DGeometry shape = renderer.geometry(kMaximised);

    ASSERT_EQ(shape.bars.size(), 5);
    EXPECT_TRUE(kMaximised.contains(shape.front));
    EXPECT_GT(shape.depth.x(), 0.0);
    EXPECT_LT(shape.depth.y(), 0.0) << "the back wall recedes up and to the right";
    const double pixelsPerUnit = shape.bars[0].height() / values[0];
    for (qsizetype i = 0; i < values.size(); ++i) {
        const QRectF& bar = shape.bars[i];
        EXPECT_NEAR(bar.height(), values[i] * pixelsPerUnit, 0.01) << "bar " << i;
        EXPECT_NEAR(bar.bottom(), shape.yOf(0.0) + 0.2 * shape.depth.y(), 0.01);
        EXPECT_GT(bar.top() + shape.barDepth.y(), shape.front.top() + shape.depth.y())
            << "the top face stays below the top of the back wall";
        if (i > 0) {
            EXPECT_GT(bar.left(), shape.bars[i - 1].right() + shape.barDepth.x());
        }
    }
    EXPECT_LT(shape.bars[4].right() + shape.barDepth.x(), shape.front.right() + shape.depth.x());
}

TEST(Bar3DGeometryTest, NegativeBarsHangBelowZeroAndEmptyChartsKeepTheirBox) {
    const Bar3DRenderer mixed(contentOf(ChartKind::kBar3D, {-120.5, 300, 0}), chartStyle("Arial"));
    const Bar3DGeometry shape = mixed.geometry(kMaximised);
    ASSERT_EQ(shape.bars.size(), 3);
    EXPECT_NEAR(shape.bars[0].top(), shape.bars[1].bottom(), 0.01) << "both meet at zero";
    EXPECT_GT(shape.bars[0].bottom(), shape.bars[0].top());
    EXPECT_DOUBLE_EQ(shape.bars[2].height(), 0.0);

    const Bar3DRenderer empty(contentOf(ChartKind::kBar3D, {}), chartStyle("Arial"));
    const Bar3DGeometry box = empty.geometry(QRectF(0, 0, 60, 40));  // smaller than its margins
    EXPECT_TRUE(box.bars.isEmpty());
    EXPECT_GT(box.front.width(), 0.0);
    EXPECT_GT(box.front.height(), 0.0);
    EXPECT_FALSE(empty.render(QSize(60, 40)).isNull());
}

TEST(Pie3DGeometryTest, SlicesTakeTheirShareOfTheCircleInOrder) {
    const QList<double> counts = {12, 18, 9, 14, 7};
    const Pie3DRenderer renderer(contentOf(ChartKind::kPie3D, counts), chartStyle("Arial"));
    const Pie3DGeometry shape = renderer.geometry(kMaximised);

    ASSERT_EQ(shape.slices.size(), 5);
    double expectedStart = 0.0;
    for (qsizetype i = 0; i < counts.size(); ++i) {
        EXPECT_NEAR(shape.slices[i].startAngle, expectedStart, 1e-9);
        EXPECT_NEAR(shape.slices[i].spanAngle, 360.0 * counts[i] / 60.0, 1e-9);
        expectedStart += shape.slices[i].spanAngle;
    }
    EXPECT_NEAR(expectedStart, 360.0, 1e-9);
    EXPECT_LT(shape.top.height(), shape.top.width()) << "the disc is tilted";
    EXPECT_GT(shape.rimHeight, 0.0);
    EXPECT_TRUE(kMaximised.contains(shape.top.adjusted(0, 0, 0, shape.rimHeight)));
}

TEST(Pie3DGeometryTest, RimCoversTheFrontHalfOnceInSliceColours) {
    const Pie3DRenderer renderer(contentOf(ChartKind::kPie3D, {12, 18, 9, 14, 7}),
                                 chartStyle("Arial"));
    const Pie3DGeometry shape = renderer.geometry(kMaximised);
    double covered = 0.0;
    for (const Pie3DRimPiece& piece : shape.rim) {
        const double start = std::fmod(piece.startAngle + 720.0, 360.0);
        EXPECT_GE(start, 180.0 - 1e-9);
        EXPECT_LE(start + piece.spanAngle, 360.0 + 1e-9);
        covered += piece.spanAngle;
    }
    EXPECT_NEAR(covered, 180.0, 1e-9);

    // Just below the front of the top face the rim shows a darker shade of the front slice.
    const QImage image = renderer.render(kMaximised.size().toSize());
    const QPointF front(shape.top.center().x(), shape.top.bottom());
    const QColor rim = image.pixelColor((front + QPointF(-6, shape.rimHeight / 2)).toPoint());
    const QColor frontSlice = sliceColor(chartStyle("Arial"), 2);  // slice 3 spans 6 o'clock
    EXPECT_LT(rim.lightness(), frontSlice.lightness());
    EXPECT_GT(rim.green(), rim.red()) << "still the green of slice 3";
}

TEST(Pie3DGeometryTest, LabelsOfThinNeighbouringSlicesDoNotOverlap) {
    const Pie3DRenderer renderer(contentOf(ChartKind::kPie3D, {1225.75, 1.5, 2, 3, 800.25, 300}),
                                 chartStyle("Arial"));
    const Pie3DGeometry shape = renderer.geometry(kMaximised);
    ASSERT_EQ(shape.labels.size(), 6);
    for (qsizetype a = 0; a < shape.labels.size(); ++a) {
        EXPECT_TRUE(kMaximised.contains(shape.labels[a].box)) << "label " << a;
        for (qsizetype b = a + 1; b < shape.labels.size(); ++b) {
            EXPECT_FALSE(
                shape.labels[a].box.intersects(shape.labels[b].box.adjusted(0, 0.5, 0, -0.5)))
                << "labels " << a << " and " << b;
        }
    }
}

TEST(Pie3DGeometryTest, PieWithoutPositiveValuesHasNoSlicesRimOrLabels) {
    for (const QList<double>& values :
         {QList<double>{}, QList<double>{0, 0}, QList<double>{-4, 0}}) {
        const Pie3DRenderer renderer(contentOf(ChartKind::kPie3D, values), chartStyle("Arial"));
        const Pie3DGeometry shape = renderer.geometry(kMaximised);
        EXPECT_TRUE(shape.rim.isEmpty());
        EXPECT_TRUE(shape.labels.isEmpty());
        for (const PieSliceAngles& slice : shape.slices)
            EXPECT_DOUBLE_EQ(slice.spanAngle, 0.0);
        EXPECT_GT(shape.top.width(), 100.0) << "the empty frame keeps its size";
        EXPECT_FALSE(renderer.render(QSize(640, 400)).isNull());
    }
}

}  // namespace
}  // namespace tamsor
