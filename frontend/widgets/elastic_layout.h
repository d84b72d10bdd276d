// SPDX-License-Identifier: GPL-3.0-or-later
// A layout that keeps a container's arrangement as designed: every widget sits
// at its design rectangle (in twips) scaled to the container's current size,
// so positions and proportions hold at any window size.
#ifndef TAMSOR_ELASTIC_LAYOUT_H
#define TAMSOR_ELASTIC_LAYOUT_H

#include <vector>

#include <QLayout>
#include <QRect>
#include <QSize>

namespace tamsor {

// Twips per pixel at 96 dpi, the resolution the window was designed at.
inline constexpr int kTwipsPerPixel = 15;

class ElasticLayout : public QLayout {
    Q_OBJECT

  public:
    // `designSizeTwips` is the container's design size, not empty.
    explicit ElasticLayout(QSize designSizeTwips, QWidget* parent = nullptr);
    ~ElasticLayout() override;

    QSize designSize() const { return designSize_; }

    // Places `widget` at `designRectTwips`, given relative to the container's
    // design area. The layout's container becomes the widget's parent.
    void addWidget(QWidget* widget, QRect designRectTwips);
    using QLayout::addWidget;  // without a rectangle: fills the container
    // An item added without a design rectangle fills the whole container.
    void addItem(QLayoutItem* item) override;

    // Where a design rectangle lands inside `area` (the container's contents).
    QRect scaledRect(QRect designRectTwips, const QRect& area) const;

    QSize sizeHint() const override;
    QSize minimumSize() const override;
    Qt::Orientations expandingDirections() const override;
    void setGeometry(const QRect& area) override;

    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;

  private:
    struct Placement {
        QLayoutItem* item;
        QRect designRect;
    };

    QSize designSize_;
    std::vector<Placement> placements_;
};

}  // namespace tamsor

#endif
