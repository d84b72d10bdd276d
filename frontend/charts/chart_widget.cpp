// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chart_widget.h"

#include <QChartView>
#include <QPainter>
#include <QVBoxLayout>

#include "charts/bar3d_renderer.h"
#include "charts/bar_chart.h"
#include "charts/chart_numbers.h"
#include "charts/line_chart.h"
#include "charts/pie3d_renderer.h"
#include "charts/pie_chart.h"

namespace tamsor {
namespace {

// What a screen reader reads for a chart, whose points are only pictures:
// "Isolator Type 1: 736.84, 2: 1017.75".
QString pointsText(const ChartContent& content) {
    const QStringList categories = categoryLabels(content);
    QStringList points;
    for (qsizetype i = 0; i < content.points.size(); ++i)
        points << categories[i] + QStringLiteral(": ") + pointValueText(content, i);
    return content.bottomTitle + QLatin1Char(' ') + points.join(QStringLiteral(", "));
}

}  // namespace

ChartWidget::ChartWidget(QWidget* parent)
    : QWidget(parent), style_(chartStyle(QStringLiteral("Arial"))) {
    (new QVBoxLayout(this))->setContentsMargins(0, 0, 0, 0);
    setAutoFillBackground(true);
    QPalette blank = palette();
    blank.setColor(QPalette::Window, style_.background);
    setPalette(blank);
}

ChartWidget::~ChartWidget() = default;

void ChartWidget::showChart(const ChartContent& content) {
    content_ = content;
    delete view_;
    view_ = nullptr;
    renderer_.reset();
    QChart* chart = nullptr;
    switch (content.kind) {
        case ChartKind::kBar2D:
            chart = new BarChart(content, style_);
            break;
        case ChartKind::kPie2D:
            chart = new PieChart(content, style_);
            break;
        case ChartKind::kLine:
            chart = new LineChart(content, style_);
            break;
        case ChartKind::kBar3D:
            renderer_ = std::make_unique<Bar3DRenderer>(content, style_);
            break;
        case ChartKind::kPie3D:
            renderer_ = std::make_unique<Pie3DRenderer>(content, style_);
            break;
    }
    if (chart != nullptr) {
        view_ = new QChartView(chart, this);
        view_->setRenderHint(QPainter::Antialiasing);
        view_->setFrameShape(QFrame::NoFrame);
        view_->setBackgroundBrush(chart->backgroundBrush());
        layout()->addWidget(view_);
        view_->show();
        layout()->activate();  // lays the chart out now, not at the next event
    }
    setAccessibleName(content.title);
    setAccessibleDescription(pointsText(content));
    update();
}

QChart* ChartWidget::chart() const {
    return view_ != nullptr ? view_->chart() : nullptr;
}

void ChartWidget::paintEvent(QPaintEvent* /*event*/) {
    if (!renderer_) return;  // blank, or a chart view covers the widget
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    renderer_->paint(painter, QRectF(rect()));
}

}  // namespace tamsor
