#include "chart_control.h"

#include <QVBoxLayout>

#include "chart_plot.h"
#include "chart_plot_factory.h"
#include "chart_style.h"
#include "dispatch_values.h"

namespace tamsor {

ChartControl::ChartControl(const ChartDesign& design, QWidget* parent)
    : QWidget(parent), fontFamily_(design.fontFamily), layout_(new QVBoxLayout(this)) {
    content_.type = design.type;
    content_.title = design.title;
    content_.bottomTitle = design.bottomTitle;
    layout_->setContentsMargins(0, 0, 0, 0);
    // Blank until the first draw, like a freshly placed control.
    setAutoFillBackground(true);
    QPalette blank = palette();
    blank.setColor(QPalette::Window, chartStyle(fontFamily_).background);
    setPalette(blank);
}

ChartControl::~ChartControl() = default;

void ChartControl::assign(int dispatchId, const QVariant& value) {
    calls_.append(ChartCall{dispatchId, value});
    switch (dispatchId) {
        case kChartType: {
            const int code = int32Value(value, dispatchId);
            if (!isChartType(code)) {
                refuseAssignment(dispatchId, QStringLiteral("no chart type %1").arg(code));
            }
            content_.type = static_cast<ChartType>(code);
            return;
        }
        case kChartDataSetCount:
        case kChartCurrentDataSet:
            // The control keeps a single data set.
            if (int16Value(value, dispatchId) != 1) {
                refuseAssignment(dispatchId, QStringLiteral("only one data set"));
            }
            return;
        case kChartPointCount: {
            const int count = int16Value(value, dispatchId);
            if (count < 0) refuseAssignment(dispatchId, QStringLiteral("negative point count"));
            content_.points.resize(count);  // new points: value 0, no label
            return;
        }
        case kChartCurrentPoint: {
            const int point = int16Value(value, dispatchId);
            if (point < 1 || point > content_.points.size()) {
                refuseAssignment(
                    dispatchId,
                    QStringLiteral("no point %1 of %2").arg(point).arg(content_.points.size()));
            }
            currentPoint_ = point;
            return;
        }
        case kChartValue:
            assignValue(value);
            return;
        case kChartLabel:
            assignLabel(value);
            return;
        case kChartTitle:
            content_.title = textValue(value, dispatchId);
            return;
        case kChartBottomTitle:
            content_.bottomTitle = textValue(value, dispatchId);
            return;
        case kChartDraw:
            if (int32Value(value, dispatchId) != kChartDrawNow) {
                refuseAssignment(dispatchId,
                                 QStringLiteral("only draw mode %1").arg(kChartDrawNow));
            }
            draw();
            return;
        default:
            refuseAssignment(dispatchId, QStringLiteral("unknown property"));
    }
}

void ChartControl::assignValue(const QVariant& value) {
    const double number = numberValue(value, kChartValue);
    currentPointData(kChartValue).value = number;
}

void ChartControl::assignLabel(const QVariant& value) {
    const int label = int16Value(value, kChartLabel);
    currentPointData(kChartLabel).label = QString::number(label);
}

ChartPoint& ChartControl::currentPointData(int dispatchId) {
    // The point count may have shrunk below the current point since it was set.
    if (currentPoint_ < 1 || currentPoint_ > content_.points.size()) {
        refuseAssignment(dispatchId, QStringLiteral("current point %1 outside 1..%2")
                                         .arg(currentPoint_)
                                         .arg(content_.points.size()));
    }
    return content_.points[currentPoint_ - 1];
}

void ChartControl::draw() {
    drawn_ = content_;
    ChartPlot* next = createChartPlot(*drawn_, chartStyle(fontFamily_), this);
    if (plot_ != nullptr) {
        layout_->replaceWidget(plot_, next);
        delete plot_;
    } else {
        layout_->addWidget(next);
    }
    plot_ = next;
    // Draw now, as the operation promises: lay the new chart out at once.
    plot_->show();
    layout_->activate();
}

QSize ChartControl::sizeHint() const {
    return QSize(640, 400);
}

QSize ChartControl::minimumSizeHint() const {
    return QSize(240, 160);
}

}  // namespace tamsor
