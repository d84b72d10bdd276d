// SPDX-License-Identifier: GPL-3.0-or-later
// Paints a canvas scene without a widget: a white inner area, then the
// recorded segments and texts in drawing order, the world window mapped onto
// that inner area.
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

    // Segments stay inside `inner`; texts may reach beyond it up to `bounds`,
    // the whole control, so that a label near an edge is not cut.
    void paint(QPainter& painter, const QRectF& inner, const QRectF& bounds) const;

  private:
    void paintSegment(QPainter& painter, const QRectF& inner, const CanvasSegment& segment) const;
    void paintText(QPainter& painter, const QRectF& inner, const QRectF& bounds,
                   const CanvasText& text) const;

    const CanvasScene& scene_;
    QFont font_;
};

}  // namespace tamsor

#endif
