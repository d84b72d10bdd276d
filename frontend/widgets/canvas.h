// The picture box of the plots: a persistent drawing surface with a world
// window, set in a sunken panel. Drawn items are kept until cleared and
// painted again on every repaint; child controls (a "Zoom" button) sit at
// their design rectangles inside the frame.
#ifndef TAMSOR_CANVAS_H
#define TAMSOR_CANVAS_H

#include <vector>

#include <QFrame>
#include <QPointF>
#include <QRect>
#include <QSize>

#include "widgets/canvas_scene.h"

namespace tamsor {

class ElasticLayout;

class Canvas : public QFrame {
    Q_OBJECT

  public:
    // `designSizeTwips` is the canvas's size as designed; children are placed
    // relative to it.
    explicit Canvas(QSize designSizeTwips, QWidget* parent = nullptr);

    void addChild(QWidget* child, QRect designRectTwips);

    // Drawing operations, recorded in the scene (see CanvasScene).
    void setPersistent(bool persistent) { scene_.setPersistent(persistent); }
    void clear();
    void setWorldWindow(double left, double right, double bottom, double top);
    void drawLine(double x1, double y1, double x2, double y2, const QColor& color);
    void setDashed(bool dashed) { scene_.setDashed(dashed); }  // style of the following lines
    void setTextPosition(double x, double y) { scene_.setTextPosition(x, y); }
    void print(const QString& text);

    // What has been drawn, in drawing order, and the drawing state.
    const CanvasScene& scene() const { return scene_; }
    std::vector<CanvasSegment> segments() const { return scene_.segments(); }
    std::vector<CanvasText> texts() const { return scene_.texts(); }
    const WorldWindow& worldWindow() const { return scene_.worldWindow(); }
    bool isPersistent() const { return scene_.isPersistent(); }
    bool isDashed() const { return scene_.isDashed(); }

    // Where a world point lies on the widget: the world window spans the
    // area inside the frame.
    QPointF worldToPixel(QPointF world) const;

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
