// SPDX-License-Identifier: GPL-3.0-or-later
// The main window on data files out of the ordinary, with the real engine and
// real files: it calculates the file chosen or says why it cannot, never
// shows another file's results, leaves the earlier results as they were when
// a run fails, and names the cause of every failure.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <future>
#include <set>
#include <sstream>
#include <thread>

#include <QApplication>
#include <QFile>
#include <QTimer>

#include "chart_window/chart_window.h"
#include "charts/chart_widget.h"
#include "main_window_fixture.h"
#include "plots/variance_plot.h"
#include "run/run_messages.h"
#include "tamsor/data_file_lock.h"
#include "widgets/canvas.h"

namespace {

namespace fs = std::filesystem;
using tamsor::testing::read_file;
using tamsor::testing::write_file;

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);

std::string example(const char* name) {
    return read_file(fs::path(TAMSOR_EXAMPLES_DIR) / name);
}

// The loads of an example building with each load multiplied by `factor`,
// as if written in another unit.
std::string scaledExample(const char* name, double factor) {
    std::istringstream in(example(name));
    std::ostringstream out;
    std::string line;
    while (std::getline(in, line)) {
        std::size_t end = 0;
        const double load = std::stod(line, &end);
        char number[32];
        std::snprintf(number, sizeof number, "%.10g", load * factor);
        out << number << line.substr(end) << '\n';
    }
    return out.str();
}

std::string loadLines(const std::vector<double>& loads) {
    std::ostringstream text;
    for (const double load : loads)
        text << load << "\r\n";
    return text.str();
}

QString text(const fs::path& path) {
    return QString::fromStdString(path.string());
}

using tamsor::testing::namesIn;

// A folder that takes no new files, for root too: by its permissions where
// they bind, else as a small file system mounted read-only.
class ReadOnlyFolder {
  public:
    ReadOnlyFolder(fs::path path, const std::string& fileName, const std::string& contents)
        : path_(std::move(path)) {
        fs::create_directory(path_);
        if (::geteuid() != 0) {
            write_file(path_ / fileName, contents);
            fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_exec);
            reason_ = EACCES;
            return;
        }
        if (::mount("tamsor-test", path_.c_str(), "tmpfs", 0, "size=64k") != 0) {
            skipReason_ = std::string("cannot mount a file system to make read-only: ") +
                          std::strerror(errno);
            return;
        }
        mounted_ = true;
        write_file(path_ / fileName, contents);
        if (::mount("tamsor-test", path_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) != 0)
            skipReason_ = std::string("cannot remount read-only: ") + std::strerror(errno);
        reason_ = EROFS;
    }
    ~ReadOnlyFolder() {
        if (mounted_)
            ::umount2(path_.c_str(), MNT_DETACH);
        else
            fs::permissions(path_, fs::perms::owner_all);
    }
    const std::string& skipReason() const { return skipReason_; }
    int reason() const { return reason_; }  // why a file cannot be created in it

  private:
    fs::path path_;
    bool mounted_ = false;
    int reason_ = 0;
    std::string skipReason_;
};

// Each protects one thing: the file calculated is the one chosen; results
// on display and on disk survive a failed run; the user is told the cause.
class TheDataFile : public tamsor::testing::MainWindow {};
class ResultFiles : public tamsor::testing::MainWindow {};
class Messages : public tamsor::testing::MainWindow {
  protected:
    // The last message shown, with its detail.
    std::pair<QString, QString> lastMessage() const {
        if (services_.messages.isEmpty()) return {};
        return {services_.messages.last(), services_.details.last()};
    }
};

