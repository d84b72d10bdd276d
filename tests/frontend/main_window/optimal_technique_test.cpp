// SPDX-License-Identifier: GPL-3.0-or-later
// The main window with "Optimal" chosen, driven as a user would with the
// real files: it calculates in-process, shows the best grouping through the
// same table, plots and schedule as the classic techniques, and is reached
// from the keyboard.
#include <gtest/gtest.h>

#include <filesystem>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include "main_window_fixture.h"

namespace {

namespace fs = std::filesystem;
using tamsor::testing::MainWindow;

class OptimalTechnique : public MainWindow {};

TEST_F(OptimalTechnique, SitsBelowMethod2InTheGrownFrameAboveTheVariancePlot) {
    auto* frame = control<QWidget>("Frame1");
    const QWidget* options[] = {control<QWidget>("Option1_0"), control<QWidget>("Option1_1"),
                                control<QWidget>("Option1_2")};
    EXPECT_EQ(options[2]->parentWidget(), frame);
    EXPECT_EQ(options[2]->x(), options[1]->x());
    EXPECT_NEAR(options[2]->y() - options[1]->y(), options[1]->y() - options[0]->y(), 1);
    EXPECT_TRUE(frame->contentsRect().contains(options[2]->geometry()));
    // The variance plot starts below the frame and ends above the table.
    const QRect plot = control<QWidget>("Picture2")->geometry();
    EXPECT_GT(plot.top(), frame->geometry().bottom());
    EXPECT_LT(plot.bottom(), control<QWidget>("MSFlexGrid1")->geometry().top());
}

TEST_F(OptimalTechnique, ShowsTheBestGroupingAndSwitchesWithTheClassicTechniques) {
    // Chosen before a file: only the selection moves.
    click("Option1_2");
    EXPECT_TRUE(control<QRadioButton>("Option1_2")->isChecked());
    EXPECT_FALSE(control<QRadioButton>("Option1_0")->isChecked());
    EXPECT_EQ(control<QRadioButton>("Option1_2")->text(), "Optimal");
    EXPECT_FALSE(model_.hasResults());

    const QString path = copyExample("OFFICE5.DAT");
    open(path);
    click("Command1");
    EXPECT_TRUE(services_.messages.isEmpty()) << services_.details.join('\n').toStdString();
    EXPECT_EQ(model_.MethodFlag, tamsor::TechniqueId::kOptimal);
    EXPECT_EQ(engine_.calculations(), 0);  // in-process, not the classic engine
    EXPECT_TRUE(fs::exists(folder_.file("OFFICE5.out")));
    EXPECT_TRUE(fs::exists(folder_.file("OFFICE5.plt")));

    // Five types, whose pooled variance tamsor-batch --compare gives as the
    // optimum, 4265.10. The report's first positions 1 5 17 21 24 25 give
    // 4, 12, 4, 3 and 1 isolators; of the sorted loads, the first four
    // (1079.6 + 1104.9 + 1146.2 + 1146.4) / 4 = 1119.275 and the fourth type
    // (3312.9 + 3357.2 + 3375.7) / 3 = 3348.6; the last is 3611.3 alone.
    scrollTo(5);
    const char* const counts[] = {" 4", " 12", " 4", " 3", " 1"};
    for (int row = 1; row <= 5; ++row)
        EXPECT_EQ(cell(row, 1), counts[row - 1]) << row;
    EXPECT_EQ(cell(1, 2), " 1119.28");
    EXPECT_EQ(cell(4, 2), " 3348.60");
    EXPECT_EQ(cell(5, 2), " 3611.30");
    EXPECT_EQ(cell(1, 4), " 4265.10");

    // Method2 recalculates with the classic engine and stays 491 % above the
    // optimum at five types; back on Optimal the optimum returns.
    click("Option1_1");
    EXPECT_EQ(engine_.calculations(), 1);
    EXPECT_EQ(model_.MethodFlag, tamsor::TechniqueId::kMethod2);
    EXPECT_EQ(cell(1, 4), " 25219.11");
    click("Option1_2");
    EXPECT_EQ(engine_.calculations(), 1);
    EXPECT_EQ(model_.MethodFlag, tamsor::TechniqueId::kOptimal);
    EXPECT_EQ(cell(1, 4), " 4265.10");
    EXPECT_EQ(cell(2, 1), " 12");
    EXPECT_TRUE(services_.messages.isEmpty());

    // The schedule names the technique and follows the table.
    control<QAction>("Schedule_menu")->trigger();
    auto* schedule = window_->findChild<QWidget*>(QStringLiteral("ScheduleWindow"));
    ASSERT_NE(schedule, nullptr);
    EXPECT_EQ(schedule->findChild<QLabel*>(QStringLiteral("Technique"))->text(), "Optimal");
    schedule->close();

    // A building on which Method 1 empties a type completes with Optimal.
    open(dataFile("outlier.DAT", "100\n100\n100\n100\n100\n100\n100\n100\n100\n100\n1000\n"));
    click("Command1");
    EXPECT_TRUE(services_.messages.isEmpty()) << services_.details.join('\n').toStdString();
    EXPECT_EQ(cell(5, 1), " 1");
    EXPECT_TRUE(runControlsEnabled());
}

TEST_F(OptimalTechnique, IsReachedFromTheKeyboard) {
    open(copyExample("MUSEUM.DAT"));
    const auto focused = [] { return QApplication::focusWidget(); };
    // Tab from Calculate enters the techniques at the one chosen.
    control<QWidget>("Command1")->setFocus();
    QTest::keyClick(focused(), Qt::Key_Tab);
    ASSERT_EQ(focused(), control<QWidget>("Option1_0"));

    // The arrow keys move among the three and choose, each recalculating.
    QTest::keyClick(focused(), Qt::Key_Down);
    EXPECT_EQ(focused(), control<QWidget>("Option1_1"));
    EXPECT_EQ(model_.MethodFlag, tamsor::TechniqueId::kMethod2);
    QTest::keyClick(focused(), Qt::Key_Down);
    EXPECT_EQ(focused(), control<QWidget>("Option1_2"));
    EXPECT_TRUE(control<QRadioButton>("Option1_2")->isChecked());
    EXPECT_EQ(model_.MethodFlag, tamsor::TechniqueId::kOptimal);
    EXPECT_EQ(cell(1, 1), " 36");
    EXPECT_EQ(engine_.calculations(), 1);

    // The three are one tab stop: Tab leaves them for the load plot's Zoom,
    // and Shift+Tab comes back to the technique chosen.
    QTest::keyClick(focused(), Qt::Key_Tab);
    EXPECT_EQ(focused(), control<QWidget>("Command2"));
    QTest::keyClick(focused(), Qt::Key_Backtab);
    EXPECT_EQ(focused(), control<QWidget>("Option1_2"));

    // One chosen with the mouse is where Tab enters next.
    click("Option1_1");
    control<QWidget>("Command1")->setFocus();
    QTest::keyClick(focused(), Qt::Key_Tab);
    EXPECT_EQ(focused(), control<QWidget>("Option1_1"));
    EXPECT_TRUE(services_.messages.isEmpty());
}

}  // namespace
