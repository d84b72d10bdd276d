// The results grid: format string, linear cell indexing and its bounds, the
// column widths, the look of header and body cells, and keyboard and mouse.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

#include "grid_format.h"
#include "grid_renderer.h"
#include "results_grid.h"
#include "runtime/runtime_error.h"

namespace tamsor {
namespace {

const QString kResultsFormat = QStringLiteral("^ Partition|^ Number |^  Mean      |^ Variance  ");

template <typename Operation>
void expectRefused(Operation operation, RuntimeErrorKind kind) {
    try {
        operation();
        ADD_FAILURE() << "operation was not refused";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.kind(), kind);
    }
}

TEST(GridFormat, SplitsFieldsAndReadsAlignmentMarks) {
    using A = GridAlignment;
    struct Case {
        QString format;
        std::vector<GridColumnFormat> columns;
    };
    const Case cases[] = {
        {kResultsFormat,
         {{" Partition", A::kCenter},
          {" Number ", A::kCenter},
          {"  Mean      ", A::kCenter},
          {" Variance  ", A::kCenter}}},
        {"<Left|>Right|Plain", {{"Left", A::kLeft}, {"Right", A::kRight}, {"Plain", A::kGeneral}}},
        {"a||^", {{"a", A::kGeneral}, {"", A::kGeneral}, {"", A::kCenter}}},
        {"^^x", {{"^x", A::kCenter}}},  // only the first character is a mark
        {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format.toStdString());
        EXPECT_EQ(parseGridFormat(c.format), c.columns);
    }
}

TEST(ResultsGrid, FormatStringGivesHeadersAlignmentsAndColumnCount) {
    ResultsGrid grid;
    EXPECT_EQ(grid.rows(), 9);
    EXPECT_EQ(grid.cols(), 4);
    grid.setTextArray(5, QStringLiteral("kept"));

    grid.setFormatString(QStringLiteral("^A|<B|>C|D|E"));
    EXPECT_EQ(grid.cols(), 5);
    EXPECT_EQ(grid.text(0, 4), QStringLiteral("E"));
    EXPECT_EQ(grid.text(1, 1), QStringLiteral("kept"));  // the cell, not the index, is kept
    EXPECT_EQ(grid.cells().alignment(1), GridAlignment::kLeft);

    grid.setFormatString(kResultsFormat);
    EXPECT_EQ(grid.cols(), 4);
    EXPECT_EQ(grid.rows(), 9);
    EXPECT_EQ(grid.text(0, 0), QStringLiteral(" Partition"));
    EXPECT_EQ(grid.text(0, 2), QStringLiteral("  Mean      "));
    for (int col = 0; col < 4; ++col)
        EXPECT_EQ(grid.cells().alignment(col), GridAlignment::kCenter);
}

TEST(ResultsGrid, CellsAreAddressedByRowTimesColsPlusColumn) {
    ResultsGrid grid;
    grid.setFormatString(kResultsFormat);
    grid.setTextArray(1 * 4 + 0, QStringLiteral(" 1"));
    grid.setTextArray(8 * 4 + 3, QStringLiteral(" 2101.7"));
    EXPECT_EQ(grid.text(1, 0), QStringLiteral(" 1"));
    EXPECT_EQ(grid.text(8, 3), QStringLiteral(" 2101.7"));
    EXPECT_EQ(grid.textArray(35), QStringLiteral(" 2101.7"));
    EXPECT_EQ(grid.textArray(1), QStringLiteral(" Number "));  // row 0 too

    grid.setTextArray(4, QString());
    EXPECT_TRUE(grid.text(1, 0).isEmpty());

    // Growing the grid keeps each text in its cell.
    grid.setRows(12);
    EXPECT_EQ(grid.text(8, 3), QStringLiteral(" 2101.7"));
    EXPECT_EQ(grid.textArray(47), QString());
}

TEST(ResultsGrid, RefusesIndicesOutsideTheGridAndSizesBelowOne) {
    ResultsGrid grid;
    const auto outOfRange = RuntimeErrorKind::kSubscriptOutOfRange;
    expectRefused([&] { grid.setTextArray(-1, QStringLiteral("x")); }, outOfRange);
    expectRefused([&] { grid.setTextArray(36, QStringLiteral("x")); }, outOfRange);
    expectRefused([&] { grid.textArray(36); }, outOfRange);
    expectRefused([&] { grid.text(9, 0); }, outOfRange);
    expectRefused([&] { grid.text(0, -1); }, outOfRange);
    EXPECT_NO_THROW(grid.setTextArray(35, QStringLiteral("last")));

    expectRefused([&] { grid.setRows(0); }, RuntimeErrorKind::kControlFailure);
    expectRefused([&] { grid.setCols(-3); }, RuntimeErrorKind::kControlFailure);
    expectRefused([&] { grid.setRows(1 << 30); }, RuntimeErrorKind::kControlFailure);
    EXPECT_EQ(grid.rows(), 9);
    EXPECT_EQ(grid.textArray(35), QStringLiteral("last"));
}

TEST(ResultsGrid, ColumnsShareTheWidthByHeaderLengthAndRowsTheHeight) {
    ResultsGrid grid;
    grid.setFormatString(kResultsFormat);  // headers of 10, 8, 12 and 11 characters
    const GridRenderer renderer(grid.cells(), grid.font());
    const QRect bounds(0, 0, 414, 184);  // 410 x 180 inside the border
    const std::vector<int> xs = renderer.columnEdges(bounds);
    EXPECT_EQ(xs, (std::vector<int>{2, 102, 182, 302, 412}));
    const std::vector<int> ys = renderer.rowEdges(bounds);
    ASSERT_EQ(ys.size(), 10u);
    EXPECT_EQ(ys.front(), 2);
    EXPECT_EQ(ys.back(), 182);
    for (std::size_t row = 0; row + 1 < ys.size(); ++row)
        EXPECT_EQ(ys[row + 1] - ys[row], 20);

    EXPECT_EQ(renderer.cellAt(QPoint(250, 30), bounds), (GridCell{1, 2}));
    EXPECT_EQ(renderer.cellAt(QPoint(1, 30), bounds), std::nullopt);  // on the border
}

TEST(ResultsGrid, HeadersAreGreyAndCentredBodyCellsWhite) {
    ResultsGrid grid;
    grid.setFormatString(kResultsFormat);
    grid.resize(414, 184);
    const QImage image = grid.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(image.size(), QSize(414, 184));  // at ratio 1 pixels are widget coordinates

    const GridRenderer renderer(grid.cells(), grid.font());
    const QRect header = renderer.cellRect({0, 1}, grid.rect());
    const QRect body = renderer.cellRect({4, 2}, grid.rect());
    const QColor headerFace = image.pixelColor(header.left() + 2, header.top() + 2);
    EXPECT_EQ(headerFace.red(), headerFace.blue());
    EXPECT_LT(headerFace.lightness(), 240);
    EXPECT_GT(headerFace.lightness(), 160);
    EXPECT_EQ(image.pixelColor(body.center()), QColor(Qt::white));

    // The ink of " Number " sits in the middle of its cell, blanks ignored.
    int inkLeft = header.right(), inkRight = header.left();
    for (int y = header.top() + 2; y < header.bottom() - 1; ++y)
        for (int x = header.left() + 2; x < header.right() - 1; ++x)
            if (image.pixelColor(x, y).lightness() < 100) {
                inkLeft = std::min(inkLeft, x);
                inkRight = std::max(inkRight, x);
            }
    ASSERT_LT(inkLeft, inkRight) << "no header text drawn";
    EXPECT_NEAR((inkLeft + inkRight) / 2.0, header.center().x(), 2.0);
}

TEST(ResultsGrid, ArrowKeysAndClicksMoveTheCurrentCellAmongBodyCells) {
    ResultsGrid grid;
    grid.setFormatString(kResultsFormat);
    grid.resize(414, 184);
    EXPECT_EQ(grid.currentCell(), (GridCell{1, 1}));

    QTest::keyClick(&grid, Qt::Key_Right);
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(grid.currentCell(), (GridCell{2, 2}));
    QTest::keyClick(&grid, Qt::Key_Home);  // not into the header column
    QTest::keyClick(&grid, Qt::Key_Up);
    QTest::keyClick(&grid, Qt::Key_Up);
    EXPECT_EQ(grid.currentCell(), (GridCell{1, 1}));
    QTest::keyClick(&grid, Qt::Key_PageDown);
    QTest::keyClick(&grid, Qt::Key_End);
    EXPECT_EQ(grid.currentCell(), (GridCell{8, 3}));

    const GridRenderer renderer(grid.cells(), grid.font());
    QTest::mouseClick(&grid, Qt::LeftButton, {}, renderer.cellRect({3, 2}, grid.rect()).center());
    EXPECT_EQ(grid.currentCell(), (GridCell{3, 2}));
    QTest::mouseClick(&grid, Qt::LeftButton, {}, renderer.cellRect({0, 3}, grid.rect()).center());
    EXPECT_EQ(grid.currentCell(), (GridCell{3, 2}));  // headers are not selectable

    grid.setRows(3);  // the current cell follows a shrinking grid
    EXPECT_EQ(grid.currentCell(), (GridCell{2, 2}));
}

}  // namespace
}  // namespace tamsor
