// SPDX-License-Identifier: GPL-3.0-or-later
// The isolator schedule window driven as a user would, from the main window's
// Results menu and its shortcut, against the real engine library and real
// files: the tables, sorting, copying, the CSV export and the PDF report.
#include "schedule_window/schedule_window.h"

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTableView>
#include <QTest>

#include "failing_disk.h"
#include "main_window/main_window.h"
#include "results/results_model.h"
#include "results/results_table.h"
#include "results_table_cells.h"
#include "run/engine_binding.h"
#include "schedule_window/schedule_tables.h"
#include "scratch_folder.h"
#include "scripted_desktop_services.h"

namespace {

using tamsor::testing::read_file;
using tamsor::testing::ScratchFolder;
using tamsor::testing::ScriptedDesktopServices;
using tamsor::testing::write_file;

// Three clusters of six isolators, listed axis by axis: every technique
// groups them into the clusters for three types. Labels carry a comma and
// quotes; line 4 is blank and line 6 has no label.
const std::string kBuilding =
    "500   axis A/1\n"
    "100   axis A/2, corner\n"
    "906   \"core\" B/1\n"
    "\n"
    "502   axis B/2\n"
    "101\n"
    "909   axis C/3\n"
    "504   axis C/4\n"
    "102   axis D/1\n"
    "903   axis D/2\n"
    "506   axis D/3\n"
    "103   axis D/4\n"
    "900   axis E/1\n"
    "508   axis E/2\n"
    "104   axis E/3\n"
    "912   axis E/4\n"
    "510   axis F/1\n"
    "105   axis F/2\n"
    "915   axis F/3\n";

// Worked by hand: means 615 / 6, 3030 / 6, 5445 / 6; the largest load above
// the mean by 2.5 / 102.5, 5 / 505 and 7.5 / 907.5; the spreads 5 / 105,
// 10 / 510 and 15 / 915 of the design loads (4.76 %, the worst, 1.96 %,
// 1.64 %); capacity above need 6 x (105 + 510 + 915) - 9090 = 90 of the
// loads' 9090, 0.99 %.
const char* const kThreeTypesCsv =
    "type,isolators,smallest (kN),largest (design load) (kN),mean (kN),spread (kN),"
    "largest above mean %,spread %,"
    "worst spread %,capacity above need %\r\n"
    "1,6,100.0,105.0,102.50,5.00,2.4,4.8,4.8,1.0\r\n"
    "2,6,500.0,510.0,505.00,10.00,1.0,2.0,4.8,1.0\r\n"
    "3,6,900.0,915.0,907.50,15.00,0.8,1.6,4.8,1.0\r\n"
    "\r\n"
    "line,load (kN),type,label\r\n"
    "1,500.0,2,axis A/1\r\n"
    "2,100.0,1,\"axis A/2, corner\"\r\n"
    "3,906.0,3,\"\"\"core\"\" B/1\"\r\n"
    "5,502.0,2,axis B/2\r\n"
    "6,101.0,1,\r\n"
    "7,909.0,3,axis C/3\r\n"
    "8,504.0,2,axis C/4\r\n"
    "9,102.0,1,axis D/1\r\n"
    "10,903.0,3,axis D/2\r\n"
    "11,506.0,2,axis D/3\r\n"
    "12,103.0,1,axis D/4\r\n"
    "13,900.0,3,axis E/1\r\n"
    "14,508.0,2,axis E/2\r\n"
    "15,104.0,1,axis E/3\r\n"
    "16,912.0,3,axis E/4\r\n"
    "17,510.0,2,axis F/1\r\n"
    "18,105.0,1,axis F/2\r\n"
    "19,915.0,3,axis F/3\r\n";

// A heavy building in newtons, in whole newtons but for one half: the
// decimals of its loads are one. Optimal's three types, worked by hand:
// {1500000.5 1510000 1520000 1530000}, mean 6060000.5 / 4 = 1515000.125, an
// exact float that the report rounds half away to 1515000.13, the largest
// 14999.875 / 1515000.125 = 0.99 % above it; {2400000 to 2440000}, mean
// 2420000, 20000 / 2420000 = 0.83 %; the core columns {11950000 12010000
// 12090000}, mean 36050000 / 3 = 12016666.67, too wide for the report's
// field (asterisks), 73333.33 / 12016666.67 = 0.61 %. Spreads 29999.5 /
// 1530000 = 1.96 %, 40000 / 2440000 = 1.64 %, 140000 / 12090000 = 1.16 %;
// capacity above need 59999.5 + 100000 + 220000 = 379999.5 of the loads'
// 54210000.5, 0.70 %. Pooled variance
// (499985000.1875 + 10^9 + 9866666666.67) / 12 = 947220972.24, in single
// precision 947220992; for five types (the core columns alone)
// 1499985000.1875 / 12 = 124998750.02, in single precision 124998752.
const std::string kHeavyBuilding =
    "1520000.0  N  axis A/1\n"
    "11950000.0  N  core C/1\n"
    "2410000.0  N  axis B/1\n"
    "1500000.5  N  axis A/2\n"
    "2440000.0  N  axis B/2\n"
    "12090000.0  N  core C/2\n"
    "1530000.0  N  axis A/3\n"
    "2400000.0  N  axis B/3\n"
    "2420000.0  N  axis B/4\n"
    "1510000  N  axis A/4\n"
    "12010000.0  N  core C/3\n"
    "2430000.0  N  axis B/5\n";

const char* const kHeavyTypes =
    "1\t4\t1500000.5\t1530000.0\t1515000.13\t29999.50\t1.0\t2.0\n"
    "2\t5\t2400000.0\t2440000.0\t2420000.00\t40000.00\t0.8\t1.6\n"
    "3\t3\t11950000.0\t12090000.0\t12016666.67\t140000.00\t0.6\t1.2";

const char* const kHeavyCsv =
    "type,isolators,smallest (kN),largest (design load) (kN),mean (kN),spread (kN),"
    "largest above mean %,spread %,"
    "worst spread %,capacity above need %\r\n"
    "1,4,1500000.5,1530000.0,1515000.13,29999.50,1.0,2.0,2.0,0.7\r\n"
    "2,5,2400000.0,2440000.0,2420000.00,40000.00,0.8,1.6,2.0,0.7\r\n"
    "3,3,11950000.0,12090000.0,12016666.67,140000.00,0.6,1.2,2.0,0.7\r\n"
    "\r\n"
    "line,load (kN),type,label\r\n"
    "1,1520000.0,1,N  axis A/1\r\n"
    "2,11950000.0,3,N  core C/1\r\n"
    "3,2410000.0,2,N  axis B/1\r\n"
    "4,1500000.5,1,N  axis A/2\r\n"
    "5,2440000.0,2,N  axis B/2\r\n"
    "6,12090000.0,3,N  core C/2\r\n"
    "7,1530000.0,1,N  axis A/3\r\n"
    "8,2400000.0,2,N  axis B/3\r\n"
    "9,2420000.0,2,N  axis B/4\r\n"
    "10,1510000.0,1,N  axis A/4\r\n"
    "11,12010000.0,3,N  core C/3\r\n"
    "12,2430000.0,2,N  axis B/5\r\n";

// The text of a PDF as poppler's pdftotext reads it, its table rows on lines;
// empty when the tool is missing.
QString pdfText(const std::filesystem::path& pdf) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty()) return {};
    QProcess process;
    process.start(tool, {QStringLiteral("-layout"), QString::fromStdString(pdf.string()),
                         QStringLiteral("-")});
    if (!process.waitForFinished(30000)) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Whether a line of `text` holds these cells in turn, blanks between them
