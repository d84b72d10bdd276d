// SPDX-License-Identifier: GPL-3.0-or-later
// The 2D bar chart: one bar per point over a category axis, each bar
// labelled with its value in the figure's own format.
#ifndef TAMSOR_BAR_CHART_H
#define TAMSOR_BAR_CHART_H

#include <QChart>
#include <QList>

#include "charts/chart_content.h"
#include "charts/chart_style.h"

class QBarSeries;
class QGraphicsSimpleTextItem;

namespace tamsor {

class BarChart : public QChart {
    Q_OBJECT

  public:
    BarChart(const ChartContent& content, const ChartStyle& style);

    QBarSeries* barSeries() const { return series_; }
    // The value printed at the end of each bar, in point order.
    const QList<QGraphicsSimpleTextItem*>& valueLabels() const { return valueLabels_; }

  private:
    void placeValueLabels();

    QBarSeries* series_ = nullptr;
    QList<double> values_;
    QList<QGraphicsSimpleTextItem*> valueLabels_;
};

}  // namespace tamsor

#endif
