// SPDX-License-Identifier: GPL-3.0-or-later
// The 2D pie chart: one slice per point, those with a positive value
// labelled with category, value and share. The labels are laid out like
// those of the 3D pie so that thin slices keep readable texts. A pie has no
// axis for the bottom title; it is shown as a caption under the pie.
#ifndef TAMSOR_PIE_CHART_H
#define TAMSOR_PIE_CHART_H

#include <QChart>
#include <QFont>
#include <QList>
#include <QRectF>

#include "charts/chart_content.h"
#include "charts/chart_style.h"

class QGraphicsEllipseItem;
class QGraphicsPathItem;
class QGraphicsSimpleTextItem;
class QPieSeries;

namespace tamsor {

class PieChart : public QChart {
    Q_OBJECT

  public:
    PieChart(const ChartContent& content, const ChartStyle& style);

    // One slice per point; empty when no value is positive.
    QPieSeries* series() const { return series_; }
    // The text of each slice, in slice order; hidden for slices without area.
    const QList<QGraphicsSimpleTextItem*>& sliceLabels() const { return sliceLabels_; }
    QGraphicsSimpleTextItem* bottomTitle() const { return bottomTitle_; }
    // The outline shown in place of a pie without slices.
    QGraphicsEllipseItem* emptyFrame() const { return emptyFrame_; }

  private:
    void placeDecorations(const QRectF& plotArea);

    QPieSeries* series_ = nullptr;
    QList<QGraphicsSimpleTextItem*> sliceLabels_;
    QList<QGraphicsPathItem*> leaders_;
    QGraphicsSimpleTextItem* bottomTitle_ = nullptr;
    QGraphicsEllipseItem* emptyFrame_ = nullptr;
    QFont labelFont_;
};

}  // namespace tamsor

#endif
