// Drives a chart control the way the chart window does: one data set, the
// point count, optional titles, each point's value (and label), then draw.
#ifndef TAMSOR_TESTS_CHART_DRIVING_H
#define TAMSOR_TESTS_CHART_DRIVING_H

#include <QList>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <optional>
#include <utility>

#include "chart_control.h"

namespace tamsor::testing {

inline QVariant int16(int value) {
    return QVariant::fromValue(static_cast<std::int16_t>(value));
}
inline QVariant int32(int value) {
    return QVariant::fromValue(static_cast<std::int32_t>(value));
}

struct ChartRequest {
    explicit ChartRequest(QList<double> pointValues) : values(std::move(pointValues)) {}
    ChartRequest& ofType(ChartType chartType) {
        type = chartType;
        return *this;
    }
    ChartRequest& titled(const QString& chartTitle, const QString& chartBottomTitle) {
        title = chartTitle;
        bottomTitle = chartBottomTitle;
        return *this;
    }
    ChartRequest& labelledFromTwo() {
        labelFromTwo = true;
        return *this;
    }

    QList<double> values;
    std::optional<ChartType> type;  // unset: the control keeps its type
    QString title;                  // empty: not assigned
    QString bottomTitle;            // empty: not assigned
    bool labelFromTwo = false;      // label point i with i + 1, as the variance chart does
};

inline void drawChart(ChartControl& control, const ChartRequest& request) {
    if (request.type) control.assign(kChartType, int32(static_cast<int>(*request.type)));
    control.assign(kChartDataSetCount, int16(1));
    control.assign(kChartCurrentDataSet, int16(1));
    control.assign(kChartPointCount, int16(static_cast<int>(request.values.size())));
    if (!request.title.isEmpty()) control.assign(kChartTitle, request.title);
    if (!request.bottomTitle.isEmpty()) control.assign(kChartBottomTitle, request.bottomTitle);
    for (int i = 0; i < request.values.size(); ++i) {
        control.assign(kChartCurrentPoint, int16(i + 1));
        control.assign(kChartValue, QVariant(static_cast<float>(request.values[i])));
        if (request.labelFromTwo) control.assign(kChartLabel, int16(i + 2));
    }
    control.assign(kChartDraw, int32(kChartDrawNow));
}

inline ChartDesign meanLoadDesign() {
    return ChartDesign{ChartType::kBar2D, QStringLiteral("Mean Sustained Load"),
                       QStringLiteral("Isolator Type")};
}

inline ChartDesign varianceDesign() {
    return ChartDesign{ChartType::kLine, QStringLiteral("Variance"),
                       QStringLiteral("Isolator Types")};
}

}  // namespace tamsor::testing

#endif
