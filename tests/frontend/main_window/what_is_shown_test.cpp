// SPDX-License-Identifier: GPL-3.0-or-later
// What the main window shows always belongs to the file named in its caption
// and the technique ticked: captions, clearing, the groupings a stopped run
// reached, the types label, the load unit and the design load column.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include "main_window_fixture.h"
#include "schedule_window/schedule_window.h"
#include "widgets/canvas.h"

namespace {

using tamsor::testing::MainWindow;

class WhatIsShown : public MainWindow {
  protected:
    tamsor::ScheduleWindow* scheduleWindow() {
        return window_->findChild<tamsor::ScheduleWindow*>(QStringLiteral("ScheduleWindow"));
    }
    const tamsor::CanvasScene& loadPlot() { return control<tamsor::Canvas>("Picture1")->scene(); }
    std::size_t typeStarts() {
        std::size_t starts = 0;
        for (const auto& segment : loadPlot().segments())
            starts += segment.color == Qt::blue && !segment.dashed;
        return starts;
    }
};

TEST_F(WhatIsShown, NothingOfAnotherFileStaysAndTheCaptionsNameTheFile) {
    EXPECT_EQ(window_->windowTitle(), "TAMSOR");
    open(copyExample("MUSEUM.DAT"));
    EXPECT_EQ(window_->windowTitle(), "TAMSOR \u2013 MUSEUM.DAT");
    EXPECT_FALSE(zoomEnabled());  // nothing calculated yet
    click("Command1");
    scrollTo(4);
    control<QAction>("Schedule_menu")->trigger();
    ASSERT_NE(scheduleWindow(), nullptr);
    EXPECT_EQ(scheduleWindow()->windowTitle(), "Isolator Schedule \u2013 MUSEUM.DAT");
    EXPECT_EQ(typeStarts(), 4u);

    // Another file: its name everywhere, and nothing of the first shown.
    open(copyExample("LABS.DAT"));
    EXPECT_EQ(window_->windowTitle(), "TAMSOR \u2013 LABS.DAT");
    EXPECT_EQ(scheduleWindow()->windowTitle(), "Isolator Schedule \u2013 LABS.DAT");
    EXPECT_EQ(cell(1, 1), "");
    EXPECT_TRUE(loadPlot().segments().empty());
    EXPECT_TRUE(control<tamsor::Canvas>("Picture2")->scene().segments().empty());
    EXPECT_FALSE(zoomEnabled());
    EXPECT_TRUE(runControlsEnabled());
    EXPECT_TRUE(scheduleWindow()
                    ->findChild<QLabel*>(QStringLiteral("Note"))
                    ->isVisibleTo(scheduleWindow()));
    EXPECT_EQ(window_->shownTypes(), 0);

    click("Command1");
    EXPECT_EQ(cell(4, 0), " 4");  // the scroll bar stays where the user left it
    EXPECT_TRUE(zoomEnabled());
    EXPECT_EQ(control<QLabel>("TypesShown")->text(), "4 isolator types");
    scrollTo(1);
    EXPECT_EQ(control<QLabel>("TypesShown")->text(), "1 isolator type");
}

// OFFICE5 under Method 1: the equal load ranges empty a type at 5 types.
TEST_F(WhatIsShown, AStoppedRunShowsTheGroupingsItReachedAndAnotherTechniqueCalculatesAtOnce) {
    open(copyExample("OFFICE5.DAT"));
    scrollTo(3);
    click("Command1");
    ASSERT_EQ(services_.messages, QStringList{"Cannot calculate optimum solution"});
    EXPECT_TRUE(services_.details.last().startsWith(
        "Method 1 found groupings for 1 to 4 isolator types; they are shown."))
        << services_.details.last().toStdString();
    EXPECT_TRUE(zoomEnabled());
    EXPECT_EQ(cell(3, 0), " 3");
    int isolators = 0;
    for (int row = 1; row <= 3; ++row)
        isolators += cell(row, 1).toInt();
    EXPECT_EQ(isolators, 24);
    EXPECT_EQ(typeStarts(), 3u);
    scrollTo(4);
    EXPECT_EQ(cell(4, 0), " 4");
    // A count not reached: an empty table and the loads without types, and
    // the schedule says why it is empty.
    control<QAction>("Schedule_menu")->trigger();
    scrollTo(5);
    EXPECT_EQ(cell(1, 0), "");
    EXPECT_EQ(typeStarts(), 0u);
    EXPECT_FALSE(loadPlot().segments().empty());
    EXPECT_TRUE(scheduleWindow()
                    ->findChild<QLabel*>(QStringLiteral("Note"))
                    ->text()
                    .startsWith("Method 1 found no grouping for 5 isolator types"));

    click("Option1_2");
    EXPECT_EQ(services_.messages.size(), 1);
    EXPECT_EQ(model_.MethodFlag, tamsor::TechniqueId::kOptimal);
    EXPECT_EQ(cell(5, 0), " 5");
    EXPECT_EQ(typeStarts(), 5u);
}

TEST_F(WhatIsShown, TheTechniqueAndTheLoadUnitAreRemembered) {
    click("Option1_2");
    control<QAction>("Unit_menu_kip")->trigger();
    open(copyExample("MUSEUM.DAT"));
    click("Command1");
    EXPECT_EQ(cell(0, 2), "Mean (kip)");
    EXPECT_EQ(cell(0, 4), "Variance (kip\u00B2)");
    control<QAction>("Unit_menu_none")->trigger();
    EXPECT_EQ(cell(0, 3), "Largest");
    EXPECT_EQ(cell(1, 1), " 36");  // only the label changes
    control<QAction>("Unit_menu_tf")->trigger();

    tamsor::ResultsModel model;
    tamsor::MainWindow later(model, engine_, services_);
    EXPECT_TRUE(later.findChild<QRadioButton*>(QStringLiteral("Option1_2"))->isChecked());
    EXPECT_TRUE(later.findChild<QAction*>(QStringLiteral("Unit_menu_tf"))->isChecked());
    EXPECT_EQ(model.LoadUnit, "tf");
}

// MUSEUM's heaviest isolator carries 1844.9 kN: the design load of its one
// type, in the data file's decimals, shown and copied beside the mean.
TEST_F(WhatIsShown, TheLargestLoadOfEachTypeIsItsDesignLoad) {
    open(copyExample("MUSEUM.DAT"));
    click("Command1");
    EXPECT_EQ(cell(1, 3), " 1844.9");
    scrollTo(2);
    EXPECT_EQ(cell(2, 3), " 1844.9");
    EXPECT_LT(cell(1, 3).toDouble(), cell(2, 2).toDouble());  // below the heavier type's mean
    auto* table = control<QWidget>("MSFlexGrid1");
    table->setFocus();
    QTest::keyClick(table, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = QApplication::clipboard()->text().split('\n');
    EXPECT_TRUE(
        lines[1].startsWith(cell(2, 1).trimmed() + '\t' + cell(2, 2).trimmed() + "\t1844.9"))
        << lines[1].toStdString();
}

}  // namespace
