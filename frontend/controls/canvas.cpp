#include "canvas.h"

#include <QPainter>

#include "canvas_renderer.h"
#include "elastic_layout.h"
#include "sunken_border.h"

namespace tamsor {

Canvas::Canvas(QSize designSizeTwips, QWidget* parent)
    : QWidget(parent), layout_(new ElasticLayout(designSizeTwips, this)) {
    // Children are placed inside the border, as in the design.
    setContentsMargins(kSunkenBorderWidth, kSunkenBorderWidth, kSunkenBorderWidth,
                       kSunkenBorderWidth);
    setAttribute(Qt::WA_OpaquePaintEvent);  // the renderer fills every pixel
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void Canvas::addChild(QWidget* child, QRect designRectTwips) {
    layout_->addWidget(child, designRectTwips);
}

void Canvas::setPersistent(bool persistent) {
    scene_.setPersistent(persistent);
}

void Canvas::clear() {
    scene_.clear();
    update();
}

void Canvas::setWorldWindow(double left, double right, double bottom, double top) {
    scene_.setWorldWindow(left, right, bottom, top);
    update();
}

void Canvas::drawLine(double x1, double y1, double x2, double y2, const QColor& color) {
    scene_.drawLine(x1, y1, x2, y2, color);
    update();
}

void Canvas::setDashed(bool dashed) {
    scene_.setDashed(dashed);
}

void Canvas::setTextPosition(double x, double y) {
    scene_.setTextPosition(x, y);
}

void Canvas::print(const QString& text) {
    scene_.print(text);
    update();
}

QPointF Canvas::worldToPixel(QPointF world) const {
    return tamsor::worldToPixel(scene_.worldWindow(), CanvasRenderer::innerRect(QRectF(rect())),
                                world);
}

QImage Canvas::render(QSize size, double devicePixelRatio) const {
    if (size.isEmpty() || !(devicePixelRatio > 0)) return QImage();
    QImage image(size * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    QPainter painter(&image);
    CanvasRenderer(scene_, font()).paint(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

QSize Canvas::sizeHint() const {
    return layout_->sizeHint();
}

QSize Canvas::minimumSizeHint() const {
    return layout_->minimumSize();
}

void Canvas::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    CanvasRenderer(scene_, font()).paint(painter, QRectF(rect()));
}

}  // namespace tamsor
