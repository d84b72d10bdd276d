// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chart_style.h"

namespace tamsor {

namespace {

QFont chartFont(const QString& family, int pointSize, bool bold) {
    QFont font(family, pointSize, bold ? QFont::Bold : QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

}  // namespace

ChartStyle chartStyle(const QString& fontFamily) {
    ChartStyle style;
    style.titleFont = chartFont(fontFamily, 15, true);
    style.axisTitleFont = chartFont(fontFamily, 11, true);
    style.labelFont = chartFont(fontFamily, 10, false);
    style.valueLabelFont = chartFont(fontFamily, 10, false);
    style.background = QColor(0xFF, 0xFF, 0xFF);
    style.textColor = QColor(0x2B, 0x2F, 0x36);
    style.axisColor = QColor(0x6B, 0x72, 0x7C);
    style.gridColor = QColor(0xD5, 0xD9, 0xDF);
    style.wallColor = QColor(0xF4, 0xF6, 0xF8);
    style.floorColor = QColor(0xE4, 0xE8, 0xED);
    style.barColor = QColor(0x3E, 0x6F, 0xA8);
    // Muted, well-separated hues that stay distinct when darkened for a 3D rim.
    style.seriesColors = {QColor(0x4E, 0x79, 0xA7), QColor(0xF2, 0x8E, 0x2B),
                          QColor(0x59, 0xA1, 0x4F), QColor(0xE1, 0x57, 0x59),
                          QColor(0x76, 0xB7, 0xB2), QColor(0xED, 0xC9, 0x48),
                          QColor(0xB0, 0x7A, 0xA1), QColor(0xFF, 0x9D, 0xA7),
                          QColor(0x9C, 0x75, 0x5F), QColor(0xBA, 0xB0, 0xAC)};
    return style;
}

QColor sliceColor(const ChartStyle& style, qsizetype index) {
    return style.seriesColors[index % style.seriesColors.size()];
}

}  // namespace tamsor
