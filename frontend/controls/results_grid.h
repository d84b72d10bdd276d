// The results table: a read-only grid of texts with one fixed header row and
// one fixed header column, header texts and column alignments from a format
// string, and cells addressed by linear index (row * cols + column).
#ifndef TAMSOR_RESULTS_GRID_H
#define TAMSOR_RESULTS_GRID_H

#include <QString>
#include <QWidget>

#include "grid_cells.h"

namespace tamsor {

class ResultsGrid : public QWidget {
    Q_OBJECT

  public:
    explicit ResultsGrid(QWidget* parent = nullptr);

    const GridCells& cells() const { return cells_; }

    int rows() const { return cells_.rows(); }
    int cols() const { return cells_.cols(); }
    // A size below one throws RuntimeError (kControlFailure).
    void setRows(int rows);
    void setCols(int cols);

    // "|"-separated header texts of row 0, each optionally led by '<', '^'
    // or '>' to align its column; also sets the column count.
    void setFormatString(const QString& format);
    QString formatString() const { return cells_.formatString(); }

    // An index outside 0 .. rows*cols - 1 (or a cell outside the grid)
    // throws RuntimeError (kSubscriptOutOfRange).
    void setTextArray(int index, const QString& text);
    QString textArray(int index) const { return cells_.textArray(index); }
    QString text(int row, int col) const { return cells_.text(row, col); }

    // The cell that the arrow keys and clicks move, among the non-fixed cells.
    GridCell currentCell() const { return current_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void setCurrentCell(GridCell cell);
    GridCell clampedToScrollable(GridCell cell) const;

    GridCells cells_;
    GridCell current_;
};

}  // namespace tamsor

#endif