// (a row of one table may share its line with a row of the table beside it).
bool hasRow(const QString& text, const QStringList& cells) {
    QStringList escaped;
    for (const QString& cell : cells)
        escaped << QRegularExpression::escape(cell);
    return QRegularExpression(QStringLiteral("(?<!\\S)") + escaped.join(QStringLiteral(" +")) +
                              QStringLiteral("(?!\\S)"))
        .match(text)
        .hasMatch();
}

// Whether the sort arrow drawn in `section` of `header` points up: its
// dark pixels, in the right third of the section where the arrow sits, make
// a narrower row at the top than at the bottom.
bool arrowPointsUp(QHeaderView* header, int section) {
    const QImage image = header->viewport()->grab().toImage();
    const int right = header->sectionViewportPosition(section) + header->sectionSize(section);
    const int left = right - header->sectionSize(section) / 3;
    std::vector<int> widths;
    for (int y = 0; y < image.height(); ++y) {
        int dark = 0;
        for (int x = left; x < right; ++x)
            if (qGray(image.pixel(x, y)) < 110) ++dark;
        if (dark > 0) widths.push_back(dark);
    }
    return !widths.empty() && widths.front() < widths.back();
}

// The page objects of a PDF, not counting the page tree's /Pages.
int pdfPages(const std::string& pdf) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    int pages = 0;
    for (auto match = page.globalMatch(QString::fromLatin1(pdf)); match.hasNext(); match.next())
        ++pages;
    return pages;
}

