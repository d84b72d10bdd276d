// SPDX-License-Identifier: GPL-3.0-or-later
// What has been drawn on a canvas since it was last cleared, in drawing
// order, and the drawing state that the next operation uses: the world
// window, the line style and the text position. Free of widgets, so that it
// can be painted anywhere and read back by tests.
#ifndef TAMSOR_CANVAS_SCENE_H
#define TAMSOR_CANVAS_SCENE_H

#include <variant>
#include <vector>

#include <QColor>
#include <QPointF>
#include <QString>

#include "widgets/world_window.h"

namespace tamsor {

struct CanvasSegment {
    QPointF from;  // world coordinates
    QPointF to;
    QColor color;
    bool dashed = false;
};

struct CanvasText {
    QPointF at;  // world point of the text's top-left corner, or as `alignment` says
    QString text;
    QColor color = Qt::black;
    // Which point of the text's box lies at `at`: left or right or centred
    // across, top or centred down.
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
};

using CanvasItem = std::variant<CanvasSegment, CanvasText>;

// What no canvas could show is ignored and leaves the scene as it was: a
// world window without a finite extent both ways, a non-finite coordinate,
// a colour that is not valid.
class CanvasScene {
  public:
    // Recorded only: the scene keeps what was drawn until cleared either way.
    void setPersistent(bool persistent) { persistent_ = persistent; }
    bool isPersistent() const { return persistent_; }

    // Forgets every item and moves the text position to the world origin;
    // the world window and the line style stay.
    void clear();

    void setWorldWindow(double left, double right, double bottom, double top);
    const WorldWindow& worldWindow() const { return window_; }

    void setDashed(bool dashed) { dashed_ = dashed; }
    bool isDashed() const { return dashed_; }

    void drawLine(double x1, double y1, double x2, double y2, const QColor& color);

    void setTextPosition(double x, double y);
    QPointF textPosition() const { return textPosition_; }
    // Text with its top-left corner at the text position, which stays put.
    void print(const QString& text);
    // Text in `color` placed by `alignment` at the text position: an axis value.
    void print(const QString& text, const QColor& color, Qt::Alignment alignment);

    const std::vector<CanvasItem>& items() const { return items_; }
    std::vector<CanvasSegment> segments() const;
    std::vector<CanvasText> texts() const;

  private:
    bool persistent_ = false;
    WorldWindow window_;
    bool dashed_ = false;
    QPointF textPosition_;
    std::vector<CanvasItem> items_;
};

}  // namespace tamsor

#endif
