// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_icon.h"

#include <QPainter>
#include <QPixmap>

namespace tamsor {

QPixmap applicationIconPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    // Ground, three isolators, the building above them.
    painter.fillRect(QRectF(2, 28, 28, 2), QColor(90, 90, 90));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 40, 40));
    for (const double x : {5.0, 14.0, 23.0})
        painter.drawRoundedRect(QRectF(x, 23.5, 4, 4.5), 1, 1);
    painter.setBrush(QColor(40, 80, 170));
    painter.drawRect(QRectF(3, 5, 26, 18));
    painter.setBrush(QColor(220, 230, 245));
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 4; ++column)
            painter.drawRect(QRectF(6 + column * 6, 8 + row * 5, 3, 3));
    return pixmap;
}

QIcon applicationIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128})
        icon.addPixmap(applicationIconPixmap(size));
    return icon;
}

}  // namespace tamsor
