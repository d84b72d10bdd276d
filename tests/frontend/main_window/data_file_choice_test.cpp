// SPDX-License-Identifier: GPL-3.0-or-later
// A data file from outside the main window — named on the command line,
// dropped from the file manager — and the Open dialog's folder, remembered
// from one run of the program to the next.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QSettings>
#include <QUrl>
#include <QWindow>

#include "main_window_fixture.h"
#include "run/run_messages.h"

namespace {

using tamsor::testing::MainWindow;

// Files dragged onto the main window over its load plot, delivered through
// the window's platform window, as the platform delivers a drag: Qt finds
// the widget under the point and hands the drag to the one that takes drops.
class DataFileFromOutside : public MainWindow {
  protected:
    // Whether the window takes the drag when it enters.
    bool dragEnters(const QList<QUrl>& urls) {
        mime_.setUrls(urls);
        QDragEnterEvent enter(dropPoint(), Qt::CopyAction, &mime_, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window_->windowHandle(), &enter);
        return enter.isAccepted();
    }
    bool drop(const QList<QUrl>& urls) {
        if (!dragEnters(urls)) return false;
        QDropEvent drop(dropPoint(), Qt::CopyAction, &mime_, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window_->windowHandle(), &drop);
        return drop.isAccepted();
    }
    QPoint dropPoint() {
        auto* plot = control<QWidget>("Picture1");
        return plot->mapTo(window_.get(), plot->rect().center());
    }
    static QUrl local(const QString& path) { return QUrl::fromLocalFile(path); }

