// Base of the widgets that show one drawn chart, one subclass per chart
// kind. The base owns the view that fills the widget.
#ifndef TAMSOR_CHART_PLOT_H
#define TAMSOR_CHART_PLOT_H

#include <QWidget>

#include "chart_content.h"

namespace tamsor {

class ChartPlot : public QWidget {
    Q_OBJECT

  public:
    const ChartContent& content() const { return content_; }
    QWidget* view() const { return view_; }

  protected:
    ChartPlot(const ChartContent& content, QWidget* parent);
    // Takes `view` as the child that fills this widget.
    void setView(QWidget* view);

  private:
    ChartContent content_;
    QWidget* view_ = nullptr;
};

}  // namespace tamsor

#endif
