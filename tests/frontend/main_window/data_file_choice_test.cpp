// A data file from outside the main window — named on the command line,
// dropped from the file manager — and the Open dialog's folder, remembered
// from one run of the program to the next.
#include <gtest/gtest.h>

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QSettings>
#include <QUrl>
#include <QWindow>

#include "main_window_fixture.h"

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
    EXPECT_FALSE(runControlsEnabled());
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
