// The results table: headers from the format string, cells by linear index,
// read-only cells that the keyboard selects and Ctrl+C copies, and every
// cell readable by assistive tools.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QTest>

#include "results_table_cells.h"
#include "widgets/results_table.h"

namespace tamsor {
namespace {

using testing::designCell;

const QString kResultsFormat = QStringLiteral("^ Partition|^ Number |^  Mean      |^ Variance  ");

// A shown table with partitions 1 and 2 filled in, as the results display does.
class ResultsTableTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* rows[2][4] = {{" 1", " 5", " 736.84", " 4227.19"},
                                  {" 2", " 10", " 1017.75", ""}};
        for (int row = 1; row <= 2; ++row)
            for (int col = 0; col < 4; ++col)
                table.setTextArray(row * table.cols() + col,
                                   QString::fromLatin1(rows[row - 1][col]));
        table.resize(420, 240);
        table.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&table));
    }
    void clickCell(int row, int col, Qt::KeyboardModifiers modifiers = {}) {
        const QRect cell = table.visualItemRect(table.item(row - 1, col - 1));
        QTest::mouseClick(table.viewport(), Qt::LeftButton, modifiers, cell.center());
    }
    QString copied() {
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(&table, Qt::Key_C, Qt::ControlModifier);
        return QGuiApplication::clipboard()->text();
    }

    ResultsTable table{9, kResultsFormat};
};

TEST_F(ResultsTableTest, HeadersComeFromTheFormatStringAndCellsFromTheLinearIndex) {
    EXPECT_EQ(table.rowCount(), 8);
    EXPECT_EQ(table.columnCount(), 3);
    EXPECT_EQ(table.cols(), 4);  // the header column counts, as designed
    EXPECT_EQ(designCell(table, 0, 0), "Partition");
    EXPECT_EQ(designCell(table, 0, 1), "Number");
    EXPECT_EQ(designCell(table, 0, 2), "Mean");
    EXPECT_EQ(designCell(table, 0, 3), "Variance");
    EXPECT_EQ(table.item(0, 1)->textAlignment(), Qt::AlignHCenter | Qt::AlignVCenter);

    // Index 4 is row 1, column 0: the header column; 35 the last cell.
    EXPECT_EQ(designCell(table, 1, 0), " 1");
    EXPECT_EQ(table.verticalHeaderItem(0)->text(), " 1");
    EXPECT_EQ(designCell(table, 2, 2), " 1017.75");
    table.setTextArray(35, QStringLiteral(" 9"));
    EXPECT_EQ(table.item(7, 2)->text(), " 9");
    EXPECT_EQ(designCell(table, 8, 0), "");  // no partition yet: no row number either
    table.setTextArray(0, QStringLiteral("Type"));
    EXPECT_EQ(table.cornerText(), "Type");
    // Indices outside the table change nothing.
    table.setTextArray(-1, QStringLiteral("x"));
    table.setTextArray(36, QStringLiteral("x"));
    EXPECT_EQ(designCell(table, 8, 3), " 9");
}

TEST_F(ResultsTableTest, CellsAreReadOnlyAndTheKeyboardSelectsAndCopiesThem) {
    clickCell(1, 1);
    QTest::keyClick(table.viewport(), Qt::Key_F2);
    QTest::keyClicks(&table, QStringLiteral("77"));
    QTest::keyClick(&table, Qt::Key_Return);
    EXPECT_EQ(designCell(table, 1, 1), " 5");

    clickCell(1, 1);
    QTest::keyClick(&table, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&table, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(copied(), "5\t736.84\n10\t1017.75");

    // Arrow keys move the current cell; cells between two selected ones copy empty.
    QTest::keyClick(&table, Qt::Key_Right);
    EXPECT_EQ(table.currentRow(), 1);
    EXPECT_EQ(table.currentColumn(), 2);
    clickCell(1, 1);
    clickCell(1, 3, Qt::ControlModifier);
    EXPECT_EQ(copied(), "5\t\t4227.19");
    table.clearSelection();
    EXPECT_EQ(copied(), "");
}

TEST_F(ResultsTableTest, EveryCellIsReadableThroughTheAccessibilityInterface) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&table);
    ASSERT_NE(accessible, nullptr);
    QAccessibleTableInterface* cells = accessible->tableInterface();
    ASSERT_NE(cells, nullptr);
    ASSERT_EQ(cells->rowCount(), 8);
    ASSERT_EQ(cells->columnCount(), 3);
    for (int row = 0; row < 8; ++row) {
        for (int col = 0; col < 3; ++col) {
            EXPECT_EQ(cells->cellAt(row, col)->text(QAccessible::Name),
                      designCell(table, row + 1, col + 1))
                << row << ", " << col;
        }
    }
    // Each cell names its column and its partition. Qt hands the header cells
    // to the caller; its cache takes them back.
    QAccessibleTableCellInterface* mean = cells->cellAt(1, 1)->tableCellInterface();
    ASSERT_NE(mean, nullptr);
    const QList<QAccessibleInterface*> headers = mean->columnHeaderCells() + mean->rowHeaderCells();
    for (QAccessibleInterface* header : headers)
        QAccessible::registerAccessibleInterface(header);
    ASSERT_EQ(headers.size(), 2);
    EXPECT_EQ(headers[0]->text(QAccessible::Name), "Mean");
    EXPECT_EQ(headers[1]->text(QAccessible::Name), " 2");
}

}  // namespace
}  // namespace tamsor
