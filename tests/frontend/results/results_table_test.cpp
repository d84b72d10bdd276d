// SPDX-License-Identifier: GPL-3.0-or-later
// The results table: its headers and cells, read-only cells that the
// keyboard selects and Ctrl+C copies, and every cell readable by assistive
// tools.
#include "results/results_table.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QTest>

#include "results/results_loading.h"
#include "results_table_cells.h"

namespace tamsor {
namespace {

using testing::designCell;

// Two types of 5 and 10 isolators, mean loads 736.84 and 1017.75, largest
// loads 802.5 and 1250.25 in a file of loads with two decimals, pooled
// variance 4227.19.
ResultsModel twoTypes() {
    ResultsModel m;
    m.SetsReached = kMaxShownTypes;
    m.PartBound[1] = {1, 6, 16};
    m.PartMean[1] = {736.84f, 1017.75f};
    m.PartLargest[1] = {802.5f, 1250.25f};
    m.LoadDecimals = 2;
    m.SetVariance[1] = 1;
    m.SetVarianceMax = 4227.19f;
    m.SetVarianceReported[1] = 4227.19f;
    countIsolators(m);
    return m;
}

// A shown table with two types, as the main window shows them.
class ResultsTableTest : public ::testing::Test {
  protected:
    void SetUp() override {
        table.setShownTypes(2);
        table.resize(420, 240);
        table.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&table));
    }
    void clickCell(int row, int col, Qt::KeyboardModifiers modifiers = {}) {
        const QRect cell = table.visualRect(table.model()->index(row - 1, col - 1));
        QTest::mouseClick(table.viewport(), Qt::LeftButton, modifiers, cell.center());
    }
    QString copied() {
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(&table, Qt::Key_C, Qt::ControlModifier);
        return QGuiApplication::clipboard()->text();
    }

    const ResultsModel model = twoTypes();
    ResultsTable table{model};
};

TEST_F(ResultsTableTest, HeadersTitleTheColumnsAndTheTypesNumberTheRows) {
    EXPECT_EQ(table.model()->rowCount(), 8);
    EXPECT_EQ(table.model()->columnCount(), 4);
    EXPECT_EQ(designCell(table, 0, 0), "Partition");
    EXPECT_EQ(designCell(table, 0, 1), "Number");
    EXPECT_EQ(designCell(table, 0, 2), "Mean (kN)");
    EXPECT_EQ(designCell(table, 0, 3), "Largest (kN)");
    EXPECT_EQ(designCell(table, 0, 4), "Variance (kN\u00B2)");
    EXPECT_EQ(table.model()->index(0, 1).data(Qt::TextAlignmentRole).toInt(),
              Qt::AlignHCenter | Qt::AlignVCenter);

    EXPECT_EQ(designCell(table, 1, 0), " 1");
    EXPECT_EQ(designCell(table, 1, 4), " 4227.19");
    EXPECT_EQ(designCell(table, 2, 2), " 1017.75");
    // The design load with the data file's decimals, the loads' format.
    EXPECT_EQ(designCell(table, 1, 3), " 802.50");
    EXPECT_EQ(designCell(table, 2, 3), " 1250.25");
    EXPECT_EQ(designCell(table, 2, 4), "");
    EXPECT_EQ(designCell(table, 3, 0), "");  // no third type: no row number either
    EXPECT_EQ(designCell(table, 8, 3), "");
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
    EXPECT_EQ(table.currentIndex().row(), 1);
    EXPECT_EQ(table.currentIndex().column(), 2);
    clickCell(1, 1);
    clickCell(1, 4, Qt::ControlModifier);
    EXPECT_EQ(copied(), "5\t\t\t4227.19");
    clickCell(2, 2);
    clickCell(2, 3, Qt::ShiftModifier);
    EXPECT_EQ(copied(), "1017.75\t1250.25");
    table.clearSelection();
    EXPECT_EQ(copied(), "");
}

TEST_F(ResultsTableTest, EveryCellIsReadableThroughTheAccessibilityInterface) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&table);
    ASSERT_NE(accessible, nullptr);
    QAccessibleTableInterface* cells = accessible->tableInterface();
    ASSERT_NE(cells, nullptr);
    ASSERT_EQ(cells->rowCount(), 8);
    ASSERT_EQ(cells->columnCount(), 4);
    for (int row = 0; row < 8; ++row) {
        for (int col = 0; col < 4; ++col) {
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
    EXPECT_EQ(headers[0]->text(QAccessible::Name), "Mean (kN)");
    EXPECT_EQ(headers[1]->text(QAccessible::Name), " 2");
}

}  // namespace
}  // namespace tamsor
