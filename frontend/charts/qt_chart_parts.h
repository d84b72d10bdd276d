// SPDX-License-Identifier: GPL-3.0-or-later
// Building blocks shared by the chart kinds drawn with Qt Charts, so that
// their titles, axes and fonts look alike.
#ifndef TAMSOR_QT_CHART_PARTS_H
#define TAMSOR_QT_CHART_PARTS_H

#include <QString>
#include <QStringList>

#include "charts/chart_content.h"
#include "charts/chart_numbers.h"
#include "charts/chart_style.h"

class QBarCategoryAxis;
class QChart;
class QValueAxis;

namespace tamsor {

// The content's title, the style's background, no legend and no animation.
void styleChart(QChart& chart, const ChartContent& content, const ChartStyle& style);
QBarCategoryAxis* newCategoryAxis(const QStringList& categories, const QString& title,
                                  const ChartStyle& style);
QValueAxis* newValueAxis(const ValueScale& scale, const ChartStyle& style);

}  // namespace tamsor

#endif
