// SPDX-License-Identifier: GPL-3.0-or-later
// The picture box of the plots: a scene of segments and texts in a world
// window, painted in a sunken panel on every repaint; child controls (a
// "Zoom" button) sit at their design rectangles inside the frame.
#ifndef TAMSOR_CANVAS_H
#define TAMSOR_CANVAS_H

#include <functional>

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

    // What the canvas shows, drawn again on every repaint.
    void setScene(CanvasScene scene);
    // What the canvas shows, made for its width inside the frame in pixels,
    // and made again whenever that width changes.
    void setSceneForWidth(std::function<CanvasScene(int innerWidth)> makeScene);
    const CanvasScene& scene() const { return scene_; }

    // Where a world point lies on the widget: the world window spans the
    // area inside the frame.
    QPointF worldToPixel(QPointF world) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    CanvasScene scene_;
    std::function<CanvasScene(int)> makeScene_;
    ElasticLayout* layout_;
};

}  // namespace tamsor

#endif
