// SPDX-License-Identifier: GPL-3.0-or-later
// A read-only table view: Ctrl+C copies the selected cells as tab-separated
// lines, the form a spreadsheet takes from the clipboard; Tab moves on to
// the next control; and the corner above the row headers can carry their
// title, where Qt's corner button shows an empty header section.
#ifndef TAMSOR_TABLE_VIEW_H
#define TAMSOR_TABLE_VIEW_H

#include <QString>
#include <QTableView>

namespace tamsor {

class TableView : public QTableView {
    Q_OBJECT

  public:
    explicit TableView(QWidget* parent = nullptr);

    void setCornerTitle(const QString& title);
    QString cornerTitle() const { return cornerTitle_; }

    // The selected cells in the order the view shows them, from the top-left
    // to the bottom-right selected cell; cells between them that are not
    // selected stay empty, and the blanks around a text (the sign blank
    // before a number) are left out.
    QString selectedText() const;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* corner_ = nullptr;
    QString cornerTitle_;
};

}  // namespace tamsor

#endif
