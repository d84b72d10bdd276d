// SPDX-License-Identifier: GPL-3.0-or-later
// Colours and fonts shared by every chart kind, so that a chart looks the
// same in 2D and in 3D and an isolator type keeps its colour.
#ifndef TAMSOR_CHART_STYLE_H
#define TAMSOR_CHART_STYLE_H

#include <QColor>
#include <QFont>
#include <QList>
#include <QString>

namespace tamsor {

struct ChartStyle {
    QFont titleFont;
    QFont axisTitleFont;
    QFont labelFont;       // tick and category texts
    QFont valueLabelFont;  // the value beside a bar, point or slice
    QColor background;
    QColor textColor;
    QColor axisColor;
    QColor gridColor;
    QColor wallColor;            // back wall of a 3D chart
    QColor floorColor;           // floor and side wall of a 3D chart
    QColor barColor;             // bars and the variance line
    QList<QColor> seriesColors;  // one per point of a pie, repeating
};

// The style in the given font family; a family that is not installed falls
// back to the system's sans-serif face.
ChartStyle chartStyle(const QString& fontFamily);

// The colour of the `index`-th slice (0-based).
QColor sliceColor(const ChartStyle& style, qsizetype index);

}  // namespace tamsor

#endif
