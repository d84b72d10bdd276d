// SPDX-License-Identifier: GPL-3.0-or-later
// Takes the README's pictures from the real windows, driven as a user would:
// File > Open (the dialog answered with a copy of examples/MUSEUM.DAT),
// Optimal, the scroll bar to five isolator types, then Zoom and every chart of
// the chart window; then File > Open of examples/SCHOOL.DAT, Calculate, three
// isolator types, Results > Isolator Schedule and its "Save Report as PDF...".
// Writes screenshot.png (the main window), charts.png (a collage of the chart
// window in each style), schedule.png (the schedule window) and
// schedule-report.pdf (the report, which scripts/screenshots turns into a
// picture of its first page) into the folder given. scripts/screenshots runs
// it under Xvfb; offscreen it checks that the pictures can still be taken.
#include <cstdio>
#include <optional>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>
#include <QTimer>

#include "app/desktop_services.h"
#include "main_window/main_window.h"
#include "results/results_model.h"
#include "run/engine_binding.h"

namespace {

constexpr QSize kMainWindowSize(1280, 800);
// Taken at the size of a large window, shown at half of it.
constexpr QSize kChartWindowSize(1200, 740);
constexpr QSize kScheduleWindowSize(820, 660);

// Answers the Open and Save dialogs with one file each; a message means the
// run failed.
class AnsweringServices final : public tamsor::DesktopServices {
  public:
    std::optional<QString> chooseFileToSave(QWidget*, const QString&, const QString&,
                                            const QString&, const QString&) override {
        return savePath;
    }
    std::optional<QString> chooseFileToOpen(QWidget*, const QString&, const QString&,
                                            const QString&, const QString&) override {
        return openPath;
    }
    void showMessage(QWidget*, const QString& text, const QString&) override { messages << text; }
    QString openPath;
    QString savePath;
    QStringList messages;
};

// The window at its picture size, laid out and painted.
QImage shot(QWidget& window, QSize size) {
    window.resize(size);
    QTest::qWait(200);
    return window.grab().toImage();
}

// The window's picture under its caption. Xvfb runs no window manager, so the
// title bar that a desktop draws over the window is drawn here, with the
// window's own title.
QImage withCaption(const QImage& window, const QString& title) {
    constexpr int kBar = 30;  // logical pixels, as the window's
    const qreal ratio = window.devicePixelRatio();
    QImage image(window.width(), window.height() + static_cast<int>(kBar * ratio),
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(QColor(0x3C, 0x3F, 0x44));
    QPainter painter(&image);
    painter.drawImage(QPoint(0, kBar), window);
    QFont font = QApplication::font();
    font.setPixelSize(15);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(0, 0, image.width() / ratio, kBar), Qt::AlignCenter, title);
    return image;
}

// The chart window's pictures under their captions, two to a row.
QImage collage(const QList<std::pair<QImage, QString>>& charts) {
    constexpr int kGap = 16;
    constexpr int kCaption = 44;
    const QSize cell = kChartWindowSize / 2;
    const int rows = static_cast<int>((charts.size() + 1) / 2);
    QImage image(kGap + 2 * (cell.width() + kGap), kGap + rows * (cell.height() + kCaption),
                 QImage::Format_RGB32);
    image.fill(QColor(0xF3, 0xF3, 0xF3));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = QApplication::font();
    font.setPointSize(15);
    painter.setFont(font);
    for (qsizetype i = 0; i < charts.size(); ++i) {
        const QPoint at(kGap + static_cast<int>(i % 2) * (cell.width() + kGap),
                        kGap + static_cast<int>(i / 2) * (cell.height() + kCaption));
        painter.drawImage(QRect(at, cell),
                          charts[i].first.scaled(cell * charts[i].first.devicePixelRatio(),
                                                 Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        painter.drawText(QRect(at + QPoint(0, cell.height()), QSize(cell.width(), kCaption)),
                         Qt::AlignCenter, charts[i].second);
    }
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // Idle threads of Qt's image pool end before the leak check at exit.
    struct ThreadPoolDrain {
        ~ThreadPoolDrain() { QThreadPool::globalInstance()->waitForDone(); }
    } drainBeforeExit;
    QApplication::setApplicationName(tamsor::kApplicationTitle);
    // Nothing remembered from the user's own runs: the first start's
    // technique and load unit, and no recent files.
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshots OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir output(QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath());

    // The techniques write their result files beside the input: copies in an
    // examples folder of a scratch folder keep examples/ clean, and, opened
    // from there, the windows show the data file as examples/NAME.DAT.
    QTemporaryDir scratch;
    if (!QDir(scratch.path()).mkdir(QStringLiteral("examples")) ||
        !QDir::setCurrent(scratch.path()))
        return 1;
    const auto copyExample = [&](const char* name) {
        const QString copy = QStringLiteral("examples/") + QString::fromLatin1(name);
        QFile::copy(QStringLiteral(TAMSOR_EXAMPLES_DIR "/") + QString::fromLatin1(name), copy);
        return QDir::toNativeSeparators(copy);
    };

    tamsor::ResultsModel model;
    tamsor::EngineBinding engine(QStringLiteral(TAMSOR_ENGINE_LIBRARY));
    AnsweringServices services;
    services.openPath = copyExample("MUSEUM.DAT");
    tamsor::MainWindow window(model, engine, services);
    window.resize(kMainWindowSize);
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window)) return 1;

    // Choosing Optimal after File > Open calculates at once. The click goes on
    // the button's circle: the middle of the wide button lies past its caption.
    QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
    auto* optimal = window.findChild<QAbstractButton*>(QStringLiteral("Option1_2"));
    QTest::mouseClick(optimal, Qt::LeftButton, {}, QPoint(8, optimal->height() / 2));
    auto* scroll = window.findChild<QScrollBar*>(QStringLiteral("HScroll1"));
    // Clicks the scroll bar's arrows until it shows `types`.
    const auto showTypes = [&](int types) {
        for (int clicks = 0; clicks < 8 && scroll->value() != types; ++clicks)
            QTest::mouseClick(
                scroll, Qt::LeftButton, {},
                QPoint(scroll->value() < types ? scroll->width() - 3 : 3, scroll->height() / 2));
        if (!services.messages.isEmpty() || window.shownTypes() != types) {
            std::fprintf(stderr, "the calculation did not show %d isolator types: %d, %s\n", types,
                         window.shownTypes(), qPrintable(services.messages.join(' ')));
            return false;
        }
        return true;
    };
    if (!showTypes(5)) return 1;
    const QImage main = withCaption(shot(window, kMainWindowSize), window.windowTitle());

    // Zoom on the load plot opens the chart window modally; it is driven from
    // inside its own event loop and closed with Exit.
    QList<std::pair<QImage, QString>> charts;
    QTimer::singleShot(0, [&] {
        QWidget* chartWindow = QApplication::activeModalWidget();
        const auto choose = [&](const char* item) {
            chartWindow->findChild<QAction*>(QString::fromLatin1(item))->trigger();
        };
        charts.append({shot(*chartWindow, kChartWindowSize), QStringLiteral("2D Bar")});
        choose("bar3D_menu");
        charts.append({shot(*chartWindow, kChartWindowSize), QStringLiteral("3D Bar")});
        choose("IsolDistribution_menu");
        choose("pie2D_menu");
        charts.append({shot(*chartWindow, kChartWindowSize), QStringLiteral("2D pie")});
        choose("pie3D_menu");
        charts.append({shot(*chartWindow, kChartWindowSize), QStringLiteral("3D pie")});
        choose("Variance_Menu");
        charts.append({shot(*chartWindow, kChartWindowSize), QStringLiteral("Variance")});
        choose("Exit_Menu");
    });
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Command2")), Qt::LeftButton);
    if (charts.size() != 5) return 1;

    // The schedule of a building whose data file names each isolator's axis,
    // calculated with Optimal still chosen.
    services.openPath = copyExample("SCHOOL.DAT");
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window)) return 1;
    QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    if (!showTypes(3)) return 1;
    QTest::keyClick(&window, Qt::Key_I, Qt::ControlModifier);
    auto* schedule = window.findChild<QWidget*>(QStringLiteral("ScheduleWindow"));
    if (schedule == nullptr || !QTest::qWaitForWindowExposed(schedule)) {
        std::fprintf(stderr, "the schedule window did not open\n");
        return 1;
    }
    const QImage scheduleImage =
        withCaption(shot(*schedule, kScheduleWindowSize), schedule->windowTitle());
    const QString report = output.filePath(QStringLiteral("schedule-report.pdf"));
    QFile::remove(report);
    services.savePath = report;
    QTest::mouseClick(schedule->findChild<QPushButton*>(QStringLiteral("SaveReport")),
                      Qt::LeftButton);
    if (!services.messages.isEmpty() || !QFile::exists(report)) {
        std::fprintf(stderr, "the report was not written: %s\n",
                     qPrintable(services.messages.join(' ')));
        return 1;
    }

    const bool saved = main.save(output.filePath(QStringLiteral("screenshot.png"))) &&
                       collage(charts).save(output.filePath(QStringLiteral("charts.png"))) &&
                       scheduleImage.save(output.filePath(QStringLiteral("schedule.png")));
    return saved ? 0 : 1;
}
