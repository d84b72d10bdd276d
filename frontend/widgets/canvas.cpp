// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/canvas.h"

#include <QPainter>

#include "widgets/canvas_renderer.h"
#include "widgets/elastic_layout.h"

namespace tamsor {

Canvas::Canvas(QSize designSizeTwips, QWidget* parent)
    : QFrame(parent), layout_(new ElasticLayout(designSizeTwips, this)) {
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setAttribute(Qt::WA_OpaquePaintEvent);  // frame and renderer cover every pixel
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void Canvas::addChild(QWidget* child, QRect designRectTwips) {
    layout_->addWidget(child, designRectTwips);
}

void Canvas::setScene(CanvasScene scene) {
    makeScene_ = nullptr;
    scene_ = std::move(scene);
    update();
}

void Canvas::setSceneForWidth(std::function<CanvasScene(int)> makeScene) {
    makeScene_ = std::move(makeScene);
    scene_ = makeScene_(contentsRect().width());
    update();
}

void Canvas::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    if (makeScene_) scene_ = makeScene_(contentsRect().width());
}

QPointF Canvas::worldToPixel(QPointF world) const {
    return tamsor::worldToPixel(scene_.worldWindow(), QRectF(contentsRect()), world);
}

QSize Canvas::sizeHint() const {
    return layout_->sizeHint();
}

QSize Canvas::minimumSizeHint() const {
    return layout_->minimumSize();
}

void Canvas::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    drawFrame(&painter);
    CanvasRenderer(scene_, font()).paint(painter, QRectF(contentsRect()), QRectF(rect()));
}

}  // namespace tamsor
