// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/canvas_scene.h"

#include <cmath>

namespace tamsor {
namespace {

template <typename Item>
std::vector<Item> itemsOfKind(const std::vector<CanvasItem>& items) {
    std::vector<Item> found;
    for (const CanvasItem& item : items)
        if (const auto* wanted = std::get_if<Item>(&item)) found.push_back(*wanted);
    return found;
}

bool isFinite(double x, double y) {
    return std::isfinite(x) && std::isfinite(y);
}

}  // namespace

void CanvasScene::clear() {
    items_.clear();
    textPosition_ = QPointF(0.0, 0.0);
}

void CanvasScene::setWorldWindow(double left, double right, double bottom, double top) {
    const WorldWindow window{left, right, bottom, top};
    if (window.isMappable()) window_ = window;
}

void CanvasScene::drawLine(double x1, double y1, double x2, double y2, const QColor& color) {
    if (isFinite(x1, y1) && isFinite(x2, y2) && color.isValid())
        items_.push_back(CanvasSegment{QPointF(x1, y1), QPointF(x2, y2), color, dashed_});
}

void CanvasScene::setTextPosition(double x, double y) {
    if (isFinite(x, y)) textPosition_ = QPointF(x, y);
}

void CanvasScene::print(const QString& text) {
    items_.push_back(CanvasText{textPosition_, text});
}

void CanvasScene::print(const QString& text, const QColor& color, Qt::Alignment alignment) {
    if (color.isValid()) items_.push_back(CanvasText{textPosition_, text, color, alignment});
}

std::vector<CanvasSegment> CanvasScene::segments() const {
    return itemsOfKind<CanvasSegment>(items_);
}

std::vector<CanvasText> CanvasScene::texts() const {
    return itemsOfKind<CanvasText>(items_);
}

}  // namespace tamsor
