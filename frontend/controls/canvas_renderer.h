// Paints a canvas scene: white background, sunken border, then the recorded
// segments and texts in drawing order, the world window mapped onto the area
// inside the border.
#ifndef TAMSOR_CANVAS_RENDERER_H
#define TAMSOR_CANVAS_RENDERER_H

#include <QFont>
#include <QRectF>

class QPainter;

namespace tamsor {

class CanvasScene;
struct CanvasSegment;
struct CanvasText;

class CanvasRenderer {
  public:
    // `scene` must outlive the renderer; texts are set in `font`.
    CanvasRenderer(const CanvasScene& scene, const QFont& font);

    // The area the world window maps onto, for a canvas occupying `bounds`.
    static QRectF innerRect(const QRectF& bounds);

    void paint(QPainter& painter, const QRectF& bounds) const;

  private:
    void paintSegment(QPainter& painter, const QRectF& inner, const CanvasSegment& segment) const;
    void paintText(QPainter& painter, const QRectF& bounds, const QRectF& inner,
                   const CanvasText& text) const;

    const CanvasScene& scene_;
    QFont font_;
};

}  // namespace tamsor

#endif
