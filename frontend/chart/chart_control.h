// The chart control of the chart window: a chart of one data set, driven
// property by property through dispatch identifiers. Assignments build the
// chart; nothing on screen changes until the draw operation.
#ifndef TAMSOR_CHART_CONTROL_H
#define TAMSOR_CHART_CONTROL_H

#include <QList>
#include <QString>
#include <QVariant>
#include <QWidget>

#include <optional>

#include "chart_content.h"

class QVBoxLayout;

namespace tamsor {

class ChartPlot;

// The properties that the control accepts, by dispatch identifier.
enum ChartDispatchId : int {
    kChartBottomTitle = 8,       // text
    kChartDraw = 21,             // 32-bit integer; kChartDrawNow draws
    kChartValue = 41,            // number: value of the current point
    kChartType = 44,             // 32-bit integer, a ChartType code
    kChartTitle = 57,            // text
    kChartPointCount = 66,       // 16-bit integer, 0 or more
    kChartDataSetCount = 67,     // 16-bit integer, always 1
    kChartCurrentPoint = 101,    // 16-bit integer, 1 .. point count
    kChartCurrentDataSet = 102,  // 16-bit integer, 1
    kChartLabel = 117,           // 16-bit integer: label of the current point
};

inline constexpr int kChartDrawNow = 2;

// One property assignment as it was made.
struct ChartCall {
    int dispatchId = 0;
    QVariant value;
};

// Settings stored with the control before any assignment.
struct ChartDesign {
    ChartType type = ChartType::kBar2D;
    QString title;
    QString bottomTitle;
    QString fontFamily = QStringLiteral("Arial");
};

class ChartControl : public QWidget {
    Q_OBJECT

  public:
    explicit ChartControl(const ChartDesign& design, QWidget* parent = nullptr);
    ~ChartControl() override;

    // Assigns one property. Throws RuntimeError (kControlFailure) for an
    // unknown identifier, a value of the wrong type or out of range, or a
    // point operation while the current point lies outside 1..point count;
    // the chart then stays as it was. Every assignment is recorded first,
    // refused ones too.
    void assign(int dispatchId, const QVariant& value);

    // Every assignment since construction or the last clearCalls, in order.
    const QList<ChartCall>& calls() const { return calls_; }
    void clearCalls() { calls_.clear(); }

    // The chart as the assignments so far have built it.
    const ChartContent& content() const { return content_; }
    int currentPoint() const { return currentPoint_; }

    // The chart as last drawn; empty until the first draw operation.
    const std::optional<ChartContent>& drawn() const { return drawn_; }
    // The widget that shows the drawn chart; null until the first draw.
    ChartPlot* plot() const { return plot_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  private:
    void assignValue(const QVariant& value);
    void assignLabel(const QVariant& value);
    ChartPoint& currentPointData(int dispatchId);
    void draw();

    QString fontFamily_;
    ChartContent content_;
    int currentPoint_ = 1;
    std::optional<ChartContent> drawn_;
    QList<ChartCall> calls_;
    QVBoxLayout* layout_ = nullptr;
    ChartPlot* plot_ = nullptr;
};

}  // namespace tamsor

#endif
