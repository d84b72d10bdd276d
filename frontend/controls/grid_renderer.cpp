#include "grid_renderer.h"

#include <algorithm>
#include <cmath>

#include <QPainter>
#include <QPen>

#include "sunken_border.h"

namespace tamsor {
namespace {

const QColor kHeaderFace(224, 224, 224);
const QColor kHeaderLight(255, 255, 255);
const QColor kHeaderShadow(128, 128, 128);
const QColor kGridLine(192, 192, 192);
constexpr int kTextPadding = 3;  // pixels between a cell's edge and its text

// Boundaries that split `extent` pixels from `origin` in proportion to
// `shares`; rounding the running sum keeps the parts adding up exactly.
std::vector<int> splitInProportion(int origin, int extent, const std::vector<int>& shares) {
    long long total = 0;
    for (int share : shares)
        total += share;
    std::vector<int> edges{origin};
    long long running = 0;
    for (int share : shares) {
        running += share;
        edges.push_back(origin +
                        static_cast<int>(std::llround(static_cast<double>(running) * extent /
                                                      static_cast<double>(total))));
    }
    return edges;
}

QRect innerArea(const QRect& bounds) {
    return insideSunkenBorder(QRectF(bounds)).toRect();
}

Qt::Alignment horizontalAlignment(GridAlignment alignment, const QString& text, bool fixed) {
    switch (alignment) {
        case GridAlignment::kLeft:
            return Qt::AlignLeft;
        case GridAlignment::kCenter:
            return Qt::AlignHCenter;
        case GridAlignment::kRight:
            return Qt::AlignRight;
        case GridAlignment::kGeneral:
            break;
    }
    bool number = false;
    text.trimmed().toDouble(&number);
    return number && !fixed ? Qt::AlignRight : Qt::AlignLeft;
}

}  // namespace

GridRenderer::GridRenderer(const GridCells& cells, const QFont& font,
                           std::optional<GridCell> focusCell)
    : cells_(cells), font_(font), focusCell_(focusCell) {}

std::vector<int> GridRenderer::columnEdges(const QRect& bounds) const {
    std::vector<int> shares;
    for (int col = 0; col < cells_.cols(); ++col)
        shares.push_back(cells_.widthShare(col));
    const QRect inner = innerArea(bounds);
    return splitInProportion(inner.left(), inner.width(), shares);
}

std::vector<int> GridRenderer::rowEdges(const QRect& bounds) const {
    const QRect inner = innerArea(bounds);
    return splitInProportion(inner.top(), inner.height(),
                             std::vector<int>(static_cast<std::size_t>(cells_.rows()), 1));
}

QRect GridRenderer::cellRect(GridCell cell, const QRect& bounds) const {
    if (!cells_.contains(cell)) return QRect();
    const std::vector<int> xs = columnEdges(bounds);
    const std::vector<int> ys = rowEdges(bounds);
    const auto col = static_cast<std::size_t>(cell.col);
    const auto row = static_cast<std::size_t>(cell.row);
    return QRect(QPoint(xs[col], ys[row]), QPoint(xs[col + 1] - 1, ys[row + 1] - 1));
}

std::optional<GridCell> GridRenderer::cellAt(QPoint point, const QRect& bounds) const {
    const std::vector<int> xs = columnEdges(bounds);
    const std::vector<int> ys = rowEdges(bounds);
    // The index of the last edge at or before the point, if inside the grid.
    const auto find = [](const std::vector<int>& edges, int at) -> int {
        if (at < edges.front() || at >= edges.back()) return -1;
        return static_cast<int>(std::upper_bound(edges.begin(), edges.end(), at) - edges.begin()) -
               1;
    };
    const int col = find(xs, point.x());
    const int row = find(ys, point.y());
    if (col < 0 || row < 0) return std::nullopt;
    return GridCell{row, col};
}

void GridRenderer::paint(QPainter& painter, const QRectF& bounds) const {
    const QRect area = bounds.toRect();
    painter.save();
    painter.fillRect(area, Qt::white);
    painter.setFont(font_);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const std::vector<int> xs = columnEdges(area);
    const std::vector<int> ys = rowEdges(area);
    for (int row = 0; row < cells_.rows(); ++row) {
        for (int col = 0; col < cells_.cols(); ++col) {
            const auto c = static_cast<std::size_t>(col);
            const auto r = static_cast<std::size_t>(row);
            const QRect rect(QPoint(xs[c], ys[r]), QPoint(xs[c + 1] - 1, ys[r + 1] - 1));
            if (!rect.isEmpty()) paintCell(painter, GridCell{row, col}, rect);
        }
    }
    paintSunkenBorder(painter, QRectF(area));
    painter.restore();
}

void GridRenderer::paintCell(QPainter& painter, GridCell cell, const QRect& rect) const {
    const bool fixed = cells_.isFixed(cell.row, cell.col);
    // Filled one-pixel strips rather than stroked lines: crisp at any scale.
    const auto strip = [&](int x, int y, int w, int h, const QColor& color) {
        painter.fillRect(QRect(x, y, w, h), color);
    };
    if (fixed) {
        painter.fillRect(rect, kHeaderFace);
        strip(rect.left(), rect.top(), rect.width(), 1, kHeaderLight);
        strip(rect.left(), rect.top(), 1, rect.height(), kHeaderLight);
        strip(rect.left(), rect.bottom(), rect.width(), 1, kHeaderShadow);
        strip(rect.right(), rect.top(), 1, rect.height(), kHeaderShadow);
    } else {
        strip(rect.left(), rect.bottom(), rect.width(), 1, kGridLine);
        strip(rect.right(), rect.top(), 1, rect.height(), kGridLine);
    }

    // Header blanks only widen their column; cell texts are shown as given.
    const QString& raw = cells_.text(cell.row, cell.col);
    const QString text = fixed ? raw.trimmed() : raw;
    const QRect textRect = rect.adjusted(kTextPadding, 0, -kTextPadding, 0);
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.setPen(Qt::black);
    painter.drawText(
        textRect, horizontalAlignment(cells_.alignment(cell.col), text, fixed) | Qt::AlignVCenter,
        text);
    if (focusCell_ == cell) {
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(rect.adjusted(1, 1, -2, -2));
    }
    painter.restore();
}

}  // namespace tamsor
