// A widget that shows a ChartRenderer: painting only forwards to it.
#ifndef TAMSOR_RENDERER_VIEW_H
#define TAMSOR_RENDERER_VIEW_H

#include <QWidget>

namespace tamsor {

class ChartRenderer;

class RendererView : public QWidget {
    Q_OBJECT

  public:
    // `renderer` must outlive the view.
    explicit RendererView(const ChartRenderer& renderer, QWidget* parent = nullptr);

    QSize sizeHint() const override { return QSize(640, 400); }
    QSize minimumSizeHint() const override { return QSize(240, 160); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const ChartRenderer& renderer_;
};

}  // namespace tamsor

#endif
