// SPDX-License-Identifier: GPL-3.0-or-later
// The main window with the real engine library, driven as a user would:
// the fixture that the window tests share.
#ifndef TAMSOR_TESTS_MAIN_WINDOW_FIXTURE_H
#define TAMSOR_TESTS_MAIN_WINDOW_FIXTURE_H

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include <QAbstractButton>
#include <QAction>
#include <QScrollBar>
#include <QSettings>
#include <QTest>

#include "app/desktop_services.h"
#include "main_window/main_window.h"
#include "results/results_model.h"
#include "results/results_table.h"
#include "results_table_cells.h"
#include "run/engine_binding.h"
#include "scratch_folder.h"
#include "scripted_desktop_services.h"

namespace tamsor::testing {

class MainWindow : public ::testing::Test {
  protected:
    MainWindow() : engine_(QStringLiteral(TAMSOR_ENGINE_LIBRARY)) {}

    void SetUp() override {
        // Every test starts as the very first start: nothing remembered.
        QSettings().clear();
        window_ = std::make_unique<tamsor::MainWindow>(model_, engine_, services_);
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    }

    template <typename Control>
    Control* control(const char* name) {
        auto* found = window_->findChild<Control*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    // File > Open, the dialog answering `path` (nothing: Cancel).
    void open(std::optional<QString> path) {
        services_.answerNextFileDialog(std::move(path));
        control<QAction>("FOpen_menu")->trigger();
    }
    QString copyExample(const char* name) {
        const auto target = folder_.file(name);
        std::filesystem::copy_file(std::filesystem::path(TAMSOR_EXAMPLES_DIR) / name, target);
        return QString::fromStdString(target.string());
    }
    QString dataFile(const std::string& name, const std::string& text) {
        write_file(folder_.file(name), text);
        return QString::fromStdString(folder_.file(name).string());
    }
    void click(const char* name) {
        QTest::mouseClick(control<QAbstractButton>(name), Qt::LeftButton);
    }
    // Clicks the scroll bar's arrows until it shows `value`.
    void scrollTo(int value) {
        auto* scroll = control<QScrollBar>("HScroll1");
        const QPoint leftArrow(3, scroll->height() / 2);
        const QPoint rightArrow(scroll->width() - 3, scroll->height() / 2);
        for (int clicks = 0; clicks < 8 && scroll->value() != value; ++clicks)
            QTest::mouseClick(scroll, Qt::LeftButton, {},
                              scroll->value() < value ? rightArrow : leftArrow);
        ASSERT_EQ(scroll->value(), value);
    }
    // Calculate and the scroll bar, enabled once a data file is chosen.
    bool runControlsEnabled() {
        const bool calculate = control<QWidget>("Command1")->isEnabled();
        EXPECT_EQ(control<QWidget>("HScroll1")->isEnabled(), calculate);
        return calculate;
    }
    // Both Zoom buttons and the schedule, enabled while results are shown.
    bool zoomEnabled() {
        const bool zoom = control<QWidget>("Command2")->isEnabled();
        EXPECT_EQ(control<QWidget>("Command3")->isEnabled(), zoom);
        EXPECT_EQ(control<QAction>("Schedule_menu")->isEnabled(), zoom);
        return zoom;
    }
    QString cell(int row, int column) {
        return tamsor::testing::designCell(*control<tamsor::ResultsTable>("MSFlexGrid1"), row,
                                           column);
    }

    ScratchFolder folder_;
    tamsor::ResultsModel model_;
    tamsor::EngineBinding engine_;
    ScriptedDesktopServices services_;
    std::unique_ptr<tamsor::MainWindow> window_;
};

}  // namespace tamsor::testing

#endif