TEST_F(TheDataFile, AtALongPathIsCalculatedNeverAFileNamedByItsFirst120Characters) {
    // A path of 127 characters; the first 120 name another building.
    const std::string fileName = "BLDG-LONG-NAME.DAT";
    const std::size_t folderLength = 127 - folder_.path().string().size() - 2 - fileName.size();
    const fs::path folder = folder_.file(std::string(folderLength, 'f'));
    fs::create_directory(folder);
    const fs::path chosen = folder / fileName;
    write_file(chosen, example("MUSEUM.DAT"));
    ASSERT_EQ(chosen.string().size(), 127u);
    const fs::path decoy = chosen.string().substr(0, 120);
    write_file(decoy, example("LABS.DAT"));
    const fs::path workingFolder = fs::current_path();

    open(text(chosen));
    click("Command1");
    EXPECT_TRUE(services_.messages.isEmpty()) << services_.details.join('\n').toStdString();
    EXPECT_EQ(cell(1, 1), " 36");
    EXPECT_EQ(cell(1, 2), " 1213.79");
    EXPECT_EQ(model_.DataLoads.size(), 36u);
    EXPECT_EQ(namesIn(folder), (std::set<std::string>{"BLDG-LONG-N", "BLDG-LONG-NAME.DAT",
                                                      "BLDG-LONG-NAME.out", "BLDG-LONG-NAME.plt"}));
    EXPECT_EQ(fs::current_path(), workingFolder);

    // A file name the engine cannot take at all is refused, saying why.
    const std::string longName = std::string(121, 'n') + ".DAT";
    open(dataFile(longName, example("MUSEUM.DAT")));
    click("Command1");
    EXPECT_EQ(services_.messages.last(), tamsor::kUnreadableLoadsMessage);
    EXPECT_EQ(services_.details.last(),
              "The file name has 125 bytes, more than the 120 that the calculation engine takes; "
              "give the file a shorter name");
    // A blank at the end of the name would be dropped: another file.
    write_file(folder_.file("b.DAT"), example("LABS.DAT"));
    open(dataFile("b.DAT ", example("MUSEUM.DAT")));
    click("Command1");
    EXPECT_EQ(services_.details.last(),
              "The file name ends with a blank, which the calculation engine would drop; rename "
              "the file");
    EXPECT_EQ(engine_.calculations(), 1);
    EXPECT_EQ(cell(1, 1), "");  // nothing of another file is shown

    // Optimal runs in the program and takes the long name as it is; the blank
    // it refuses too (at once when chosen), as the result files' names would
    // drop it.
    click("Option1_2");
    EXPECT_EQ(services_.messages.size(), 3u);
    open(text(folder_.file(longName)));
    click("Command1");
    EXPECT_EQ(services_.messages.size(), 3u) << services_.details.join('\n').toStdString();
    EXPECT_EQ(cell(1, 1), " 36");
    open(text(folder_.file("b.DAT ")));
    click("Command1");
    EXPECT_EQ(services_.details.last(),
              "The file name ends with a blank, which the calculation engine would drop; rename "
              "the file");
    EXPECT_FALSE(fs::exists(folder_.file("b.out")));
}

TEST_F(TheDataFile, WithANameInLatin1IsFoundByItsBytes) {
    const std::string latin1 = folder_.file("caf\xE9.DAT").string();
    write_file(latin1, example("MUSEUM.DAT"));
    // As typed, and as a dialog that lists the name shows it (U+FFFD).
    const QString typed = text(folder_.path()) + QStringLiteral("/caf") + QChar(0xE9) + ".DAT";
    const QString listed = QFile::decodeName(QByteArray::fromStdString(latin1));
    for (const QString& name : {typed, listed}) {
        open(name);
        click("Command1");
        EXPECT_TRUE(services_.messages.isEmpty()) << services_.details.join('\n').toStdString();
        EXPECT_EQ(cell(1, 1), " 36");
        EXPECT_EQ(model_.DataLoads.size(), 36u);
    }
    EXPECT_EQ(engine_.calculations(), 2);
    EXPECT_EQ(namesIn(folder_.path()),
              (std::set<std::string>{"caf\xE9.DAT", "caf\xE9.out", "caf\xE9.plt"}));

    // Two names that show alike cannot be told apart: refused, results kept.
    write_file(folder_.file("caf\xE8.DAT"), example("LABS.DAT"));
    open(listed);
    const tamsor::ResultsModel before = model_;
    click("Command1");
    EXPECT_EQ(services_.messages, QStringList{tamsor::kUnreadableLoadsMessage});
    EXPECT_TRUE(services_.details.last().startsWith("Several files in the folder answer to"));
    EXPECT_TRUE(model_ == before);
    EXPECT_EQ(engine_.calculations(), 2);
}

