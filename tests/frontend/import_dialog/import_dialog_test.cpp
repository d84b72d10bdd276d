// SPDX-License-Identifier: GPL-3.0-or-later
// File > Import Load Table... as an engineer uses it: a support-reaction
// table opened, the sustained combination picked, the count followed, the
// data file saved and then calculated.
#include <gtest/gtest.h>

#include <filesystem>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>

#include "import_dialog/import_dialog.h"
#include "main_window_fixture.h"
#include "office5_sustained.h"

namespace {

namespace fs = std::filesystem;
using tamsor::testing::kOffice5Sustained;
using tamsor::testing::MainWindow;
using tamsor::testing::read_file;
using tamsor::testing::write_file;

class ImportLoadTable : public MainWindow {
  protected:
    // File > Import Load Table..., the open dialog answering `table`.
    tamsor::ImportDialog* importTable(const QString& table) {
        services_.answerNextFileDialog(table);
        control<QAction>("FImport_menu")->trigger();
        return window_->findChild<tamsor::ImportDialog*>(QStringLiteral("ImportDialog"));
    }
    QString copyTable(const fs::path& from) {
        const fs::path target = folder_.file(from.filename().string());
        fs::copy_file(from, target);
        return QString::fromStdString(target.string());
    }
    template <typename Control>
    static Control* in(QWidget* dialog, const char* name) {
        auto* found = dialog->findChild<Control*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static void pick(QComboBox* box, const QString& text) {
        const int index = box->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        box->setFocus();
        box->setCurrentIndex(index);
    }
};

TEST_F(ImportLoadTable, TheSustainedCombinationOfAnAnalysisExportBecomesADataFileThatCalculates) {
    const QString table = copyTable(fs::path(TAMSOR_EXAMPLES_DIR) / "OFFICE5_reactions.csv");
    tamsor::ImportDialog* dialog = importTable(table);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(services_.lastDialog.filterLabel, "Load tables");
    EXPECT_EQ(services_.lastDialog.pattern, "*.csv *.txt *.tsv");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->isModal());
    // Every setting is reached with Tab, in reading order, each with its name.
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == dialog; }));
    in<QWidget>(dialog, "Delimiter")->setFocus();
    for (const char* next : {"HeaderRow", "LoadColumn", "DecimalMark", "NegativeCompression",
                             "LabelColumns", "ConditionColumn", "ConditionValue", "AddCondition",
                             "Conditions", "RemoveCondition", "Preview", "SaveDataFile"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        auto* expected = in<QWidget>(dialog, next);
        QWidget* focus = QApplication::focusWidget();
        EXPECT_TRUE(focus == expected || expected->isAncestorOf(focus)) << next;
        EXPECT_FALSE(expected->accessibleName().isEmpty()) << next;
    }

    // Detected: comma, the header under the title, the units row skipped;
    // FZ as the load, negative in compression.
    EXPECT_TRUE(in<QLabel>(dialog, "Detected")->text().contains("header in row 2 (detected)"));
    EXPECT_EQ(in<QComboBox>(dialog, "Delimiter")->currentText(), "Comma");
    EXPECT_EQ(in<QSpinBox>(dialog, "HeaderRow")->value(), 2);
    EXPECT_EQ(in<QComboBox>(dialog, "LoadColumn")->currentText(), "7: FZ");
    EXPECT_TRUE(in<QCheckBox>(dialog, "NegativeCompression")->isChecked());
    auto* preview = in<QTableView>(dialog, "Preview");
    EXPECT_EQ(preview->model()->headerData(6, Qt::Horizontal).toString(), "7: FZ");
    EXPECT_EQ(preview->model()->index(3, 1).data().toString(), "A-1");
    EXPECT_EQ(preview->model()->headerData(3, Qt::Vertical).toString(), "4");
    // All three load cases are kept at first.
    EXPECT_TRUE(dialog->keptText().startsWith("Kept 72 rows of loads."))
        << dialog->keptText().toStdString();

    // Keep the Sustained combination only, label by joint.
    pick(in<QComboBox>(dialog, "ConditionColumn"), "3: Load Case");
    auto* value = in<QComboBox>(dialog, "ConditionValue");
    EXPECT_GE(value->findText("Sustained"), 0);
    value->setEditText("Sustained");
    QTest::mouseClick(in<QPushButton>(dialog, "AddCondition"), Qt::LeftButton);
    EXPECT_EQ(in<QListWidget>(dialog, "Conditions")->count(), 1);
    EXPECT_TRUE(dialog->keptText().startsWith("Kept 24 rows of loads. Dropped 48 rows: 48 where"))
        << dialog->keptText().toStdString();
    auto* labels = in<QListWidget>(dialog, "LabelColumns");
    labels->item(1)->setCheckState(Qt::Checked);

    // The data file beside the table under its name, then chosen.
    const QString saved = QString::fromStdString(folder_.file("OFFICE5.DAT").string());
    services_.answerNextSaveDialog(saved);
    QTest::mouseClick(in<QPushButton>(dialog, "SaveDataFile"), Qt::LeftButton);
    EXPECT_EQ(services_.lastSaveDialog.suggestedPath,
              QString::fromStdString(folder_.file("OFFICE5_reactions.DAT").string()));
    EXPECT_EQ(services_.lastSaveDialog.suffix, "DAT");
    EXPECT_EQ(read_file(folder_.file("OFFICE5.DAT")), kOffice5Sustained);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(model_.DataFileName, saved);
    EXPECT_TRUE(runControlsEnabled());

    click("Option1_2");
    click("Command1");
    EXPECT_TRUE(services_.messages.isEmpty()) << services_.details.join("\n").toStdString();
    EXPECT_EQ(model_.DataLoads.size(), 24u);
    EXPECT_EQ(cell(1, 1), " 24");
}