class ScheduleWindowTest : public ::testing::Test {
  protected:
    ScheduleWindowTest() : engine_(QStringLiteral(TAMSOR_ENGINE_LIBRARY)) {}

    void SetUp() override {
        main_ = std::make_unique<tamsor::MainWindow>(model_, engine_, services_);
        main_->show();
        main_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main_.get()));
    }

    template <typename Control>
    Control* in(QWidget* window, const char* name) {
        auto* found = window->findChild<Control*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QAction* scheduleItem() { return in<QAction>(main_.get(), "Schedule_menu"); }
    tamsor::ScheduleWindow* window() {
        return main_->findChild<tamsor::ScheduleWindow*>(QStringLiteral("ScheduleWindow"));
    }

    QString file(const std::string& name, const std::string& text) {
        write_file(folder_.file(name), text);
        return QString::fromStdString(folder_.file(name).string());
    }
    QString example(const char* name) {
        const auto target = folder_.file(name);
        std::filesystem::copy_file(std::filesystem::path(TAMSOR_EXAMPLES_DIR) / name, target);
        return QString::fromStdString(target.string());
    }
    void open(const QString& path) {
        services_.answerNextFileDialog(path);
        in<QAction>(main_.get(), "FOpen_menu")->trigger();
    }
    void click(QWidget* window, const char* name) {
        QTest::mouseClick(in<QAbstractButton>(window, name), Qt::LeftButton);
    }
    // Opens `path` and calculates with Method2.
    void calculate(const QString& path) {
        open(path);
        click(main_.get(), "Option1_1");
        click(main_.get(), "Command1");
        ASSERT_TRUE(services_.messages.isEmpty()) << services_.messages.join(' ').toStdString();
    }
    void scrollTo(int value) {
        auto* scroll = in<QScrollBar>(main_.get(), "HScroll1");
        scroll->setFocus();
        while (scroll->value() != value)
            QTest::keyClick(scroll, scroll->value() < value ? Qt::Key_Right : Qt::Key_Left);
    }

    // Cell (row, col) of the main window's results table, as designed.
    QString resultsCell(int row, int col) {
        return tamsor::testing::designCell(*in<tamsor::ResultsTable>(main_.get(), "MSFlexGrid1"),
                                           row, col);
    }

    // The cells of a window's table as the view shows them (sorted), tab-separated.
    QString rows(const char* table) {
        const QAbstractItemModel* model = in<QTableView>(window(), table)->model();
        QStringList lines;
        for (int row = 0; row < model->rowCount(); ++row) {
            QStringList cells;
            for (int col = 0; col < model->columnCount(); ++col)
                cells << model->index(row, col).data().toString();
            lines << cells.join('\t');
        }
        return lines.join('\n');
    }
    QString cell(const char* table, int row, int col) {
        return in<QTableView>(window(), table)->model()->index(row, col).data().toString();
    }

    ScratchFolder folder_;
    tamsor::ResultsModel model_;
    tamsor::EngineBinding engine_;
    ScriptedDesktopServices services_;
    std::unique_ptr<tamsor::MainWindow> main_;
};

