// SPDX-License-Identifier: GPL-3.0-or-later
// The elastic layout: design rectangles scaled to the container at several
// sizes, neighbours that neither overlap nor part, and nested containers.
#include <gtest/gtest.h>

#include <QPushButton>

#include "widgets/canvas.h"
#include "widgets/elastic_layout.h"

namespace tamsor {
namespace {

// The main window's design area and two of its controls.
constexpr QSize kDesignArea(7950, 5475);
constexpr QRect kLoadPlotRect(240, 120, 4092, 3252);
constexpr QRect kCalculateRect(6360, 240, 1332, 972);

void layOut(QWidget& container, QSize size) {
    container.resize(size);
    container.layout()->invalidate();
    container.layout()->activate();
}

struct Container {
    QWidget widget;
    ElasticLayout* layout = new ElasticLayout(kDesignArea, &widget);
};

TEST(ElasticLayout, ScalesDesignRectanglesWithTheContainer) {
    Container container;
    auto* plot = new QWidget;
    auto* button = new QPushButton(QStringLiteral("Calculate"));  // fixed height by policy
    container.layout->addWidget(plot, kLoadPlotRect);
    container.layout->addWidget(button, kCalculateRect);

    struct Case {
        QSize size;
        QRect plot;
        QRect button;
    };
    const Case cases[] = {
        // 15 twips per pixel: the design at 96 dpi.
        {{530, 365}, {16, 8, 273, 217}, {424, 16, 89, 65}},
        // Twice that: every edge doubles.
        {{1060, 730}, {32, 16, 546, 434}, {848, 32, 178, 130}},
        // A maximised window's client area, with other proportions.
        {{1920, 1000}, {58, 22, 988, 594}, {1536, 44, 322, 177}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size.width() << " x " << c.size.height());
        layOut(container.widget, c.size);
        EXPECT_EQ(plot->geometry(), c.plot);
        // The design, not the button's preferred height, decides its height.
        EXPECT_EQ(button->geometry(), c.button);
    }
}

TEST(ElasticLayout, NeighboursTouchWithoutOverlapAtEverySize) {
    Container container;
    auto* left = new QWidget;
    auto* right = new QWidget;
    auto* below = new QWidget;
    container.layout->addWidget(left, QRect(240, 120, 1333, 977));
    container.layout->addWidget(right, QRect(1573, 120, 2011, 977));
    container.layout->addWidget(below, QRect(240, 1097, 1333, 500));
    for (int width = 300; width <= 700; width += 7) {
        const int height = width * 2 / 3;
        layOut(container.widget, QSize(width, height));
        ASSERT_EQ(left->geometry().right() + 1, right->geometry().left()) << width;
        ASSERT_EQ(left->geometry().bottom() + 1, below->geometry().top()) << width;
    }
}

TEST(ElasticLayout, SizeHintIsTheDesignAt96DpiWithoutMargins) {
    const ElasticLayout layout(kDesignArea);
    EXPECT_EQ(layout.sizeHint(), QSize(530, 365));
    EXPECT_LT(layout.minimumSize().width(), layout.sizeHint().width());
    EXPECT_GT(layout.minimumSize().height(), 0);
    EXPECT_EQ(layout.contentsMargins(), QMargins());
}

TEST(ElasticLayout, NestedContainersScaleByTheirOwnDesign) {
    Container container;
    auto* frame = new QWidget;
    auto* frameLayout = new ElasticLayout(QSize(1692, 1092), frame);
    auto* option = new QWidget;
    frameLayout->addWidget(option, QRect(120, 360, 1332, 252));
    container.layout->addWidget(frame, QRect(4560, 120, 1692, 1092));

    auto* canvas = new Canvas(QSize(4092, 3252));
    auto* zoom = new QPushButton(QStringLiteral("Zoom"));
    canvas->addChild(zoom, QRect(3480, 0, 612, 252));
    container.layout->addWidget(canvas, kLoadPlotRect);

    container.widget.show();
    layOut(container.widget, QSize(1060, 730));
    EXPECT_EQ(frame->geometry(), QRect(608, 16, 226, 146));
    // 120/1692 of the frame's 226 pixels is 16; (120 + 1332)/1692 of it 194.
    EXPECT_EQ(option->geometry(), QRect(16, 48, 178, 34));

    // The Zoom button sits in the canvas's top right corner, inside its border.
    const QRect inside = canvas->contentsRect();
    EXPECT_EQ(zoom->geometry().right(), inside.right());
    EXPECT_EQ(zoom->geometry().top(), inside.top());
    EXPECT_NEAR(zoom->geometry().width(), inside.width() * 612.0 / 4092.0, 1.0);
}

}  // namespace
}  // namespace tamsor