TEST_F(ImportLoadTable, ASettingThatBreaksTheTableSaysWhyAndSavesNothing) {
    const QString table = copyTable(fs::path(TAMSOR_TEST_TABLES) / "spreadsheet_semicolon.csv");
    tamsor::ImportDialog* dialog = importTable(table);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(in<QComboBox>(dialog, "Delimiter")->currentText(), "Semicolon");
    EXPECT_EQ(in<QComboBox>(dialog, "LoadColumn")->currentText(), "3: Load [kN]");
    EXPECT_EQ(in<QComboBox>(dialog, "DecimalMark")->currentIndex(), 1);  // comma
    EXPECT_FALSE(in<QCheckBox>(dialog, "NegativeCompression")->isChecked());
    // Another load column brings its own detected mark: the grid's whole numbers.
    pick(in<QComboBox>(dialog, "LoadColumn"), "2: Grid");
    EXPECT_EQ(in<QComboBox>(dialog, "DecimalMark")->currentIndex(), 0);
    pick(in<QComboBox>(dialog, "LoadColumn"), "3: Load [kN]");
    EXPECT_EQ(in<QComboBox>(dialog, "DecimalMark")->currentIndex(), 1);
    auto* save = in<QPushButton>(dialog, "SaveDataFile");
    EXPECT_TRUE(save->isEnabled()) << dialog->keptText().toStdString();

    // Read with a decimal point, "1180,5" is not a load: refused with its row.
    pick(in<QComboBox>(dialog, "DecimalMark"), "Point (1234.5)");
    EXPECT_TRUE(dialog->keptText().startsWith("Cannot import: "))
        << dialog->keptText().toStdString();
    EXPECT_TRUE(dialog->keptText().contains("row 4")) << dialog->keptText().toStdString();
    EXPECT_FALSE(save->isEnabled());

    // Commas as the delimiter leave one column of text: nothing to import.
    pick(in<QComboBox>(dialog, "Delimiter"), "Comma");
    EXPECT_FALSE(save->isEnabled());
    pick(in<QComboBox>(dialog, "Delimiter"), "Semicolon");
    EXPECT_TRUE(save->isEnabled()) << dialog->keptText().toStdString();

    // Cancelled at the save dialog: nothing written, nothing chosen.
    services_.answerNextSaveDialog(std::nullopt);
    QTest::mouseClick(save, Qt::LeftButton);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(model_.DataFileName.isEmpty());
    EXPECT_FALSE(fs::exists(folder_.file("spreadsheet_semicolon.DAT")));

    // The table itself is never overwritten by its data file.
    services_.answerNextSaveDialog(table);
    QTest::mouseClick(save, Qt::LeftButton);
    ASSERT_EQ(services_.messages.size(), 1);
    EXPECT_TRUE(services_.details.back().contains("is the load table itself"));
    EXPECT_EQ(read_file(table.toStdString()),
              read_file(fs::path(TAMSOR_TEST_TABLES) / "spreadsheet_semicolon.csv"));
    EXPECT_TRUE(model_.DataFileName.isEmpty());
}

TEST_F(ImportLoadTable, AFileThatIsNoTableIsRefusedBeforeTheDialog) {
    write_file(folder_.file("book.xlsx"), std::string("PK\x03\x04\x14\0\x06\0", 8));
    EXPECT_EQ(importTable(QString::fromStdString(folder_.file("book.xlsx").string())), nullptr);
    ASSERT_EQ(services_.messages.size(), 1);
    EXPECT_EQ(services_.messages.back(), "Cannot import the load table");
    EXPECT_TRUE(services_.details.back().startsWith("book.xlsx "))
        << services_.details.back().toStdString();

    EXPECT_EQ(importTable(QString::fromStdString(folder_.file("none.csv").string())), nullptr);
    EXPECT_TRUE(services_.details.back().contains("No such file"))
        << services_.details.back().toStdString();
}

}  // namespace