TEST_F(TheDataFile, IsNeverReplacedByItsOwnResults) {
    const QString data = dataFile("loads.out", example("MUSEUM.DAT"));
    open(data);
    click("Command1");
    EXPECT_EQ(services_.messages, QStringList{tamsor::kCannotWriteResultsMessage});
    EXPECT_EQ(services_.details.last(), "The result file " + data +
                                            " would overwrite the data file itself; give the "
                                            "data file another extension, such as .DAT");
    EXPECT_EQ(read_file(folder_.file("loads.out")), example("MUSEUM.DAT"));
    EXPECT_EQ(engine_.calculations(), 0);
}

TEST_F(TheDataFile, ThatIsNotARegularFileIsRefusedAtOnce) {
    const fs::path fifo = folder_.file("pipe.DAT");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    open(text(fifo));
    ::alarm(20);  // a run that waits for a writer ends the tests
    click("Command1");
    ::alarm(0);
    EXPECT_EQ(services_.messages, QStringList{tamsor::kUnreadableLoadsMessage});
    EXPECT_EQ(services_.details.last(),
              "The data file is not a regular file but a pipe, a device or a folder");
    EXPECT_TRUE(runControlsEnabled());
}

TEST_F(TheDataFile, IsLockedAgainstOtherRunsOnIt) {
    const QString data = copyExample("MUSEUM.DAT");
    const std::string path = data.toStdString();
    open(data);
    {
        const tamsor::DataFileLock other(path.c_str());
        ASSERT_TRUE(other.locked());
        window_->setLockPatience(std::chrono::milliseconds(50));
        click("Command1");
    }
    EXPECT_EQ(services_.messages, QStringList{tamsor::kDataFileBusyMessage});
    EXPECT_EQ(services_.details.last(),
              "Another calculation on this data file (in tamsor-batch or another window) did not "
              "finish within 0.05 seconds. Try again when it has finished.");
    EXPECT_EQ(engine_.calculations(), 0);
    EXPECT_FALSE(model_.hasResults());

    // A run that lets go in time is waited for.
    std::promise<void> locked;
    std::thread other([&] {
        const tamsor::DataFileLock lock(path.c_str());
        locked.set_value();
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    });
    locked.get_future().wait();
    window_->setLockPatience(std::chrono::seconds(20));
    open(data);
    click("Command1");
    other.join();
    EXPECT_EQ(services_.messages.size(), 1);
    EXPECT_EQ(cell(1, 1), " 36");
}

TEST_F(ResultFiles, ThatCannotBeWrittenBesideTheDataFileAreWrittenBesideACopyElsewhere) {
    const ReadOnlyFolder folder(folder_.file("read-only"), "LABS.DAT", example("LABS.DAT"));
    if (!folder.skipReason().empty()) GTEST_SKIP() << folder.skipReason();
    const fs::path data = folder_.file("read-only/LABS.DAT");
    fs::create_directory(folder_.file("documents"));
    window_->setExampleFolders(QString(), text(folder_.file("documents")));

    // Method 1 on Calculate, Optimal at once when chosen; the save dialog
    // cancelled.
    open(text(data));
    for (const char* control : {"Command1", "Option1_2"}) {
        SCOPED_TRACE(control);
        services_.answerNextSaveDialog(std::nullopt);
        click(control);
        // The design's message; the cause, then the way on, as its detail.
        EXPECT_EQ(services_.messages.last(), tamsor::kCannotWriteResultsMessage);
        EXPECT_TRUE(services_.details.last().startsWith(
            text(folder_.file("read-only/LABS.out")) + ": " +
            QString::fromLocal8Bit(std::strerror(folder.reason()))));
        EXPECT_TRUE(
            services_.details.last().contains("choose another folder for a copy of LABS.DAT"));
        EXPECT_EQ(services_.lastSaveDialog.suggestedPath, text(folder_.file("documents/LABS.DAT")));
        EXPECT_FALSE(zoomEnabled());
        EXPECT_EQ(namesIn(folder_.file("read-only")), std::set<std::string>{"LABS.DAT"});
    }
    EXPECT_EQ(services_.messages.size(), 2);

    // Saved elsewhere, the copy is chosen and calculated at once.
    services_.answerNextSaveDialog(text(folder_.file("documents/LABS.DAT")));
    click("Command1");
    EXPECT_EQ(services_.messages.size(), 3);
    EXPECT_EQ(model_.DataFileName, text(folder_.file("documents/LABS.DAT")));
    EXPECT_EQ(window_->windowTitle(), "TAMSOR \u2013 LABS.DAT");
    EXPECT_TRUE(zoomEnabled());
    EXPECT_EQ(model_.DataLoads.size(), 48u);
    EXPECT_EQ(namesIn(folder_.file("documents")),
              (std::set<std::string>{"LABS.DAT", "LABS.out", "LABS.plt"}));
    EXPECT_EQ(read_file(folder_.file("documents/LABS.DAT")), example("LABS.DAT"));
}

