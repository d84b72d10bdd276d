// The thin two-tone border that makes a control look set into its window.
#ifndef TAMSOR_SUNKEN_BORDER_H
#define TAMSOR_SUNKEN_BORDER_H

#include <QRectF>

class QPainter;

namespace tamsor {

// Logical pixels taken from each side of a control by its sunken border.
inline constexpr int kSunkenBorderWidth = 2;

// Draws the border just inside `bounds`: shadow on the top and left edges,
// light on the bottom and right.
void paintSunkenBorder(QPainter& painter, const QRectF& bounds);

// `bounds` less the border on every side.
QRectF insideSunkenBorder(const QRectF& bounds);

}  // namespace tamsor

#endif
