// SPDX-License-Identifier: GPL-3.0-or-later
// The main window while another run (tamsor-batch, another window) holds the
// data file: it waits in a dialog with Cancel, keeps handling events, and
// leaves Calculate enabled when the wait is given up.
#include <gtest/gtest.h>

#include <chrono>
#include <optional>

#include <QApplication>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "main_window_fixture.h"
#include "run/run_messages.h"
#include "tamsor/data_file_lock.h"

namespace {

using namespace std::chrono_literals;

class AnotherRun : public tamsor::testing::MainWindow {};

TEST_F(AnotherRun, IsWaitedForInADialogThatCancelsTimesOutOrEndsWithIt) {
    const QString data = copyExample("MUSEUM.DAT");
    const std::string path = data.toStdString();
    open(data);
    std::optional<tamsor::DataFileLock> other(std::in_place, path.c_str());
    ASSERT_TRUE(other->locked());
    // Timers fire while the window waits: it repaints and answers.
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(10);

    // Cancel pressed while the dialog shows the third time waited.
    services_.cancelWaitAfter = 3;
    click("Command1");
    ASSERT_EQ(services_.waits.size(), 1u);
    const auto& cancelled = *services_.waits[0];
    EXPECT_EQ(cancelled.text, "Waiting for another calculation on MUSEUM.DAT...");
    EXPECT_EQ(cancelled.patience, 30s);
    ASSERT_EQ(cancelled.shown.size(), 3u);
    EXPECT_EQ(cancelled.shown[0], 0ms);
    EXPECT_GE(cancelled.shown[2], 2 * tamsor::kLockWaitInterval);
    EXPECT_FALSE(cancelled.open);
    EXPECT_GT(ticks, 10);
    EXPECT_TRUE(services_.messages.isEmpty());
    EXPECT_TRUE(runControlsEnabled());
    EXPECT_EQ(engine_.calculations(), 0);

    // Given up after the patience: said so, and Calculate stays enabled.
    services_.cancelWaitAfter = 0;
    window_->setLockPatience(300ms);
    click("Command1");
    ASSERT_EQ(services_.waits.size(), 2u);
    EXPECT_FALSE(services_.waits[1]->open);
    EXPECT_LT(services_.waits[1]->shown.back(), 300ms);
    EXPECT_EQ(services_.messages, QStringList{tamsor::kDataFileBusyMessage});
    EXPECT_EQ(services_.details.last(),
              "Another calculation on this data file (in tamsor-batch or another window) did not "
              "finish within 0.3 seconds. Try again when it has finished.");
    EXPECT_TRUE(runControlsEnabled());
    EXPECT_FALSE(model_.hasResults());

    // Tried again: the other run finishes during the wait, and this one goes on.
    window_->setLockPatience(20s);
    QTimer::singleShot(250ms, [&] { other.reset(); });
    click("Command1");
    ASSERT_EQ(services_.waits.size(), 3u);
    EXPECT_FALSE(services_.waits[2]->open);
    EXPECT_EQ(services_.messages.size(), 1);
    EXPECT_EQ(cell(1, 1), " 36");
    EXPECT_EQ(engine_.calculations(), 1);

    // Nothing to wait for: no dialog.
    click("Command1");
    EXPECT_EQ(services_.waits.size(), 3u);
    EXPECT_EQ(engine_.calculations(), 2);
}

// The dialog itself: modal, under the application's title, its bar filling
// towards the time-out, cancelled by its button or by Escape.
TEST(WaitDialog, ShowsTheWaitModallyAndIsCancelled) {
    QWidget window;
    window.show();
    tamsor::PlatformDesktopServices services;
    for (const bool byKey : {false, true}) {
        auto wait = services.showWait(&window, QStringLiteral("Waiting for it..."), 30s);
        auto* dialog = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "TAMSOR");
        EXPECT_EQ(dialog->labelText(), "Waiting for it...");
        wait->showWaited(12500ms);
        EXPECT_EQ(dialog->findChild<QProgressBar*>()->text(), "12 s of 30 s");
        EXPECT_FALSE(wait->cancelled());
        if (byKey) {
            ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
            QTest::keyClick(dialog, Qt::Key_Escape);
        } else
            QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
        EXPECT_TRUE(wait->cancelled()) << byKey;
        wait.reset();
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

}  // namespace
