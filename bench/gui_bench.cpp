// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program's own speed: from the Calculate click to the finished
// display (engine, loading of the result files, drawing, painting) and from
// constructing the main window to its first painted frame. Run it under Xvfb
// (QT_QPA_PLATFORM=xcb) for a real window system; offscreen is the default.
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QDate>
#include <QPushButton>
#include <QScrollBar>
#include <QWindow>

#include <sys/resource.h>

#include "app/desktop_services.h"
#include "bench_cases.h"
#include "load_shapes.h"
#include "main_window/main_window.h"
#include "results/results_model.h"
#include "run/engine_binding.h"
#include "schedule_window/schedule_report.h"
#include "schedule_window/schedule_window.h"
#include "schedule_window/shown_schedule.h"

namespace {

// Answers the Open dialog with the benchmark's input; shows no message.
class BenchServices final : public tamsor::DesktopServices {
  public:
    QString path;
    int messages = 0;
    std::optional<QString> chooseFileToSave(QWidget*, const QString&, const QString&,
                                            const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> chooseFileToOpen(QWidget*, const QString&, const QString&,
                                            const QString&, const QString&) override {
        return path;
    }
    void showMessage(QWidget*, const QString&, const QString&) override { ++messages; }
};

// Shows the window and waits until the platform has exposed it, so that
// painting really happens.
void showExposed(QWidget& window) {
    window.resize(1280, 800);
    window.show();
    for (int spins = 0;
         spins < 2000 && !(window.windowHandle() && window.windowHandle()->isExposed()); ++spins)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void BM_CalculateToDisplay(benchmark::State& state) {
    const auto& bench = tamsor::bench::benchCase(static_cast<int>(state.range(0)), 1);
    tamsor::ResultsModel model;
    tamsor::EngineBinding engine(QStringLiteral(TAMSOR_ENGINE_LIBRARY));
    BenchServices services;
    services.path = QString::fromStdString(bench.input.string());
    tamsor::MainWindow window(model, engine, services);
    showExposed(window);
    window.findChild<QAction*>(QStringLiteral("FOpen_menu"))->trigger();
    window.findChild<QScrollBar*>(QStringLiteral("HScroll1"))->setValue(5);
    auto* calculate = window.findChild<QPushButton*>(QStringLiteral("Command1"));
    for (auto _ : state) {
        calculate->click();
        window.repaint();  // the finished frame, painted now rather than at the next event
    }
    if (services.messages != 0) state.SkipWithError("the calculation reported a failure");
    state.SetLabel("status " + std::to_string(bench.status));
}
BENCHMARK(BM_CalculateToDisplay)->Arg(100)->Arg(50)->Unit(benchmark::kMillisecond);

// The program's largest resident size so far, in MiB.
double peakResidentMiB() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

// A large building, clustered as real ones are, opened with Optimal chosen.
struct LargeBuilding {
    tamsor::ResultsModel model;
    tamsor::EngineBinding engine{QStringLiteral(TAMSOR_ENGINE_LIBRARY)};
    BenchServices services;
    tamsor::MainWindow window{model, engine, services};

    explicit LargeBuilding(int loads) {
        services.path = QString::fromStdString(
            tamsor::bench::shapedDataFile(tamsor::bench::LoadShape::kClustered, loads).string());
        showExposed(window);
        window.findChild<QAction*>(QStringLiteral("FOpen_menu"))->trigger();
        window.findChild<QAbstractButton*>(QStringLiteral("Option1_2"))->setChecked(true);
        window.findChild<QScrollBar*>(QStringLiteral("HScroll1"))->setValue(5);
    }
    void calculate() {
        window.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        window.repaint();
    }
};

// Optimal from the Calculate click to the painted window: the loads read, the
// grouping computed, its files written and read back, the plots drawn.
void BM_LargeBuildingCalculateToDisplay(benchmark::State& state) {
    LargeBuilding building(static_cast<int>(state.range(0)));
    for (auto _ : state)
        building.calculate();
    if (building.services.messages != 0) state.SkipWithError("the calculation reported a failure");
    state.counters["peak_rss_MiB"] = peakResidentMiB();
}
BENCHMARK(BM_LargeBuildingCalculateToDisplay)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond);

// The isolator schedule window opened on the building's results, as
// Results > Isolator Schedule... opens it: the schedule made and both tables
// shown, painted.
void BM_ScheduleWindowOpening(benchmark::State& state) {
    LargeBuilding building(static_cast<int>(state.range(0)));
    building.calculate();
    const int types = building.window.shownTypes();
    for (auto _ : state) {
        tamsor::ScheduleWindow schedule(building.model, building.services, &building.window);
        schedule.showResults(types);
        schedule.show();
        schedule.repaint();
    }
    if (building.services.messages != 0) state.SkipWithError("the calculation reported a failure");
    state.counters["peak_rss_MiB"] = peakResidentMiB();
}
BENCHMARK(BM_ScheduleWindowOpening)->Arg(100'000)->Unit(benchmark::kMillisecond);

// The schedule's PDF report: a page of results and plots, then the isolators,
// 49 to a page (2,042 pages at 100,000).
void BM_ScheduleReportPdf(benchmark::State& state) {
    LargeBuilding building(static_cast<int>(state.range(0)));
    building.calculate();
    const tamsor::ShownSchedule shown =
        tamsor::shownSchedule(building.model, building.window.shownTypes());
    std::int64_t bytes = 0;
    for (auto _ : state) {
        QByteArray pdf;
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        if (!tamsor::writeScheduleReport(buffer, {shown, building.model, QDate(2026, 1, 1)}))
            state.SkipWithError("the report could not be drawn");
        bytes = pdf.size();
    }
    state.counters["pdf_MiB"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
    state.counters["peak_rss_MiB"] = peakResidentMiB();
}
BENCHMARK(BM_ScheduleReportPdf)->Arg(100'000)->Unit(benchmark::kMillisecond);

void BM_MainWindowToFirstFrame(benchmark::State& state) {
    BenchServices services;
    for (auto _ : state) {
        tamsor::ResultsModel model;
        tamsor::EngineBinding engine(QStringLiteral(TAMSOR_ENGINE_LIBRARY));
        tamsor::MainWindow window(model, engine, services);
        showExposed(window);
        window.repaint();
    }
}
BENCHMARK(BM_MainWindowToFirstFrame)->Unit(benchmark::kMillisecond);

}  // namespace

// The benchmarks run inside one application, which must go before Qt's own
// globals do at exit.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
