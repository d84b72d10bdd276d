// SPDX-License-Identifier: GPL-3.0-or-later
// The main window driven as a user would — menu, technique, Calculate,
// scroll bar, Zoom — against the real engine library and real files.
#include "main_window/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "chart_window/chart_window.h"
#include "charts/chart_widget.h"
#include "main_window_fixture.h"
#include "results/results_model.h"
#include "run/engine_binding.h"
#include "widgets/canvas.h"

namespace {

using tamsor::testing::MainWindow;
using tamsor::testing::ScriptedDesktopServices;

TEST_F(MainWindow, StartsMaximisedWithTheRunControlsDisabled) {
    EXPECT_EQ(window_->windowTitle(), "TAMSOR");
    EXPECT_TRUE(window_->windowState() & Qt::WindowMaximized);
    EXPECT_FALSE(runControlsEnabled());
    EXPECT_TRUE(control<QRadioButton>("Option1_0")->isChecked());
    EXPECT_FALSE(control<QRadioButton>("Option1_1")->isChecked());
    EXPECT_EQ(control<QRadioButton>("Option1_1")->text(), "Method2");
    EXPECT_EQ(control<QGroupBox>("Frame1")->title(), "Solution Technique:");
    EXPECT_EQ(control<QPushButton>("Command1")->text(), "Calculate");
    EXPECT_EQ(control<QPushButton>("Command2")->text(), "Zoom");
    EXPECT_EQ(control<QLabel>("Label1")->text(), "No. of Partitions:");
    auto* scroll = control<QScrollBar>("HScroll1");
    EXPECT_EQ(scroll->minimum(), 1);
    EXPECT_EQ(scroll->maximum(), 8);
    EXPECT_EQ(scroll->value(), 1);
    EXPECT_EQ(cell(0, 0), "Partition");
    EXPECT_EQ(cell(0, 1), "Number");
    EXPECT_EQ(cell(0, 2), "Mean (kN)");
    EXPECT_EQ(cell(0, 3), "Largest (kN)");
    EXPECT_EQ(cell(0, 4), "Variance (kN\u00B2)");
    for (const char* name : {"Picture1", "Picture2", "MSFlexGrid1"})
        EXPECT_FALSE(control<QWidget>(name)->accessibleName().isEmpty()) << name;
    // The Zoom buttons sit inside their plots.
    EXPECT_EQ(control<QWidget>("Command2")->parentWidget(), control<QWidget>("Picture1"));
    EXPECT_EQ(control<QWidget>("Command3")->parentWidget(), control<QWidget>("Picture2"));
    const auto menu = control<QMenu>("File_menu")->actions();
    EXPECT_EQ(menu.first()->iconText(), "Open");
    EXPECT_EQ(menu[1]->objectName(), "FImport_menu");
    EXPECT_EQ(menu.last()->iconText(), "Exit");
}

TEST_F(MainWindow, CalculatesShowsAndRedrawsWithoutCallingTheEngineAgain) {
    const QString path = copyExample("MUSEUM.DAT");
    open(path);
    EXPECT_EQ(services_.lastDialog.title, "Open File");
    EXPECT_EQ(services_.lastDialog.filterLabel, "Data File");
    EXPECT_EQ(services_.lastDialog.pattern, "*.DAT");
    EXPECT_EQ(model_.DataFileName, path);
    EXPECT_TRUE(runControlsEnabled());

    click("Command1");
    EXPECT_TRUE(services_.messages.isEmpty());
    EXPECT_EQ(engine_.calculations(), 1);
    EXPECT_EQ(model_.MethodFlag, tamsor::TechniqueId::kMethod1);
    EXPECT_EQ(cell(1, 0), " 1");
    EXPECT_EQ(cell(1, 1), " 36");
    EXPECT_EQ(cell(1, 2), " 1213.79");
    EXPECT_EQ(cell(1, 4), " 93437.59");
    EXPECT_EQ(window_->shownTypes(), 1);
    // The data file's loads in file order, for the isolator schedule.
    ASSERT_EQ(model_.DataLoads.size(), 36u);
    EXPECT_EQ(model_.DataLoads[0].load, 661.5f);

    // Tab leaves the table for the scroll bar, as designed, rather than moving among its cells.
    control<QWidget>("MSFlexGrid1")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), control<QWidget>("HScroll1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), control<QWidget>("Command3"));
    QTest::keyClick(control<QWidget>("HScroll1"), Qt::Key_Right);
    EXPECT_EQ(window_->shownTypes(), 2);
    QTest::keyClick(control<QWidget>("HScroll1"), Qt::Key_Left);
    EXPECT_EQ(window_->shownTypes(), 1);

    scrollTo(5);
    EXPECT_EQ(engine_.calculations(), 1);
    EXPECT_EQ(window_->shownTypes(), 5);
    int isolators = 0;
    for (int row = 1; row <= 5; ++row)
        isolators += cell(row, 1).toInt();
    EXPECT_EQ(isolators, 36);
    EXPECT_EQ(cell(6, 0), "");
    scrollTo(8);
    EXPECT_EQ(cell(8, 0), " 8");
    EXPECT_EQ(engine_.calculations(), 1);

    // The other technique recalculates at once and keeps the partition count.
    click("Option1_1");
    EXPECT_EQ(engine_.calculations(), 2);
    EXPECT_EQ(model_.MethodFlag, tamsor::TechniqueId::kMethod2);
    EXPECT_EQ(window_->shownTypes(), 8);
    EXPECT_TRUE(services_.messages.isEmpty());
}

TEST_F(MainWindow, ChoosingATechniqueWithoutAFileOnlyMovesTheSelection) {
    click("Option1_1");
    EXPECT_TRUE(control<QRadioButton>("Option1_1")->isChecked());
    EXPECT_EQ(engine_.calculations(), 0);
    open(copyExample("LABS.DAT"));
    EXPECT_EQ(engine_.calculations(), 0);
    click("Command1");
    EXPECT_EQ(model_.MethodFlag, tamsor::TechniqueId::kMethod2);
    EXPECT_TRUE(services_.messages.isEmpty());
}

TEST_F(MainWindow, EngineFailuresClearTheResultsAndKeepCalculateAvailable) {
    open(copyExample("MUSEUM.DAT"));
    click("Command1");
    ASSERT_TRUE(zoomEnabled());
    tamsor::testing::write_file(model_.DataFileName.toStdString(), "100\n200\n300\n");
    click("Command1");
    EXPECT_EQ(
        services_.messages,
        QStringList{
            "Error reading loads from data file or there are too few isolators, Minimum = 11"});
    EXPECT_EQ(services_.details, QStringList{"3 isolators, at least 11"});
    // Nothing of the file's earlier loads stays on display.
    EXPECT_EQ(cell(1, 1), "");
    EXPECT_TRUE(control<tamsor::Canvas>("Picture1")->scene().segments().empty());
    EXPECT_FALSE(zoomEnabled());
    // The file may be mended and calculated again, or another technique
    // tried at once: refused again before the engine is called.
    EXPECT_TRUE(runControlsEnabled());
    click("Option1_1");
    EXPECT_EQ(services_.messages.size(), 2);
    EXPECT_EQ(engine_.calculations(), 1);
}

TEST_F(MainWindow, AMissingEngineLibraryEndsTheRunWithItsMessage) {
    tamsor::EngineBinding missing(folder_.file("libnothing.so").c_str());
    tamsor::MainWindow window(model_, missing, services_);
    services_.answerNextFileDialog(copyExample("MUSEUM.DAT"));
    window.findChild<QAction*>("FOpen_menu")->trigger();
    QTest::mouseClick(window.findChild<QPushButton*>("Command1"), Qt::LeftButton);
    EXPECT_EQ(services_.messages, QStringList{"Cannot Calculate Isolator Distribution"});
    EXPECT_TRUE(services_.details.first().contains("libnothing.so"));
    EXPECT_TRUE(window.findChild<QPushButton*>("Command1")->isEnabled());
    EXPECT_FALSE(window.findChild<QPushButton*>("Command2")->isEnabled());
}

TEST_F(MainWindow, ACancelledDialogKeepsThePathAndEnablesTheControls) {
    open(std::nullopt);
    EXPECT_EQ(model_.DataFileName, QString());
    EXPECT_TRUE(runControlsEnabled());
    click("Command1");  // no file to open
    EXPECT_EQ(services_.messages.size(), 1);
    EXPECT_TRUE(runControlsEnabled());
    EXPECT_FALSE(zoomEnabled());

    const QString path = copyExample("MUSEUM.DAT");
    open(path);
    open(std::nullopt);
    EXPECT_EQ(model_.DataFileName, path);
    EXPECT_TRUE(runControlsEnabled());
}

TEST_F(MainWindow, APathLongerThanTheEnginesIsKeptWhole) {
    open(QString(150, 'x'));
    EXPECT_EQ(model_.DataFileName, QString(150, 'x'));
}

TEST_F(MainWindow, TheScrollBarBeforeAnyResultsDrawsNothing) {
    open(copyExample("MUSEUM.DAT"));
    scrollTo(2);
    EXPECT_TRUE(services_.messages.isEmpty());
    EXPECT_EQ(window_->shownTypes(), 0);
    EXPECT_EQ(cell(2, 0), "");
    EXPECT_EQ(cell(1, 1), "");
    EXPECT_TRUE(control<tamsor::Canvas>("Picture1")->scene().segments().empty());
    EXPECT_TRUE(control<tamsor::Canvas>("Picture2")->scene().segments().empty());
    EXPECT_TRUE(runControlsEnabled());
}

TEST_F(MainWindow, ShowsResultsWhenEveryIsolatorCarriesTheSameLoad) {
    std::string twentyEqual;
    for (int i = 0; i < 20; ++i)
        twentyEqual += "500\n";
    open(dataFile("equal.DAT", twentyEqual));
    click("Option1_1");
    click("Command1");
    EXPECT_TRUE(services_.messages.isEmpty());
    EXPECT_EQ(cell(1, 1), " 20");
    EXPECT_EQ(cell(1, 2), " 500.00");
    EXPECT_EQ(cell(1, 4), " 0.00");
    // The variance plot lies on its axis.
    for (const auto& segment : control<tamsor::Canvas>("Picture2")->scene().segments())
        if (segment.color == Qt::red) {
            EXPECT_EQ(segment.from.y(), 0);
        }
}

TEST_F(MainWindow, ZoomOpensTheChartWindowModallyAndReturns) {
    open(copyExample("MUSEUM.DAT"));
    click("Command1");
    scrollTo(4);
    int opened = 0;
    QString shown;  // the title of the chart shown
    const auto closeChartWindow = [&] {
        auto* chart = qobject_cast<tamsor::ChartWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(chart, nullptr);
        ++opened;
        EXPECT_EQ(chart->windowTitle(), "ISOLZOOM \u2013 MUSEUM.DAT");
        for (auto* graph : chart->findChildren<tamsor::ChartWidget*>())
            if (graph->isVisibleTo(chart)) shown = graph->content()->title;
        chart->findChild<QAction*>("Exit_Menu")->trigger();
    };
    QTimer::singleShot(0, closeChartWindow);
    click("Command2");
    EXPECT_EQ(shown, "Mean Sustained Load");
    QTimer::singleShot(0, closeChartWindow);
    click("Command3");
    EXPECT_EQ(shown, "Variance");
    EXPECT_EQ(opened, 2);
    // The main window is usable and unchanged.
    EXPECT_TRUE(runControlsEnabled());
    EXPECT_EQ(cell(4, 0), " 4");
    EXPECT_EQ(engine_.calculations(), 1);
}

}  // namespace
