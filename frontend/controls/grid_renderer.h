// Geometry and painting of the results grid: columns share the width in
// proportion to their headers, rows share the height; header cells are grey
// and raised, the others white with grid lines.
#ifndef TAMSOR_GRID_RENDERER_H
#define TAMSOR_GRID_RENDERER_H

#include <optional>
#include <vector>

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QRectF>

#include "grid_cells.h"

class QPainter;

namespace tamsor {

class GridRenderer {
  public:
    // `cells` must outlive the renderer. `focusCell`, when given, is marked
    // as the cell that has the keyboard focus.
    GridRenderer(const GridCells& cells, const QFont& font,
                 std::optional<GridCell> focusCell = std::nullopt);

    // Cell boundaries inside the border of a grid occupying `bounds`: the
    // left edge of each column, then the right edge of the last (cols + 1
    // values); likewise the top edges of the rows and the bottom of the last.
    std::vector<int> columnEdges(const QRect& bounds) const;
    std::vector<int> rowEdges(const QRect& bounds) const;
    // An empty rectangle for a cell outside the grid.
    QRect cellRect(GridCell cell, const QRect& bounds) const;
    std::optional<GridCell> cellAt(QPoint point, const QRect& bounds) const;

    void paint(QPainter& painter, const QRectF& bounds) const;

  private:
    void paintCell(QPainter& painter, GridCell cell, const QRect& rect) const;

    const GridCells& cells_;
    QFont font_;
    std::optional<GridCell> focusCell_;
};

}  // namespace tamsor

#endif