TEST_F(ScheduleWindowTest, OpensOnlyForResultsShownAndFollowsTheScrollBar) {
    EXPECT_FALSE(scheduleItem()->isEnabled());
    EXPECT_EQ(scheduleItem()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_I));
    const QString building = file("BLDG.DAT", kBuilding);
    open(building);
    EXPECT_FALSE(scheduleItem()->isEnabled());
    calculate(building);
    EXPECT_TRUE(scheduleItem()->isEnabled());

    // The shortcut opens the window, modeless, on the result set on display.
    QTest::keyClick(main_.get(), Qt::Key_I, Qt::ControlModifier);
    ASSERT_NE(window(), nullptr);
    EXPECT_TRUE(window()->isVisible());
    EXPECT_FALSE(window()->isModal());
    EXPECT_EQ(window()->windowTitle(),
              "Isolator Schedule \u2013 " + QFileInfo(building).fileName());
    EXPECT_EQ(in<QLabel>(window(), "DataFile")->text(), building);
    EXPECT_EQ(in<QLabel>(window(), "Technique")->text(), "Method2");
    EXPECT_EQ(in<QLabel>(window(), "TypeCount")->text(), "1");
    // One type: 815 / 915 = 89.07 % below the design load.
    EXPECT_EQ(rows("TypesTable"), "1\t18\t100.0\t915.0\t505.00\t815.00\t81.2\t89.1");

    scrollTo(3);
    EXPECT_EQ(in<QLabel>(window(), "TypeCount")->text(), "3");
    EXPECT_EQ(in<QLabel>(window(), "SpreadFigures")->text(),
              QString::fromUtf8("Worst spread 4.8 %  \u00b7  capacity above need 1.0 %"));
    EXPECT_EQ(rows("TypesTable"),
              "1\t6\t100.0\t105.0\t102.50\t5.00\t2.4\t4.8\n"
              "2\t6\t500.0\t510.0\t505.00\t10.00\t1.0\t2.0\n"
              "3\t6\t900.0\t915.0\t907.50\t15.00\t0.8\t1.6");
    EXPECT_EQ(in<QTableView>(window(), "IsolatorsTable")->model()->rowCount(), 18);
    EXPECT_EQ(cell("IsolatorsTable", 2, 3), "\"core\" B/1");

    // Closed, it opens again from the menu, still on three types.
    window()->close();
    scheduleItem()->trigger();
    EXPECT_TRUE(window()->isVisible());
    EXPECT_EQ(in<QLabel>(window(), "TypeCount")->text(), "3");

    // Another file: the results shown are not its own.
    open(example("MUSEUM.DAT"));
    EXPECT_FALSE(scheduleItem()->isEnabled());
    EXPECT_TRUE(in<QLabel>(window(), "Note")->isVisibleTo(window()));
    EXPECT_EQ(in<QTableView>(window(), "TypesTable")->model()->rowCount(), 0);
    EXPECT_FALSE(in<QWidget>(window(), "Export")->isEnabled());
    EXPECT_FALSE(in<QWidget>(window(), "SaveReport")->isEnabled());
    click(main_.get(), "Command1");
    EXPECT_TRUE(scheduleItem()->isEnabled());
    EXPECT_EQ(in<QLabel>(window(), "DataFile")->text(),
              QString::fromStdString(folder_.file("MUSEUM.DAT").string()));
    EXPECT_EQ(in<QTableView>(window(), "IsolatorsTable")->model()->rowCount(), 36);
    EXPECT_FALSE(in<QLabel>(window(), "Note")->isVisibleTo(window()));

    // A failed calculation leaves nothing to schedule.
    open(file("few.DAT", "100\n200\n300\n"));
    click(main_.get(), "Command1");
    EXPECT_FALSE(scheduleItem()->isEnabled());
}

