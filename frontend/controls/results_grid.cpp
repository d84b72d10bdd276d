#include "results_grid.h"

#include <algorithm>

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "grid_renderer.h"
#include "sunken_border.h"

namespace tamsor {
namespace {

constexpr int kDesignRows = 9;
constexpr int kDesignCols = 4;

// The grid is designed in MS Sans Serif 8.25 pt; where that face is missing
// the style hint falls back to the system's sans-serif.
QFont designFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

}  // namespace

ResultsGrid::ResultsGrid(QWidget* parent)
    : QWidget(parent),
      cells_(kDesignRows, kDesignCols),
      current_{GridCells::kFixedRows, GridCells::kFixedCols} {
    setFont(designFont());
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);  // the renderer fills every pixel
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ResultsGrid::setRows(int rows) {
    cells_.setRows(rows);
    setCurrentCell(current_);
    updateGeometry();
    update();
}

void ResultsGrid::setCols(int cols) {
    cells_.setCols(cols);
    setCurrentCell(current_);
    updateGeometry();
    update();
}

void ResultsGrid::setFormatString(const QString& format) {
    cells_.setFormatString(format);
    setCurrentCell(current_);
    updateGeometry();
    update();
}

void ResultsGrid::setTextArray(int index, const QString& text) {
    cells_.setTextArray(index, text);
    update();
}

QSize ResultsGrid::sizeHint() const {
    // Each column as wide as its header's characters, each row one line with
    // a little air: what the grid needs to show every text unclipped.
    const QFontMetrics metrics(font());
    int width = 2 * kSunkenBorderWidth;
    for (int col = 0; col < cols(); ++col)
        width +=
            cells_.widthShare(col) * metrics.averageCharWidth() + 2 * metrics.averageCharWidth();
    const int height = 2 * kSunkenBorderWidth + rows() * (metrics.height() + 6);
    return QSize(width, height);
}

QSize ResultsGrid::minimumSizeHint() const {
    // Enough to tell the cells apart; texts may be clipped.
    const QFontMetrics metrics(font());
    return QSize(2 * kSunkenBorderWidth + cols() * 2 * metrics.averageCharWidth(),
                 2 * kSunkenBorderWidth + rows() * (metrics.height() / 2 + 1));
}

void ResultsGrid::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const std::optional<GridCell> focus = hasFocus() ? std::optional(current_) : std::nullopt;
    GridRenderer(cells_, font(), focus).paint(painter, QRectF(rect()));
}

void ResultsGrid::keyPressEvent(QKeyEvent* event) {
    GridCell next = current_;
    switch (event->key()) {
        case Qt::Key_Left:
            --next.col;
            break;
        case Qt::Key_Right:
            ++next.col;
            break;
        case Qt::Key_Up:
            --next.row;
            break;
        case Qt::Key_Down:
            ++next.row;
            break;
        case Qt::Key_Home:
            next.col = 0;
            break;
        case Qt::Key_End:
            next.col = cols() - 1;
            break;
        case Qt::Key_PageUp:
            next.row = 0;
            break;
        case Qt::Key_PageDown:
            next.row = rows() - 1;
            break;
        default:
            QWidget::keyPressEvent(event);  // Tab and the rest go on to the window
            return;
    }
    setCurrentCell(next);
}

void ResultsGrid::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    const auto cell = GridRenderer(cells_, font()).cellAt(event->position().toPoint(), rect());
    if (cell && !cells_.isFixed(cell->row, cell->col)) setCurrentCell(*cell);
}

void ResultsGrid::setCurrentCell(GridCell cell) {
    const GridCell clamped = clampedToScrollable(cell);
    if (clamped == current_) return;
    current_ = clamped;
    update();
}

GridCell ResultsGrid::clampedToScrollable(GridCell cell) const {
    // A grid of header cells only has no scrollable cell; keep to the last.
    const auto clamp = [](int value, int first, int last) {
        return std::clamp(value, std::min(first, last), last);
    };
    return GridCell{clamp(cell.row, GridCells::kFixedRows, rows() - 1),
                    clamp(cell.col, GridCells::kFixedCols, cols() - 1)};
}

}  // namespace tamsor
