// SPDX-License-Identifier: GPL-3.0-or-later
// TAMSOR: answers --help and --version, or starts the main window, with the
// data file named on the command line chosen; everything else happens in the
// windows.
#include <cstdio>

#include <QApplication>
#include <QProcessEnvironment>

#include "app/command_line.h"
#include "app/desktop_services.h"
#include "app/display_check.h"
#include "main_window/main_window.h"
#include "results/results_model.h"
#include "run/engine_binding.h"

namespace {

int answer(const QString& text, std::FILE* stream, int status) {
    const bool written = std::fputs(text.toLocal8Bit().constData(), stream) >= 0;
    return written && std::fflush(stream) == 0 ? status : 1;
}

}  // namespace

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const tamsor::CommandLine commandLine =
        tamsor::parseCommandLine(arguments, QStringLiteral(TAMSOR_VERSION));
    switch (commandLine.action) {
        case tamsor::CommandLine::Action::kShowHelp:
        case tamsor::CommandLine::Action::kShowVersion:
            return answer(commandLine.text, stdout, 0);
        case tamsor::CommandLine::Action::kRefuse:
            return answer(QStringLiteral("tamsor: ") + commandLine.text, stderr,
                          tamsor::kUsageErrorStatus);
        case tamsor::CommandLine::Action::kRun:
            break;
    }

    if (const QString missing =
            tamsor::missingDisplayMessage(arguments, QProcessEnvironment::systemEnvironment());
        !missing.isEmpty())
        return answer(QStringLiteral("tamsor: ") + missing, stderr, 1);

    QApplication application(argc, argv);
    // The remembered folder of the Open dialog is kept under these names.
    QApplication::setOrganizationName(tamsor::kApplicationTitle);
    QApplication::setApplicationName(tamsor::kApplicationTitle);
    QApplication::setApplicationVersion(QStringLiteral(TAMSOR_VERSION));
    // Ties the window to the menu entry tamsor.desktop and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("tamsor"));

    tamsor::ResultsModel model;
    tamsor::EngineBinding engine(
        tamsor::EngineBinding::libraryOfProgram(QCoreApplication::applicationDirPath()));
    tamsor::PlatformDesktopServices services;
    tamsor::MainWindow window(model, engine, services);
    window.show();
    // Once the window is up, so that a message about the file has it to sit on.
    if (!commandLine.dataFile.isEmpty())
        QMetaObject::invokeMethod(
            &window, [&] { window.chooseDataFile(commandLine.dataFile); }, Qt::QueuedConnection);
    return QApplication::exec();
}