    QMimeData mime_;
};

TEST_F(DataFileFromOutside, IsChosenAsFileOpenChoosesItAndWaitsForCalculate) {
    const QString path = copyExample("MUSEUM.DAT");
    window_->chooseDataFile(path);
    EXPECT_EQ(model_.DataFileName, path);
    EXPECT_TRUE(runControlsEnabled());
    EXPECT_EQ(engine_.calculations(), 0);
    EXPECT_TRUE(services_.messages.isEmpty());

    // A cancelled File > Open keeps it, as it keeps a file the dialog returned.
    open(std::nullopt);
    EXPECT_EQ(model_.DataFileName, path);
    click("Command1");
    EXPECT_TRUE(services_.messages.isEmpty());
    EXPECT_EQ(cell(1, 1), " 36");
}

TEST_F(DataFileFromOutside, ThatIsNotThereIsReportedAtOnceAndNothingIsChosen) {
    const QString missing = folder_.file("MISSING.DAT").c_str();
    window_->chooseDataFile(missing);
    ASSERT_EQ(services_.messages.size(), 1);
    EXPECT_EQ(services_.messages[0],
              "Error reading loads from data file or there are too few isolators, Minimum = 11");
    EXPECT_EQ(services_.details[0], "The data file cannot be opened: No such file or directory");
    EXPECT_FALSE(runControlsEnabled());
    EXPECT_EQ(model_.DataFileName, QString());

    // The words of a calculation of the same name chosen through File > Open.
    open(missing);
    click("Command1");
    ASSERT_EQ(services_.messages.size(), 2);
    EXPECT_EQ(services_.messages[1], services_.messages[0]);
    EXPECT_EQ(services_.details[1], services_.details[0]);

    // A folder likewise.
    const QString folder = QString::fromStdString(folder_.path().string());
    window_->chooseDataFile(folder);
    open(folder);
    click("Command1");
    ASSERT_EQ(services_.messages.size(), 4);
    EXPECT_TRUE(services_.details[2].contains("not a regular file"));
    EXPECT_EQ(services_.details[3], services_.details[2]);
    EXPECT_TRUE(runControlsEnabled());
    EXPECT_EQ(engine_.calculations(), 0);
}

TEST_F(DataFileFromOutside, DroppedOnTheWindowIsChosenWhenItIsOneDataFile) {
    const QString museum = copyExample("MUSEUM.DAT");
    const QString lowerCase = dataFile("loads.dat", "100\n");
    // Taken by the dialog's pattern, in either letter case; anything else is
    // refused as the drag enters, and the window stays as it was.
    EXPECT_TRUE(dragEnters({local(museum)}));
    EXPECT_TRUE(dragEnters({local(lowerCase)}));
    EXPECT_FALSE(dragEnters({local(dataFile("loads.txt", "100\n"))}));
    EXPECT_FALSE(dragEnters({local(museum), local(lowerCase)}));
    EXPECT_FALSE(dragEnters({QUrl(QStringLiteral("https://example.com/MUSEUM.DAT"))}));
    EXPECT_FALSE(runControlsEnabled());

    EXPECT_TRUE(drop({local(museum)}));
    EXPECT_EQ(model_.DataFileName, museum);
    EXPECT_TRUE(runControlsEnabled());
    EXPECT_EQ(engine_.calculations(), 0);

    // After a calculation another file dropped is chosen, its results to come.
    click("Command1");
    EXPECT_TRUE(drop({local(lowerCase)}));
    EXPECT_EQ(model_.DataFileName, lowerCase);
    EXPECT_FALSE(control<QAction>("Schedule_menu")->isEnabled());
    EXPECT_EQ(engine_.calculations(), 1);
    EXPECT_TRUE(services_.messages.isEmpty());
}

// A Latin-1 name, café.DAT with byte E9, as the command line hands it over
// (the undecodable byte as U+FFFD) and as the file manager drops it
// (percent-encoded bytes): found as File > Open finds it, and calculated.
TEST_F(DataFileFromOutside, WithALatin1NameIsFoundByItsBytes) {
    const std::string bytes = folder_.file("caf\xE9.DAT").string();
    tamsor::testing::write_file(
        bytes, tamsor::testing::read_file(copyExample("MUSEUM.DAT").toStdString()));
    window_->chooseDataFile(QString::fromLocal8Bit(bytes.c_str()));
    EXPECT_TRUE(services_.messages.isEmpty()) << services_.details.join('\n').toStdString();
    click("Command1");
    EXPECT_EQ(cell(1, 1), " 36");

    EXPECT_TRUE(drop(
        {QUrl::fromEncoded("file://" + QByteArray::fromStdString(bytes).toPercentEncoding("/"))}));
    EXPECT_TRUE(runControlsEnabled());
    click("Option1_2");
    EXPECT_TRUE(services_.messages.isEmpty()) << services_.details.join('\n').toStdString();
    EXPECT_EQ(model_.MethodFlag, tamsor::TechniqueId::kOptimal);
    EXPECT_EQ(model_.DataLoads.size(), 36u);
}

// A name that ends with a blank would lose it in the result files' names and
// replace MUSEUM.DAT's results: chosen from the command line, and refused by
// every technique alike.
TEST_F(DataFileFromOutside, EndingWithABlankIsRefusedByEveryTechnique) {
    copyExample("MUSEUM.DAT");
    const QString blank = dataFile("MUSEUM.DAT ", "100\n");
    window_->chooseDataFile(blank);
    // Method 1 on Calculate, Optimal at once when chosen.
    for (const char* control : {"Command1", "Option1_2"}) {
        click(control);
        EXPECT_EQ(services_.messages.last(), tamsor::kUnreadableLoadsMessage);
        EXPECT_TRUE(services_.details.last().startsWith("The file name ends with a blank"));
        EXPECT_TRUE(runControlsEnabled());
    }
    EXPECT_EQ(services_.messages.size(), 2);
    EXPECT_FALSE(std::filesystem::exists(folder_.file("MUSEUM.out")));
}

// The program itself, started as the menu entry starts it: the Latin-1 name
// is taken as its data file, which moves the Open dialog's folder.
TEST(Program, TakesALatin1DataFileNamedOnTheCommandLine) {
    const tamsor::testing::ScratchFolder folder;
    const std::string data = folder.file("caf\xE9.DAT").string();
    tamsor::testing::write_file(data, "100\n");
    const std::string config = "XDG_CONFIG_HOME=" + folder.file("config").string();
    std::vector<char*> environment{const_cast<char*>(config.c_str()),
                                   const_cast<char*>("QT_QPA_PLATFORM=offscreen")};
    for (char** variable = environ; *variable != nullptr; ++variable)
        environment.push_back(*variable);
    environment.push_back(nullptr);
    const char* arguments[] = {TAMSOR_PROGRAM, data.c_str(), nullptr};
    pid_t program = 0;
    ASSERT_EQ(::posix_spawn(&program, TAMSOR_PROGRAM, nullptr, nullptr,
                            const_cast<char**>(arguments), environment.data()),
              0);
    const auto settings = folder.file("config/TAMSOR/TAMSOR.conf");
    const std::string taken = "lastDataFolder=" + folder.path().string() + "\n";
    std::string written;
    for (int polls = 0; polls < 300 && written.find(taken) == std::string::npos; ++polls) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        written = tamsor::testing::read_file(settings);
    }
    ::kill(program, SIGTERM);
    ::waitpid(program, nullptr, 0);
    EXPECT_NE(written.find(taken), std::string::npos) << written;
}

TEST_F(DataFileFromOutside, TheOpenDialogStartsInTheFolderOfTheLastOneInLaterRunsToo) {
    QSettings().clear();
    open(std::nullopt);
    EXPECT_EQ(services_.lastDialog.startFolder, QString());  // never chosen: the dialog's own

    const QString museum = copyExample("MUSEUM.DAT");
    const QString folder = QString::fromStdString(folder_.path().string());
    open(museum);
    open(std::nullopt);
    EXPECT_EQ(services_.lastDialog.startFolder, folder);

    // The next run of the program, its window new.
    tamsor::ResultsModel model;
    tamsor::MainWindow nextRun(model, engine_, services_);
    nextRun.findChild<QAction*>("FOpen_menu")->trigger();
    EXPECT_EQ(services_.lastDialog.startFolder, folder);

    // A file named from outside moves it as well.
    tamsor::testing::ScratchFolder elsewhere;
    const auto other = elsewhere.file("OTHER.DAT");
    tamsor::testing::write_file(other, "100\n");
    nextRun.chooseDataFile(QString::fromStdString(other.string()));
    nextRun.findChild<QAction*>("FOpen_menu")->trigger();
    EXPECT_EQ(services_.lastDialog.startFolder, QString::fromStdString(elsewhere.path().string()));
}

}  // namespace
