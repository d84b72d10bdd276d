// SPDX-License-Identifier: GPL-3.0-or-later
// Where the texts of pie slices go: beside the pie at each slice's middle,
// joined to it by a leader line, with texts of thin neighbouring slices
// pushed apart so that none overlaps another. Shared by the 2D and 3D pies.
#ifndef TAMSOR_PIE_LABELS_H
#define TAMSOR_PIE_LABELS_H

#include <QFontMetricsF>
#include <QList>
#include <QPolygonF>
#include <QRectF>
#include <QStringList>

namespace tamsor {

// Angles of a slice in degrees, clockwise from 12 o'clock, as QPieSlice counts them.
struct PieSliceAngles {
    double startAngle = 0.0;
    double spanAngle = 0.0;
};

struct PieLabel {
    qsizetype slice = 0;
    QPolygonF leader;     // from the pie's edge out to the text
    QRectF box;           // the text
    bool onRight = true;  // text left-aligned to the right of the pie
};

// The QPainter angle (counter-clockwise from 3 o'clock) of a pie angle.
double painterAngle(double pieAngle);

// Labels for the slices of positive span of the pie drawn in the ellipse
// `pie`. Leaders of the front half start `frontDrop` lower (below a 3D rim).
// Texts stay above area.bottom() where they can.
QList<PieLabel> layoutPieLabels(const QList<PieSliceAngles>& slices, const QStringList& texts,
                                const QFontMetricsF& metrics, const QRectF& pie, double frontDrop,
                                const QRectF& area);

// Width beside the pie that the widest of `texts` needs with its leader.
double pieLabelRoom(const QStringList& texts, const QFontMetricsF& metrics);

}  // namespace tamsor

#endif
