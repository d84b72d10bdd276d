#include "renderer_view.h"

#include <QPainter>

#include "chart_renderer.h"

namespace tamsor {

RendererView::RendererView(const ChartRenderer& renderer, QWidget* parent)
    : QWidget(parent), renderer_(renderer) {}

void RendererView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    renderer_.paint(painter, QRectF(rect()));
}

}  // namespace tamsor
