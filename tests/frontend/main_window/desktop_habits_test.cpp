// SPDX-License-Identifier: GPL-3.0-or-later
// The usual desktop habits: recent files, the samples opened as the user's
// own copies, Help > About, and the keys that calculate.
#include <gtest/gtest.h>

#include <filesystem>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "main_window_fixture.h"

namespace {

using tamsor::testing::MainWindow;
namespace fs = std::filesystem;

class DesktopHabits : public MainWindow {};

TEST_F(DesktopHabits, RecentFilesKeepTheLastFiveLatestFirst) {
    EXPECT_FALSE(control<QMenu>("Recent_menu")->isEnabled());
    QStringList opened;
    for (const char* name :
         {"MUSEUM.DAT", "LABS.DAT", "OFFICE5.DAT", "SCHOOL.DAT", "WAREHSE.DAT", "HOSPITAL.DAT"}) {
        opened.prepend(copyExample(name));
        open(opened.first());
    }
    open(opened[4]);  // opened again: moves to the top, once
    QStringList shown;
    for (QAction* item : control<QMenu>("Recent_menu")->actions())
        shown << item->text();
    EXPECT_EQ(shown, (QStringList{"&1 LABS.DAT", "&2 HOSPITAL.DAT", "&3 WAREHSE.DAT",
                                  "&4 SCHOOL.DAT", "&5 OFFICE5.DAT"}));

    // Chosen from the menu, in this run or a later one.
    tamsor::ResultsModel model;
    tamsor::MainWindow later(model, engine_, services_);
    later.findChild<QAction*>(QStringLiteral("Recent_menu_3"))->trigger();
    EXPECT_EQ(model.DataFileName, opened[1]);
    EXPECT_EQ(later.windowTitle(), "TAMSOR \u2013 WAREHSE.DAT");
    // A file gone since is reported, and not chosen.
    fs::remove(opened[2].toStdString());
    later.findChild<QAction*>(QStringLiteral("Recent_menu_4"))->trigger();
    EXPECT_EQ(model.DataFileName, opened[1]);
    EXPECT_EQ(services_.messages.size(), 1);
}

TEST_F(DesktopHabits, AnExampleIsOpenedAsTheUsersOwnCopyNeverOverwritten) {
    const fs::path documents = folder_.file("documents");
    window_->setExampleFolders(TAMSOR_EXAMPLES_DIR, QString::fromStdString(documents.string()));
    QStringList listed;
    for (QAction* item : control<QMenu>("OpenExample_menu")->actions())
        listed << item->text();
    EXPECT_TRUE(listed.contains("MUSEUM.DAT"));
    EXPECT_TRUE(listed.contains("OFFICE5.DAT"));
    EXPECT_FALSE(listed.contains("SCHOOL_loads.csv"));

    control<QAction>("Example_menu_MUSEUM.DAT")->trigger();
    const fs::path copy = documents / "TAMSOR Examples" / "MUSEUM.DAT";
    EXPECT_EQ(model_.DataFileName, QString::fromStdString(copy.string()));
    click("Command1");
    EXPECT_TRUE(services_.messages.isEmpty()) << services_.details.join('\n').toStdString();
    EXPECT_EQ(cell(1, 1), " 36");
    EXPECT_TRUE(fs::exists(documents / "TAMSOR Examples" / "MUSEUM.out"));

    // The user's changes to the copy are kept when it is opened again.
    tamsor::testing::write_file(copy, "changed\n");
    control<QAction>("Example_menu_MUSEUM.DAT")->trigger();
    EXPECT_EQ(tamsor::testing::read_file(copy), "changed\n");
}

TEST_F(DesktopHabits, AboutNamesTheVersionLicenceAndEngineAndEnterOrF5Calculates) {
    control<QAction>("About_menu")->trigger();
    ASSERT_EQ(services_.messages.size(), 1);
    EXPECT_TRUE(services_.messages[0].startsWith("TAMSOR 1."));
    EXPECT_TRUE(services_.messages[0].contains("Licence: GPL-3.0-or-later"));
    EXPECT_TRUE(services_.messages[0].contains(TAMSOR_ENGINE_LIBRARY));

    // Before a file is chosen the keys do nothing.
    QTest::keyClick(window_.get(), Qt::Key_F5);
    EXPECT_EQ(engine_.calculations(), 0);
    open(copyExample("MUSEUM.DAT"));
    control<QWidget>("HScroll1")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(engine_.calculations(), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
    EXPECT_EQ(engine_.calculations(), 2);
    EXPECT_TRUE(control<QPushButton>("Command1")->isDefault());
}

}  // namespace
