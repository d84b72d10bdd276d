// The contents of the results grid: its size, the cell texts, and per column
// the alignment and the width share. Row 0 and column 0 are the fixed header
// cells. Cells are addressed by (row, column) or by the linear index
// row * cols + column.
#ifndef TAMSOR_GRID_CELLS_H
#define TAMSOR_GRID_CELLS_H

#include <vector>

#include <QString>

#include "grid_format.h"

namespace tamsor {

struct GridCell {
    int row = 0;
    int col = 0;

    friend bool operator==(const GridCell&, const GridCell&) = default;
};

class GridCells {
  public:
    static constexpr int kFixedRows = 1;
    static constexpr int kFixedCols = 1;
    // Bounds the memory a mistaken size can take.
    static constexpr int kMaxCells = 1'000'000;

    GridCells(int rows, int cols);

    int rows() const { return rows_; }
    int cols() const { return cols_; }
    // Resizing keeps the texts of the cells that remain. A size below one, or
    // more than kMaxCells cells, throws RuntimeError (kControlFailure).
    void setRows(int rows);
    void setCols(int cols);

    // Sets the column count to the number of fields, the texts of row 0 and
    // each column's alignment and width share.
    void setFormatString(const QString& format);
    const QString& formatString() const { return format_; }

    // An index outside 0 .. rows*cols - 1, or a row or column outside the
    // grid, throws RuntimeError (kSubscriptOutOfRange).
    void setTextArray(int index, const QString& text);
    const QString& textArray(int index) const;
    void setText(int row, int col, const QString& text);
    const QString& text(int row, int col) const;

    bool contains(GridCell cell) const {
        return cell.row >= 0 && cell.row < rows_ && cell.col >= 0 && cell.col < cols_;
    }
    bool isFixed(int row, int col) const { return row < kFixedRows || col < kFixedCols; }
    GridAlignment alignment(int col) const;
    // Relative width of a column: the length of its header as formatted.
    int widthShare(int col) const;

  private:
    void resize(int rows, int cols);
    int checkedIndex(int row, int col) const;

    int rows_ = 0;
    int cols_ = 0;
    std::vector<QString> texts_;  // row-major
    QString format_;
    std::vector<GridColumnFormat> columnFormats_;  // may be shorter than cols_
};

}  // namespace tamsor

#endif
