// The results table: a read-only table whose header row and header column
// stand for the grid's fixed row 0 and fixed column 0 as designed. Cells are
// addressed by the designed linear index row x cols() + column, the headers
// counted: row 0 is the header row, column 0 the header column, and cell
// (0, 0) the corner. Ctrl+C copies the selected cells.
#ifndef TAMSOR_RESULTS_TABLE_H
#define TAMSOR_RESULTS_TABLE_H

#include <QString>
#include <QTableWidget>

namespace tamsor {

class ResultsTable : public QTableWidget {
    Q_OBJECT

  public:
    // `designRows` counts the header row. `format` holds the "|"-separated
    // texts of row 0, each led by an alignment mark for its column ('<' left,
    // '^' centred, '>' right); blanks around a text only widened the column.
    ResultsTable(int designRows, const QString& format, QWidget* parent = nullptr);

    // The column count as designed: the header column and the cell columns.
    int cols() const { return columnCount() + 1; }
    // Sets the text of the cell or header at `index`; an index outside the
    // table changes nothing.
    void setTextArray(int index, const QString& text);
    QString cornerText() const { return cornerText_; }

    // The selected cells as tab-separated lines, from the top-left to the
    // bottom-right selected cell; cells between them that are not selected
    // stay empty, and the sign blank before a number is left out.
    QString selectedText() const;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* corner_ = nullptr;
    QString cornerText_;
};

}  // namespace tamsor

#endif