TEST_F(ScheduleWindowTest, SortsByAnyColumnAndCopiesTheSelection) {
    calculate(file("BLDG.DAT", kBuilding));
    scrollTo(3);
    scheduleItem()->trigger();
    auto* isolators = in<QTableView>(window(), "IsolatorsTable");
    auto* header = isolators->horizontalHeader();
    const auto clickHeader = [&](int column) {
        QTest::mouseClick(
            header->viewport(), Qt::LeftButton, {},
            QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
    };

    // The arrow points up over the smallest type, down once the order turns.
    auto* typesHeader = in<QTableView>(window(), "TypesTable")->horizontalHeader();
    EXPECT_EQ(typesHeader->sortIndicatorOrder(), Qt::AscendingOrder);
    EXPECT_TRUE(arrowPointsUp(typesHeader, 0));
    QTest::mouseClick(typesHeader->viewport(), Qt::LeftButton, {},
                      QPoint(5, typesHeader->height() / 2));
    EXPECT_EQ(cell("TypesTable", 0, 0), "3");
    EXPECT_FALSE(arrowPointsUp(typesHeader, 0));
    QTest::mouseClick(typesHeader->viewport(), Qt::LeftButton, {},
                      QPoint(5, typesHeader->height() / 2));
    EXPECT_TRUE(arrowPointsUp(typesHeader, 0));

    // Lines as numbers: 19 comes first going down, where text would put 9.
    clickHeader(0);
    EXPECT_EQ(cell("IsolatorsTable", 0, 0), "19");
    clickHeader(0);
    EXPECT_EQ(cell("IsolatorsTable", 0, 0), "1");
    // By type: file order is kept within a type.
    clickHeader(2);
    EXPECT_EQ(cell("IsolatorsTable", 0, 0), "2");
    EXPECT_EQ(cell("IsolatorsTable", 1, 0), "6");
    EXPECT_EQ(cell("IsolatorsTable", 17, 0), "19");
    // Loads as numbers, largest first; the sort stays while the window follows the scroll bar.
    clickHeader(1);
    clickHeader(1);
    EXPECT_EQ(cell("IsolatorsTable", 0, 1), "915.0");
    scrollTo(1);
    EXPECT_EQ(cell("IsolatorsTable", 0, 1), "915.0");
    EXPECT_EQ(cell("IsolatorsTable", 17, 1), "100.0");
    scrollTo(3);

    // Back in the schedule window, whose tables keep the keyboard to themselves.
    window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == window(); }));
    auto* types = in<QTableView>(window(), "TypesTable");
    types->setFocus();
    QTest::keyClick(types, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(types, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              "1\t6\t100.0\t105.0\t102.50\t5.00\t2.4\t4.8\n"
              "2\t6\t500.0\t510.0\t505.00\t10.00\t1.0\t2.0\n"
              "3\t6\t900.0\t915.0\t907.50\t15.00\t0.8\t1.6");

    // Keyboard: Tab runs from table to table to the buttons; all are named for screen readers.
    QTest::keyClick(types, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), isolators);
    for (const char* name : {"TypesTable", "IsolatorsTable", "Export", "SaveReport", "Close"}) {
        QAccessibleInterface* accessible =
            QAccessible::queryAccessibleInterface(in<QWidget>(window(), name));
        EXPECT_FALSE(accessible->text(QAccessible::Name).isEmpty()) << name;
    }
}

TEST_F(ScheduleWindowTest, ExportsCsvAndSavesThePdfReportThroughTheSaveDialog) {
    const QString building = file("BLDG.DAT", kBuilding);
    calculate(building);
    scrollTo(3);
    scheduleItem()->trigger();

    const auto csv = folder_.file("schedule.csv");
    services_.answerNextSaveDialog(QString::fromStdString(csv.string()));
    click(window(), "Export");
    EXPECT_EQ(services_.lastSaveDialog.title, "Export Isolator Schedule");
    EXPECT_EQ(services_.lastSaveDialog.suffix, "csv");
    EXPECT_EQ(services_.lastSaveDialog.suggestedPath,
              QString::fromStdString(folder_.file("BLDG-3-types.csv").string()));
    EXPECT_EQ(read_file(csv), kThreeTypesCsv);
    EXPECT_TRUE(services_.messages.isEmpty());

    // Cancel writes nothing.
    click(window(), "Export");
    EXPECT_EQ(read_file(csv), kThreeTypesCsv);

    // Page 1 holds the summary; the isolators follow, 49 to a page.
    const auto pdf = folder_.file("report.pdf");
    services_.answerNextSaveDialog(QString::fromStdString(pdf.string()));
    click(window(), "SaveReport");
    EXPECT_EQ(services_.lastSaveDialog.suffix, "pdf");
    std::string report = read_file(pdf);
    EXPECT_EQ(report.substr(0, 5), "%PDF-");
    EXPECT_EQ(pdfPages(report), 2);

    // 100 isolators: 49 + 49 + 2 on pages 2 to 4.
    open(example("TOWER100.DAT"));
    click(main_.get(), "Command1");
    ASSERT_TRUE(services_.messages.isEmpty());
    services_.answerNextSaveDialog(QString::fromStdString(pdf.string()));
    click(window(), "SaveReport");
    report = read_file(pdf);
    EXPECT_EQ(pdfPages(report), 4);
    EXPECT_TRUE(services_.messages.isEmpty());
}