TEST_F(Messages, ForRefusedLoadsSayWhichLineAndWhy) {
    struct Case {
        std::string loads;
        QString detail;
        bool classicOnly = false;
    };
    std::vector<double> overflowing(20, 1e30);
    overflowing[0] = 2e30;
    const Case cases[] = {
        {"1250 kN\r\n1300\r\nabc\r\n", "Line 3: \"abc\" is not a number"},
        {"1250\n\n1e39 kN\n", "Line 3: \"1e39\" is beyond the range of a load"},
        // Optimal takes them (a large building); the classic techniques name their limit.
        {loadLines(std::vector<double>(101, 250)),
         "101 isolators, at most 100. Method 1 and Method2 take 11 to 100 isolators; choose "
         "Optimal or Least spread, which take up to 100000.",
         true},
        {loadLines({1, 2, 3, 4, 5, 6, 7, 8, 9}), "9 isolators, at least 11"},
        {"", "0 isolators, at least 11"},
        // Read as sound, but their single-precision sums overflow in the run.
        {loadLines(overflowing), "The loads are too large: their single-precision sums overflow"},
    };
    // Every technique refuses them alike, and Calculate stays available. With
    // no file chosen, choosing a technique only moves the selection; after a
    // refusal it calculates the file again at once.
    for (const char* technique : {"Option1_0", "Option1_2"}) {
        click(technique);
        for (const auto& c : cases) {
            SCOPED_TRACE(technique);
            if (c.classicOnly && std::string(technique) == "Option1_2") continue;
            open(dataFile("b.DAT", c.loads));
            click("Command1");
            EXPECT_EQ(lastMessage(), std::make_pair(tamsor::kUnreadableLoadsMessage, c.detail));
            EXPECT_TRUE(runControlsEnabled());
            EXPECT_EQ(namesIn(folder_.path()), std::set<std::string>{"b.DAT"});
        }
    }
    // Optimal skips the one case it takes, and its choice after a refusal
    // calculates the refused file once more.
    EXPECT_EQ(services_.messages.size(), 2 * std::size(cases));
    EXPECT_EQ(engine_.calculations(), 1);  // Method 1 only for loads that overflow

    open(text(folder_.file("none.DAT")));
    click("Command1");
    EXPECT_EQ(lastMessage(),
              std::make_pair(
                  tamsor::kUnreadableLoadsMessage,
                  QStringLiteral("The data file cannot be opened: No such file or directory")));
}

TEST_F(Messages, WarnOnceACalculationOfLoadsThatLookLikeADecimalComma) {
    std::string loads = loadLines(std::vector<double>(19, 500));
    loads.insert(4 * 5, "150,75 kN  axis C/2\r\n");
    click("Option1_1");
    open(dataFile("b.DAT", loads));
    click("Command1");
    // Read as 150: mean (19 x 500 + 150) / 20 = 482.5, squared differences
    // 19 x 17.5^2 + 332.5^2 = 116375, / 20 = 5818.75.
    EXPECT_EQ(cell(1, 2), " 482.50");
    EXPECT_EQ(cell(1, 4), " 5818.75");
    const auto warning = std::make_pair(
        tamsor::kDecimalCommaMessage,
        QStringLiteral("Line 5: \"150,75\" looks like a decimal comma; read as 150"));
    EXPECT_EQ(services_.messages.size(), 1);
    EXPECT_EQ(lastMessage(), warning);
    EXPECT_TRUE(runControlsEnabled());
    click("Command1");
    EXPECT_EQ(services_.messages.size(), 2);
    EXPECT_EQ(lastMessage(), warning);
}

