// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/elastic_layout.h"

#include <cmath>

#include <QWidget>

namespace tamsor {
namespace {

// Below half the 96-dpi size captions and digits become unreadable.
constexpr int kMinimumTwipsPerPixel = 2 * kTwipsPerPixel;

// Scales one design coordinate; edges are scaled rather than sizes, so two
// controls that touch in the design touch on screen and never overlap.
int scaleEdge(int twips, int designExtent, int extent) {
    return static_cast<int>(
        std::lround(static_cast<double>(twips) * extent / static_cast<double>(designExtent)));
}

}  // namespace

ElasticLayout::ElasticLayout(QSize designSizeTwips, QWidget* parent)
    : QLayout(parent), designSize_(designSizeTwips) {
    Q_ASSERT(!designSizeTwips.isEmpty());
    setContentsMargins(0, 0, 0, 0);
    setSpacing(0);
}

ElasticLayout::~ElasticLayout() {
    while (QLayoutItem* item = takeAt(0))
        delete item;
}

void ElasticLayout::addWidget(QWidget* widget, QRect designRectTwips) {
    addChildWidget(widget);
    placements_.push_back({new QWidgetItem(widget), designRectTwips});
    invalidate();
}

void ElasticLayout::addItem(QLayoutItem* item) {
    placements_.push_back({item, QRect(QPoint(0, 0), designSize_)});
    invalidate();
}

QRect ElasticLayout::scaledRect(QRect designRectTwips, const QRect& area) const {
    const int dw = designSize_.width();
    const int dh = designSize_.height();
    const int w = area.width();
    const int h = area.height();
    const int left = scaleEdge(designRectTwips.x(), dw, w);
    const int top = scaleEdge(designRectTwips.y(), dh, h);
    const int right = scaleEdge(designRectTwips.x() + designRectTwips.width(), dw, w);
    const int bottom = scaleEdge(designRectTwips.y() + designRectTwips.height(), dh, h);
    return QRect(area.x() + left, area.y() + top, right - left, bottom - top);
}

QSize ElasticLayout::sizeHint() const {
    return designSize_ / kTwipsPerPixel;
}

QSize ElasticLayout::minimumSize() const {
    return designSize_ / kMinimumTwipsPerPixel;
}

Qt::Orientations ElasticLayout::expandingDirections() const {
    return Qt::Horizontal | Qt::Vertical;
}

void ElasticLayout::setGeometry(const QRect& area) {
    QLayout::setGeometry(area);
    for (const Placement& placement : placements_) {
        const QRect target = scaledRect(placement.designRect, area);
        // A widget takes its rectangle whatever its size policy says: the
        // design, not the widget's preferred size, decides the arrangement.
        if (QWidget* widget = placement.item->widget())
            widget->setGeometry(target);
        else
            placement.item->setGeometry(target);
    }
}

int ElasticLayout::count() const {
    return static_cast<int>(placements_.size());
}

QLayoutItem* ElasticLayout::itemAt(int index) const {
    if (index < 0 || index >= count()) return nullptr;
    return placements_[static_cast<std::size_t>(index)].item;
}

QLayoutItem* ElasticLayout::takeAt(int index) {
    if (index < 0 || index >= count()) return nullptr;
    const auto position = placements_.begin() + index;
    QLayoutItem* item = position->item;
    placements_.erase(position);
    invalidate();
    return item;
}

}  // namespace tamsor
