#include "widgets/results_table.h"

#include <QAbstractButton>
#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QStyleOptionHeader>

#include "widgets/selected_cells.h"

namespace tamsor {
namespace {

// Reads and strips a field's leading alignment mark.
Qt::Alignment takeAlignment(QString& field) {
    Qt::Alignment alignment = Qt::AlignLeft;
    if (field.startsWith(QLatin1Char('^')))
        alignment = Qt::AlignHCenter;
    else if (field.startsWith(QLatin1Char('>')))
        alignment = Qt::AlignRight;
    if (alignment != Qt::AlignLeft || field.startsWith(QLatin1Char('<'))) field.remove(0, 1);
    return alignment | Qt::AlignVCenter;
}

}  // namespace

ResultsTable::ResultsTable(int designRows, const QString& format, QWidget* parent)
    : QTableWidget(parent) {
    // Designed in MS Sans Serif 8.25 pt; where that face is missing the style
    // hint falls back to the system's sans-serif.
    QFont designFont(QStringLiteral("MS Sans Serif"));
    designFont.setPointSizeF(8.25);
    designFont.setStyleHint(QFont::SansSerif);
    setFont(designFont);

    const QStringList fields = format.split(QLatin1Char('|'));
    setRowCount(designRows - 1);
    setColumnCount(static_cast<int>(fields.size()) - 1);
    for (int col = 0; col < fields.size(); ++col) {
        QString text = fields[col];
        const Qt::Alignment alignment = takeAlignment(text);
        if (col == 0) cornerText_ = text.trimmed();
        if (col > 0) setHorizontalHeaderItem(col - 1, new QTableWidgetItem(text.trimmed()));
        for (int row = 0; row < rowCount(); ++row) {
            auto* cell = new QTableWidgetItem;
            cell->setTextAlignment(alignment);
            cell->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            if (col == 0)
                setVerticalHeaderItem(row, cell);  // empty until a partition is shown
            else
                setItem(row, col - 1, cell);
        }
    }
    setEditTriggers(NoEditTriggers);
    setTabKeyNavigation(false);  // Tab moves on to the next control
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    // The header column is as wide as the corner's title and a header's margins.
    verticalHeader()->setMinimumWidth(fontMetrics().horizontalAdvance(cornerText_) + 12);

    // Qt's corner button draws an empty header section; this one shows the
    // header column's title.
    corner_ = findChild<QAbstractButton*>();
    corner_->installEventFilter(this);
}

void ResultsTable::setTextArray(int index, const QString& text) {
    const int row = index / cols();
    const int col = index % cols();
    if (index < 0 || row > rowCount()) return;
    if (row == 0 && col == 0) {
        cornerText_ = text;
        corner_->update();
    } else if (row == 0) {
        horizontalHeaderItem(col - 1)->setText(text);
    } else if (col == 0) {
        verticalHeaderItem(row - 1)->setText(text);
    } else {
        item(row - 1, col - 1)->setText(text);
    }
}

QString ResultsTable::selectedText() const {
    return selectedCellsText(*this);
}

void ResultsTable::keyPressEvent(QKeyEvent* event) {
    if (!copySelectedCells(*this, event)) QTableWidget::keyPressEvent(event);
}

bool ResultsTable::eventFilter(QObject* watched, QEvent* event) {
    if (watched != corner_ || event->type() != QEvent::Paint)
        return QTableWidget::eventFilter(watched, event);
    QStyleOptionHeader option;
    option.initFrom(corner_);
    option.rect = corner_->rect();
    option.text = cornerText_;
    option.textAlignment = Qt::AlignCenter;
    option.position = QStyleOptionHeader::OnlyOneSection;
    QPainter painter(corner_);
    corner_->style()->drawControl(QStyle::CE_Header, &option, &painter, corner_);
    return true;
}

}  // namespace tamsor