// The chart that the variance Zoom shows, read while the chart window is open.
tamsor::ChartContent varianceChart(QWidget* zoom) {
    tamsor::ChartContent shown;
    QTimer::singleShot(0, [&] {
        auto* chart = qobject_cast<tamsor::ChartWindow*>(QApplication::activeModalWidget());
        if (chart == nullptr) return;
        shown = *chart->findChild<tamsor::ChartWidget*>("Graph1")->content();
        chart->findChild<QAction*>("Exit_Menu")->trigger();
    });
    QTest::mouseClick(zoom, Qt::LeftButton);
    return shown;
}

TEST_F(Messages, ShowWhatTheReportHoldsForLoadsInNewtons) {
    // The warehouse in newtons: pooled variances a million times those in
    // kN, wider than their 12 columns for 2, 3 and 8 types (12360.51,
    // 11566.21 and 3510.47 kN^2 before); means of 522000 to 1551000 fit.
    click("Option1_1");
    open(dataFile("WAREHSE.DAT", scaledExample("WAREHSE.DAT", 1000)));
    click("Command1");
    EXPECT_TRUE(services_.messages.isEmpty()) << services_.details.join('\n').toStdString();
    EXPECT_EQ(cell(1, 1), " 40");
    EXPECT_EQ(cell(1, 2), " 1119950.00");
    EXPECT_EQ(cell(1, 4), "************");
    // Points 4 to 7 from the report's 606177472.00, 513933216.00,
    // 156723296.00 and 216221472.00, the first of them the largest.
    const auto report = read_file(folder_.file("WAREHSE.out"));
    ASSERT_EQ(report.substr(3 * 58 + 21 * 6, 16), "   4606177472.00");
    std::vector<tamsor::CanvasSegment> red;
    for (const auto& segment : control<tamsor::Canvas>("Picture2")->scene().segments())
        if (segment.color == kRed) red.push_back(segment);
    ASSERT_EQ(red.size(), 3u);
    EXPECT_EQ(red[0].from, QPointF(0.5, 1));
    EXPECT_FLOAT_EQ(red[0].to.y(), 513933216.0f / 606177472.0f);
    EXPECT_EQ(red[2].to.x(), 0.875);
    EXPECT_FLOAT_EQ(red[2].to.y(), 216221472.0f / 606177472.0f);
    scrollTo(4);
    EXPECT_EQ(cell(1, 4), " 606177472.00");
    EXPECT_EQ(cell(4, 2), " 1531750.00");

    const tamsor::ChartContent chart = varianceChart(control<QWidget>("Command3"));
    ASSERT_EQ(chart.points.size(), 4);
    EXPECT_EQ(chart.points[0].label, "4");
    EXPECT_EQ(chart.points[3].label, "7");
    EXPECT_FLOAT_EQ(static_cast<float>(chart.points[1].value), 513933216.0f);

    // In micronewtons not even a mean fits: the table (still at four types)
    // shows the asterisks, the plot and chart say why they are empty.
    open(dataFile("WAREHSE.DAT", scaledExample("WAREHSE.DAT", 1e6)));
    click("Command1");
    EXPECT_TRUE(services_.messages.isEmpty()) << services_.details.join('\n').toStdString();
    EXPECT_EQ(cell(1, 1), " 4");
    EXPECT_EQ(cell(1, 2), "**********");
    EXPECT_EQ(cell(1, 4), "************");
    auto* variancePlot = control<tamsor::Canvas>("Picture2");
    for (const auto& segment : variancePlot->scene().segments())
        EXPECT_NE(segment.color, kRed);
    EXPECT_EQ(variancePlot->scene().texts().back().text, tamsor::kVariancesNotShownNote);
    int starts = 0;
    for (const auto& segment : control<tamsor::Canvas>("Picture1")->scene().segments()) {
        EXPECT_FALSE(segment.color == kBlue && segment.dashed) << "a mean level not shown";
        starts += segment.color == kBlue ? 1 : 0;
    }
    EXPECT_EQ(starts, 4);
    const tamsor::ChartContent empty = varianceChart(control<QWidget>("Command3"));
    EXPECT_TRUE(empty.points.isEmpty());
    EXPECT_EQ(empty.title, "Variance: too wide for the report");
}

}  // namespace
