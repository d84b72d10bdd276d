// The picture box of the plots: a persistent drawing surface with a world
// window. Drawn items are kept until cleared and painted again on every
// repaint; child controls (a "Zoom" button) sit at their design rectangles.
#ifndef TAMSOR_CANVAS_H
#define TAMSOR_CANVAS_H

#include <vector>

#include <QImage>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QWidget>

#include "canvas_scene.h"

namespace tamsor {

class ElasticLayout;

class Canvas : public QWidget {
    Q_OBJECT

  public:
    // `designSizeTwips` is the canvas's size as designed; children are placed
    // relative to it.
    explicit Canvas(QSize designSizeTwips, QWidget* parent = nullptr);

    // Places a child control inside the border at its design rectangle.
    void addChild(QWidget* child, QRect designRectTwips);

    // Drawing operations. Each either completes or throws RuntimeError
    // (kControlFailure) and leaves the canvas as it was.
    void setPersistent(bool persistent);
    void clear();
    void setWorldWindow(double left, double right, double bottom, double top);
    void drawLine(double x1, double y1, double x2, double y2, const QColor& color);
    void setDashed(bool dashed);  // line style of the following lines
    void setTextPosition(double x, double y);
    void print(const QString& text);

    // What has been drawn, in drawing order, and the drawing state.
    const CanvasScene& scene() const { return scene_; }
    std::vector<CanvasSegment> segments() const { return scene_.segments(); }
    std::vector<CanvasText> texts() const { return scene_.texts(); }
    const WorldWindow& worldWindow() const { return scene_.worldWindow(); }
    bool isPersistent() const { return scene_.isPersistent(); }
    bool isDashed() const { return scene_.isDashed(); }

    // Where a world point lies on the widget at its current size.
    QPointF worldToPixel(QPointF world) const;

    // The drawing alone (without child controls) at `size` logical pixels;
    // a null image for an empty size.
    QImage render(QSize size, double devicePixelRatio = 1.0) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    CanvasScene scene_;
    ElasticLayout* layout_;
};

}  // namespace tamsor

#endif
