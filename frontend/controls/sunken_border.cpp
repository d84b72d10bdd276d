#include "sunken_border.h"

#include <QColor>
#include <QPainter>

namespace tamsor {
namespace {

const QColor kOuterShadow(128, 128, 128);
const QColor kInnerShadow(64, 64, 64);
const QColor kOuterLight(255, 255, 255);
const QColor kInnerLight(227, 227, 227);

// One ring of the border, one logical pixel wide; filled rather than stroked
// so that it stays crisp with or without antialiasing.
void paintRing(QPainter& painter, const QRectF& r, const QColor& shadow, const QColor& light) {
    painter.fillRect(QRectF(r.left(), r.top(), r.width() - 1, 1), shadow);
    painter.fillRect(QRectF(r.left(), r.top(), 1, r.height() - 1), shadow);
    painter.fillRect(QRectF(r.left(), r.bottom() - 1, r.width(), 1), light);
    painter.fillRect(QRectF(r.right() - 1, r.top(), 1, r.height()), light);
}

}  // namespace

void paintSunkenBorder(QPainter& painter, const QRectF& bounds) {
    paintRing(painter, bounds, kOuterShadow, kOuterLight);
    paintRing(painter, bounds.adjusted(1, 1, -1, -1), kInnerShadow, kInnerLight);
}

QRectF insideSunkenBorder(const QRectF& bounds) {
    const double b = kSunkenBorderWidth;
    return bounds.adjusted(b, b, -b, -b);
}

}  // namespace tamsor
