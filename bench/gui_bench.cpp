// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program's own speed: from the Calculate click to the finished
// display (engine, loading of the result files, drawing, painting) and from
// constructing the main window to its first painted frame. Run it under Xvfb
// (QT_QPA_PLATFORM=xcb) for a real window system; offscreen is the default.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QScrollBar>
#include <QWindow>

#include "app/desktop_services.h"
#include "bench_cases.h"
#include "main_window/main_window.h"
#include "results/results_model.h"
#include "run/engine_binding.h"

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
