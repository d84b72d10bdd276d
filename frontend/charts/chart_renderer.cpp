// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chart_renderer.h"

#include <QPainter>

namespace tamsor {

QImage ChartRenderer::render(const QSize& size) const {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paint(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

}  // namespace tamsor
