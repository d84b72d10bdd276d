// SPDX-License-Identifier: GPL-3.0-or-later
// A large building in the program: 100,000 isolators by Optimal through the
// table, the scroll bar, the load plot, the schedule window and its CSV; the
// classic techniques keep their 100 and say so.
#include <gtest/gtest.h>

#include <string>

#include <QAction>
#include <QScrollBar>
#include <QTableView>

#include "main_window_fixture.h"
#include "schedule_window/schedule_window.h"
#include "widgets/canvas.h"

namespace {

using tamsor::testing::MainWindow;
using tamsor::testing::read_file;

constexpr int kIsolators = 100'000;

// Eight column types of 12,500 isolators each, 1000 kN to 8000 kN, the types
// taking turns line by line: the best grouping into eight types puts each
// load with its equals (pooled variance 0).
std::string eightColumnTypes() {
    std::string text;
    for (int i = 0; i < kIsolators; ++i)
        text += std::to_string(1000 * (1 + i % 8)) + "  J" + std::to_string(i + 1) + "\n";
    return text;
}

class LargeBuilding : public MainWindow {};

TEST_F(LargeBuilding, OptimalCalculatesAHundredThousandIsolatorsAndTheScheduleShowsThemAll) {
    const QString data = dataFile("TERMINAL.DAT", eightColumnTypes());
    open(data);
    // The classic techniques name their limit and point to Optimal.
    click("Command1");
    ASSERT_EQ(services_.messages.size(), 1);
    EXPECT_EQ(services_.details.back(),
              "100000 isolators, at most 100. Method 1 and Method2 take 11 to 100 isolators; "
              "choose Optimal or Least spread, which take up to 100000.");

    open(data);
    click("Option1_2");
    click("Command1");
    ASSERT_EQ(services_.messages.size(), 1) << services_.details.join("\n").toStdString();
    EXPECT_EQ(model_.DataLoads.size(), static_cast<std::size_t>(kIsolators));
    EXPECT_EQ(cell(1, 1), " 100000");
    scrollTo(8);
    for (int type = 1; type <= 8; ++type) {
        EXPECT_EQ(cell(type, 1), " 12500") << type;
        EXPECT_EQ(cell(type, 2), QStringLiteral(" %1.00").arg(1000 * type)) << type;
    }

    // The staircase drawn to the plot's pixels: per pixel column a stroke and
    // a join, not a segment per step; the eight type lines and levels above.
    auto* plot = control<tamsor::Canvas>("Picture1");
    const auto segments = plot->scene().segments();
    EXPECT_LT(segments.size(), static_cast<std::size_t>(2 * plot->contentsRect().width() + 40));
    EXPECT_GT(segments.size(), 16u);

    control<QAction>("Schedule_menu")->trigger();
    auto* schedule = window_->findChild<tamsor::ScheduleWindow*>();
    ASSERT_NE(schedule, nullptr);
    auto* isolators = schedule->findChild<QTableView*>(QStringLiteral("IsolatorsTable"));
    ASSERT_EQ(isolators->model()->rowCount(), kIsolators);
    EXPECT_EQ(isolators->model()->index(kIsolators - 1, 0).data().toString(), "100000");
    EXPECT_EQ(isolators->model()->index(kIsolators - 1, 2).data().toString(), "8");
    EXPECT_EQ(isolators->model()->index(kIsolators - 1, 3).data().toString(), "J100000");
    // Scrolled to the end, the last isolator is in view.
    schedule->show();
    isolators->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    const QRect view = isolators->viewport()->rect();
    EXPECT_EQ(isolators->indexAt(QPoint(2, view.bottom() - 2)).row(), kIsolators - 1);

    const auto csv = folder_.file("TERMINAL-8-types.csv");
    services_.answerNextSaveDialog(QString::fromStdString(csv.string()));
    schedule->exportCsv();
    const std::string written = read_file(csv);
    // The types table, a blank line, the header and a line per isolator.
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 1 + 8 + 1 + 1 + kIsolators);
    EXPECT_NE(written.find("\r\n8,12500,8000"), std::string::npos);
    EXPECT_NE(written.find("\r\n1,1000"), std::string::npos);
    EXPECT_EQ(written.substr(written.rfind("\r\n100000,")), "\r\n100000,8000.0,8,J100000\r\n");
}

}  // namespace
