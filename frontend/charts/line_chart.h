// SPDX-License-Identifier: GPL-3.0-or-later
// The variance chart: the points joined by a line, each with a marker and
// its value, over the category axis of the point labels.
#ifndef TAMSOR_LINE_CHART_H
#define TAMSOR_LINE_CHART_H

#include <QChart>
#include <QList>

#include "charts/chart_content.h"
#include "charts/chart_style.h"

class QGraphicsSimpleTextItem;
class QLineSeries;

namespace tamsor {

class LineChart : public QChart {
    Q_OBJECT

  public:
    LineChart(const ChartContent& content, const ChartStyle& style);

    QLineSeries* series() const { return series_; }
    // The value printed above each point, in point order.
    const QList<QGraphicsSimpleTextItem*>& valueLabels() const { return valueLabels_; }

  private:
    void placeValueLabels();

    QLineSeries* series_ = nullptr;
    QList<QGraphicsSimpleTextItem*> valueLabels_;
};

}  // namespace tamsor

#endif
