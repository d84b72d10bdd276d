// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/pie_labels.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tamsor {

namespace {

constexpr double kLeader = 22.0;      // the leader's length out of the pie, horizontally
constexpr double kLeaderFoot = 10.0;  // its horizontal end beside the text
constexpr double kTextGap = 4.0;

double radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

// The point of the ellipse in `box` at QPainter angle `angle`.
QPointF onEllipse(const QRectF& box, double angle) {
    return box.center() + QPointF(box.width() / 2 * std::cos(radians(angle)),
                                  -box.height() / 2 * std::sin(radians(angle)));
}

// Moves the text centres `ys` (sorted top down) apart by at least `height`,
// first downwards, then back up from `bottom`.
void spreadApart(QList<double*>& ys, double height, double bottom) {
    for (qsizetype k = 1; k < ys.size(); ++k)
        *ys[k] = std::max(*ys[k], *ys[k - 1] + height);
    for (qsizetype k = ys.size() - 1; k >= 0; --k) {
        const double limit = k + 1 < ys.size() ? *ys[k + 1] - height : bottom - height / 2;
        *ys[k] = std::min(*ys[k], limit);
    }
}

}  // namespace

double painterAngle(double pieAngle) {
    return 90.0 - pieAngle;
}

QList<PieLabel> layoutPieLabels(const QList<PieSliceAngles>& slices, const QStringList& texts,
                                const QFontMetricsF& metrics, const QRectF& pie, double frontDrop,
                                const QRectF& area) {
    const double height = metrics.height();
    const double aspect = pie.width() > 0 ? pie.height() / pie.width() : 1.0;
    const QRectF outer = pie.adjusted(-kLeader, -kLeader * aspect, kLeader, kLeader * aspect);
    QList<PieLabel> labels;
    QList<double> ys;  // text centres
    for (qsizetype i = 0; i < slices.size(); ++i) {
        if (slices[i].spanAngle <= 0.0) continue;
        const double angle = painterAngle(slices[i].startAngle + slices[i].spanAngle / 2);
        const QPointF drop(0, std::sin(radians(angle)) < 0 ? frontDrop : 0.0);
        PieLabel label;
        label.slice = i;
        label.onRight = std::cos(radians(angle)) >= 0;
        label.leader = QPolygonF({onEllipse(pie, angle) + drop, onEllipse(outer, angle) + drop});
        labels.append(label);
        ys.append(label.leader.back().y());
    }

    for (const bool right : {false, true}) {
        QList<double*> side;
        for (qsizetype k = 0; k < labels.size(); ++k) {
            if (labels[k].onRight == right) side.append(&ys[k]);
        }
        std::sort(side.begin(), side.end(),
                  [](const double* a, const double* b) { return *a < *b; });
        spreadApart(side, height, area.bottom());
    }

    for (qsizetype k = 0; k < labels.size(); ++k) {
        PieLabel& label = labels[k];
        const double direction = label.onRight ? 1.0 : -1.0;
        label.leader.back().setY(ys[k]);
        const QPointF foot = label.leader.back() + QPointF(direction * kLeaderFoot, 0);
        label.leader.append(foot);
        const double width = metrics.horizontalAdvance(texts[label.slice]) + 2;
        const double left = label.onRight ? foot.x() + kTextGap : foot.x() - kTextGap - width;
        label.box = QRectF(left, ys[k] - height / 2, width, height);
    }
    return labels;
}

double pieLabelRoom(const QStringList& texts, const QFontMetricsF& metrics) {
    double width = 0.0;
    for (const QString& text : texts)
        width = std::max(width, metrics.horizontalAdvance(text));
    return width + kLeader + kLeaderFoot + 2 * kTextGap;
}

}  // namespace tamsor