// The heavy building's schedule shows, exports and prints like any other,
// and each mean reads the same in the results table, the schedule window,
// the CSV and the PDF: as the report writes it, or computed from the loads
// where the report holds asterisks.
TEST_F(ScheduleWindowTest, AHeavyBuildingShowsEveryMeanAsTheReportWritesItEverywhere) {
    // OFFICE5 with Optimal: type 1's loads give 1119.27499..., the report 1119.28.
    open(example("OFFICE5.DAT"));
    click(main_.get(), "Option1_2");
    scrollTo(5);
    QTest::keyClick(main_.get(), Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(resultsCell(1, 2), " 1119.28");
    EXPECT_EQ(cell("TypesTable", 0, 4), "1119.28");

    open(file("HEAVY.DAT", kHeavyBuilding));
    click(main_.get(), "Command1");
    ASSERT_TRUE(services_.messages.isEmpty()) << services_.details.join(' ').toStdString();
    scrollTo(3);
    EXPECT_EQ(resultsCell(1, 2), " 1515000.13");
    EXPECT_EQ(resultsCell(2, 2), " 2420000.00");
    EXPECT_EQ(resultsCell(3, 2), "**********");
    EXPECT_EQ(resultsCell(1, 4), " 947220992.00");

    EXPECT_FALSE(in<QLabel>(window(), "Note")->isVisibleTo(window()));
    EXPECT_EQ(rows("TypesTable"), kHeavyTypes);
    EXPECT_EQ(cell("IsolatorsTable", 1, 1), "11950000.0");
    EXPECT_EQ(cell("IsolatorsTable", 9, 1), "1510000.0");  // "1510000" in the file
    ASSERT_TRUE(in<QWidget>(window(), "Export")->isEnabled());
    ASSERT_TRUE(in<QWidget>(window(), "SaveReport")->isEnabled());

    const auto csv = folder_.file("heavy.csv");
    services_.answerNextSaveDialog(QString::fromStdString(csv.string()));
    click(window(), "Export");
    EXPECT_EQ(read_file(csv), kHeavyCsv);

    const auto pdf = folder_.file("heavy.pdf");
    services_.answerNextSaveDialog(QString::fromStdString(pdf.string()));
    click(window(), "SaveReport");
    ASSERT_TRUE(services_.messages.isEmpty()) << services_.details.join(' ').toStdString();
    EXPECT_EQ(pdfPages(read_file(pdf)), 2);
    const QString text = pdfText(pdf);
    if (text.isEmpty()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    // Page 1: the results table, the pooled variances, the types table.
    EXPECT_TRUE(hasRow(text, {"1", "4", "1515000.13", "1530000.0", "947220992.00"}))
        << text.toStdString();
    EXPECT_TRUE(hasRow(text, {"2", "5", "2420000.00"})) << text.toStdString();
    EXPECT_TRUE(hasRow(text, {"3", "3", "**********"})) << text.toStdString();
    EXPECT_TRUE(hasRow(text, {"5", "124998752.00"})) << text.toStdString();
    for (const QString& row : QString::fromLatin1(kHeavyTypes).split('\n'))
        EXPECT_TRUE(hasRow(text, row.split('\t'))) << row.toStdString() << '\n'
                                                   << text.toStdString();
    // Page 2: the isolators.
    EXPECT_TRUE(hasRow(text, {"2", "11950000.0", "3", "N core C/1"})) << text.toStdString();
    EXPECT_TRUE(hasRow(text, {"10", "1510000.0", "1", "N axis A/4"})) << text.toStdString();
}

TEST_F(ScheduleWindowTest, AWriteFailureIsReportedWithItsReasonAndCreatesNothing) {
    calculate(file("BLDG.DAT", kBuilding));
    scheduleItem()->trigger();
    // A folder that cannot be written into, for any user: it is a file.
    write_file(folder_.file("plain"), "not a folder");
    const QString csv = QString::fromStdString(folder_.file("plain").string()) + "/schedule.csv";
    services_.answerNextSaveDialog(csv);
    click(window(), "Export");
    ASSERT_EQ(services_.messages.size(), 1);
    EXPECT_EQ(services_.messages[0], "Cannot write " + csv);
    EXPECT_FALSE(services_.details[0].isEmpty());  // the system's reason

    const QString pdf = QString::fromStdString(folder_.file("plain").string()) + "/report.pdf";
    services_.answerNextSaveDialog(pdf);
    click(window(), "SaveReport");
    ASSERT_EQ(services_.messages.size(), 2);
    EXPECT_EQ(services_.messages[1], "Cannot write " + pdf);
    EXPECT_FALSE(services_.details[1].isEmpty());
    EXPECT_EQ(read_file(folder_.file("plain")), "not a folder");
}

// Export... and Save Report as PDF... over earlier files on a disk that
// fills up: a CSV of a few hundred bytes on a full disk, a report of tens of
// KiB with 16 to 24 KiB free. Each failure says so, with the system's
// reason, and leaves the earlier file byte for byte and nothing beside it.
TEST_F(ScheduleWindowTest, ExportsOnAFullDiskKeepTheEarlierFilesAndSayWhy) {
    calculate(file("BLDG.DAT", kBuilding));
    scrollTo(3);
    scheduleItem()->trigger();
    tamsor::testing::SmallDisk disk(folder_.file("stick"), 256 * 1024);
    if (!disk.mounted()) GTEST_SKIP() << disk.refusal();
    const auto csv = folder_.file("stick/s.csv");
    const auto pdf = folder_.file("stick/s.pdf");
    const auto exportTo = [&](const std::filesystem::path& path, const char* button) {
        services_.answerNextSaveDialog(QString::fromStdString(path.string()));
        click(window(), button);
    };
    exportTo(csv, "Export");
    exportTo(pdf, "SaveReport");
    ASSERT_TRUE(services_.messages.isEmpty()) << services_.details.join(' ').toStdString();
    const std::string earlierPdf = read_file(pdf);
    ASSERT_GT(earlierPdf.size(), 24u * 1024);
    // Two types: other files that would replace the earlier ones.
    scrollTo(2);

    ASSERT_EQ(disk.fillLeaving(0), 0u);
    exportTo(csv, "Export");
    ASSERT_EQ(services_.messages.size(), 1);
    EXPECT_EQ(services_.messages[0], "Cannot write " + QString::fromStdString(csv.string()));
    EXPECT_EQ(services_.details[0], "No space left on device");
    EXPECT_EQ(read_file(csv), kThreeTypesCsv);

    const std::size_t free = disk.fillLeaving(20 * 1024);
    ASSERT_GE(free, 16u * 1024);
    ASSERT_LE(free, 24u * 1024);
    exportTo(pdf, "SaveReport");
    ASSERT_EQ(services_.messages.size(), 2);
    EXPECT_EQ(services_.messages[1], "Cannot write " + QString::fromStdString(pdf.string()));
    EXPECT_EQ(services_.details[1], "No space left on device");
    EXPECT_TRUE(read_file(pdf) == earlierPdf);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.file("stick")),
                            std::filesystem::directory_iterator()),
              3);  // s.csv, s.pdf and the filler

    // With room again, both are replaced.
    std::filesystem::remove(folder_.file("stick/filler"));
    exportTo(csv, "Export");
    exportTo(pdf, "SaveReport");
    EXPECT_EQ(services_.messages.size(), 2);
    const std::string twoTypes =
        "type,isolators,smallest (kN),largest (design load) (kN),mean (kN),spread (kN),"
        "largest above mean %,spread %,"
        "worst spread %,capacity above need %\r\n"
        "1,6,100.0,105.0,102.50,5.00,2.4,4.8,45.4,27.7\r\n"
        "2,12,500.0,915.0,706.25,";
    EXPECT_EQ(read_file(csv).substr(0, twoTypes.size()), twoTypes);
    EXPECT_FALSE(read_file(pdf) == earlierPdf);
}

