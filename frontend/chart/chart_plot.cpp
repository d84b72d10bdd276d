#include "chart_plot.h"

#include <QVBoxLayout>

namespace tamsor {

ChartPlot::ChartPlot(const ChartContent& content, QWidget* parent)
    : QWidget(parent), content_(content) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

void ChartPlot::setView(QWidget* view) {
    view_ = view;
    layout()->addWidget(view);
}

}  // namespace tamsor