// A write that fails at a chosen byte, as a file size limit makes it: the
// same for any disk.
TEST_F(ScheduleWindowTest, AWriteThatFailsPartWayLeavesTheEarlierFile) {
    calculate(file("BLDG.DAT", kBuilding));
    scrollTo(3);
    scheduleItem()->trigger();
    const auto csv = folder_.file("s.csv");
    const auto pdf = folder_.file("s.pdf");
    write_file(csv, "earlier schedule\r\n");
    write_file(pdf, "%PDF- earlier report");
    {
        const tamsor::testing::FileSizeLimit limit(100);
        services_.answerNextSaveDialog(QString::fromStdString(csv.string()));
        click(window(), "Export");
    }
    {
        const tamsor::testing::FileSizeLimit limit(16 * 1024);
        services_.answerNextSaveDialog(QString::fromStdString(pdf.string()));
        click(window(), "SaveReport");
    }
    ASSERT_EQ(services_.messages.size(), 2);
    EXPECT_EQ(services_.messages[0], "Cannot write " + QString::fromStdString(csv.string()));
    EXPECT_EQ(services_.messages[1], "Cannot write " + QString::fromStdString(pdf.string()));
    EXPECT_EQ(services_.details, (QStringList{"File too large", "File too large"}));
    EXPECT_EQ(read_file(csv), "earlier schedule\r\n");
    EXPECT_EQ(read_file(pdf), "%PDF- earlier report");
}

TEST_F(ScheduleWindowTest, LoadsThatNoLongerMatchTheResultsShowANoteNotFigures) {
    calculate(file("BLDG.DAT", kBuilding));
    scrollTo(3);
    scheduleItem()->trigger();
    // The data file as if changed after the calculation: a load moved, then one lost.
    model_.DataLoads[0].load = 560;
    scrollTo(2);
    scrollTo(3);
    EXPECT_TRUE(in<QLabel>(window(), "Note")->text().contains("type 2 has another mean"));
    EXPECT_EQ(in<QTableView>(window(), "TypesTable")->model()->rowCount(), 0);
    EXPECT_FALSE(in<QWidget>(window(), "Export")->isEnabled());
    model_.DataLoads.pop_back();
    scrollTo(2);
    EXPECT_TRUE(in<QLabel>(window(), "Note")->text().contains("must end at 18"));
    EXPECT_EQ(in<QTableView>(window(), "IsolatorsTable")->model()->rowCount(), 0);
}

// The report's results and variance tables give the figures as the results
// table does, a figure too wide for the partition report as its asterisks.
TEST(ScheduleReportTables, ShowTheResultsAsTheResultsTableDoes) {
    tamsor::ResultsModel model;
    model.PartCount[1] = {5, 10};
    model.PartMean[1] = {736.84f, 0};
    model.PartMeanNotShown[1][1] = true;
    model.SetVariance[1] = 1;
    model.SetVarianceMax = 4227.19f;
    model.SetVarianceReported[1] = 4227.19f;
    model.SetVarianceNotShown[2] = true;
    model.PartLargest[1] = {802.5f, 1250.0f};
    const tamsor::TextTable results = tamsor::resultsTable(model, 2);
    EXPECT_EQ(results.header, (QStringList{"Partition", "Number", "Mean\n(kN)", "Largest\n(kN)",
                                           "Variance\n(kN\u00B2)"}));
    ASSERT_EQ(results.rows.size(), 2u);
    // The design load beside the mean, in the loads' format.
    EXPECT_EQ(results.rows[0], (QStringList{"1", "5", "736.84", "802.5", "4227.19"}));
    EXPECT_EQ(results.rows[1], (QStringList{"2", "10", "**********", "1250.0", ""}));
    const tamsor::TextTable variances = tamsor::varianceTable(model);
    ASSERT_EQ(variances.rows.size(), 7u);
    EXPECT_EQ(variances.rows[0], (QStringList{"2", "4227.19"}));
    EXPECT_EQ(variances.rows[1], (QStringList{"3", "************"}));
    EXPECT_EQ(variances.rows[6], (QStringList{"8", "0.00"}));
}

}  // namespace
