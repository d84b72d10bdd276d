// SPDX-License-Identifier: GPL-3.0-or-later
// How the program starts: its command line, answered on the terminal without
// a display where it asks for help or the version, and the engine library
// found beside the program or where an installed program keeps it.
#include <gtest/gtest.h>

#include <filesystem>

#include <QDir>
#include <QProcessEnvironment>

#include "app/command_line.h"
#include "app/display_check.h"
#include "child_process.h"
#include "run/engine_binding.h"
#include "scratch_folder.h"

namespace {

using tamsor::CommandLine;
using tamsor::parseCommandLine;
using Action = CommandLine::Action;

CommandLine parse(const QStringList& arguments) {
    return parseCommandLine(QStringList{QStringLiteral("tamsor")} + arguments,
                            QStringLiteral("1.2.3"));
}

TEST(CommandLine, NamesTheDataFileToStartWithAsAFullPath) {
    EXPECT_EQ(parse({}).action, Action::kRun);
    EXPECT_EQ(parse({}).dataFile, QString());

    const CommandLine relative = parse({QStringLiteral("examples/MUSEUM.DAT")});
    EXPECT_EQ(relative.action, Action::kRun);
    EXPECT_EQ(relative.dataFile, QDir::current().absoluteFilePath("examples/MUSEUM.DAT"));
    // Not looked for here: the window says so when the file is not there.
    EXPECT_EQ(parse({QStringLiteral("/nowhere/MISSING.DAT")}).dataFile, "/nowhere/MISSING.DAT");
    // After "--" a name that starts with a dash is a file.
    EXPECT_EQ(parse({QStringLiteral("--"), QStringLiteral("/data/-B.DAT")}).dataFile,
              "/data/-B.DAT");
}

TEST(CommandLine, AnswersHelpAndVersionAndRefusesWhatItDoesNotTake) {
    for (const char* help : {"--help", "-h"}) {
        const CommandLine answer = parse({QString::fromLatin1(help), QStringLiteral("A.DAT")});
        EXPECT_EQ(answer.action, Action::kShowHelp) << help;
        EXPECT_TRUE(answer.text.startsWith("usage: tamsor [FILE.DAT]\n")) << help;
        EXPECT_TRUE(answer.text.contains("--version")) << help;
    }
    EXPECT_EQ(parse({QStringLiteral("--version")}).text,
              "TAMSOR 1.2.3\nLicence GPL-3.0-or-later <https://www.gnu.org/licenses/gpl-3.0.html>: "
              "free software, without warranty.\n");
    EXPECT_EQ(parse({QStringLiteral("-v")}).action, Action::kShowVersion);

    const CommandLine unknown = parse({QStringLiteral("--calculate"), QStringLiteral("A.DAT")});
    EXPECT_EQ(unknown.action, Action::kRefuse);
    // The reason and where to read more, not the whole help.
    EXPECT_EQ(unknown.text, "Unknown option 'calculate'.\nTry 'tamsor --help'.\n");
    const CommandLine two = parse({QStringLiteral("A.DAT"), QStringLiteral("B.DAT")});
    EXPECT_EQ(two.action, Action::kRefuse);
    EXPECT_EQ(two.dataFile, QString());
}

TEST(CommandLine, LeavesQtsOwnOptionsToQt) {
    const CommandLine withQt =
        parse({"-platform", "xcb", "-style", "fusion", "--stylesheet", "/tmp/a.qss", "-reverse",
               "-widgetcount", "-qwindowgeometry", "800x600+0+0", "-qwindowtitle", "Tower A",
               "-display", ":1", "-geometry", "640x480", "-style=windows", "A.DAT"});
    EXPECT_EQ(withQt.action, Action::kRun) << withQt.text.toStdString();
    EXPECT_EQ(withQt.dataFile, QDir::current().absoluteFilePath("A.DAT"));
    // A value that looks like the program's own option or a file is Qt's.
    EXPECT_EQ(parse({"-qwindowtitle", "--help", "-platform", "B.DAT"}).action, Action::kRun);
    EXPECT_EQ(parse({"-qwindowtitle", "--help", "-platform", "B.DAT"}).dataFile, QString());
    EXPECT_EQ(parse({"-style", "fusion", "--version"}).action, Action::kShowVersion);
    // After "--" a name is a file, whatever Qt would make of it.
    EXPECT_EQ(parse({"--", "-reverse"}).dataFile, QDir::current().absoluteFilePath("-reverse"));

    const CommandLine lacking = parse({"A.DAT", "-platform"});
    EXPECT_EQ(lacking.action, Action::kRefuse);
    EXPECT_EQ(lacking.text, "Missing value after '-platform'.\nTry 'tamsor --help'.\n");
    // The equals form only where Qt takes it.
    EXPECT_EQ(parse({"-platform=xcb"}).action, Action::kRefuse);
}

// The program itself, run on a terminal with no display at all, where a
// window could not open: help and version still answer.
tamsor::testing::ProgramRun runWithoutDisplay(const std::string& argument) {
    const tamsor::testing::ScratchFolder folder;
    return tamsor::testing::runProgram(
        "/usr/bin/env",
        {"-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM=xcb", TAMSOR_PROGRAM, argument},
        folder);
}

TEST(Program, AnswersOnTheTerminalWithoutADisplay) {
    const auto help = runWithoutDisplay("--help");
    EXPECT_EQ(help.end.exitStatus, 0) << help.err;
    EXPECT_TRUE(help.out.starts_with("usage: tamsor [FILE.DAT]\n")) << help.out;

    const auto version = runWithoutDisplay("--version");
    EXPECT_EQ(version.end.exitStatus, 0);
    EXPECT_TRUE(version.out.starts_with("TAMSOR " TAMSOR_VERSION "\nLicence GPL-3.0-or-later"))
        << version.out;

    const auto refused = runWithoutDisplay("--bogus");
    EXPECT_EQ(refused.end.exitStatus, tamsor::kUsageErrorStatus);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err, "tamsor: Unknown option 'bogus'.\nTry 'tamsor --help'.\n");

    // Where the window cannot open: what is missing and how to run it from a
    // script, instead of Qt's abort.
    const tamsor::testing::ScratchFolder folder;
    const auto window = tamsor::testing::runProgram(
        "/usr/bin/env",
        {"-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "-u", "QT_QPA_PLATFORM", TAMSOR_PROGRAM},
        folder);
    EXPECT_EQ(window.end.exitStatus, 1);
    EXPECT_TRUE(window.err.starts_with("tamsor: no display to open the window on")) << window.err;
    EXPECT_NE(window.err.find("xvfb-run -a tamsor FILE.DAT"), std::string::npos);
}

TEST(Display, IsNeededOnlyByPlatformsThatDrawOnOne) {
    const QStringList plain = {QStringLiteral("tamsor")};
    QProcessEnvironment none;
    EXPECT_FALSE(tamsor::missingDisplayMessage(plain, none).isEmpty());
    none.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    EXPECT_FALSE(tamsor::missingDisplayMessage(plain, none).isEmpty());
    EXPECT_TRUE(
        tamsor::missingDisplayMessage({"tamsor", "-platform", "offscreen"}, none).isEmpty());
    EXPECT_TRUE(tamsor::missingDisplayMessage({"tamsor", "-display", ":1"}, none).isEmpty());
    // After "--" it is a file's name, not Qt's option.
    EXPECT_FALSE(
        tamsor::missingDisplayMessage({"tamsor", "--", "-platform", "offscreen"}, none).isEmpty());
    QProcessEnvironment offscreen;
    offscreen.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    EXPECT_TRUE(tamsor::missingDisplayMessage(plain, offscreen).isEmpty());
    QProcessEnvironment wayland;
    wayland.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("wayland-0"));
    EXPECT_TRUE(tamsor::missingDisplayMessage(plain, wayland).isEmpty());
}

// Qt's options reach Qt: with a platform that does not exist, Qt itself
// refuses to start and names it, after the command line let it through.
TEST(Program, HandsQtsOptionsToQt) {
    const tamsor::testing::ScratchFolder folder;
    const auto run = tamsor::testing::runProgram(TAMSOR_PROGRAM,
                                                 {"-style", "fusion", "-reverse", "-qwindowtitle",
                                                  "Tower A", "-platform", "no-such-platform"},
                                                 folder);
    EXPECT_NE(run.end.exitStatus, tamsor::kUsageErrorStatus) << run.err;
    EXPECT_NE(run.err.find("platform plugin \"no-such-platform\""), std::string::npos) << run.err;
}

TEST(EngineLibrary, IsFoundBesideTheProgramElseWhereTheInstalledProgramKeepsIt) {
    const tamsor::testing::ScratchFolder folder;
    const auto bin = folder.file("bin");
    const auto installed =
        (bin / TAMSOR_ENGINE_DIR_FROM_PROGRAM / "libvorbeck1.so").lexically_normal();
    std::filesystem::create_directories(bin);
    const QString program = QString::fromStdString(bin.string());
    const QString beside = QString::fromStdString((bin / "libvorbeck1.so").string());

    // Neither there: the build tree's place, which the failed calculation names.
    EXPECT_EQ(tamsor::EngineBinding::libraryOfProgram(program), beside);
    std::filesystem::create_directories(installed.parent_path());
    tamsor::testing::write_file(installed, "");
    EXPECT_EQ(tamsor::EngineBinding::libraryOfProgram(program),
              QString::fromStdString(installed.string()));
    tamsor::testing::write_file(bin / "libvorbeck1.so", "");
    EXPECT_EQ(tamsor::EngineBinding::libraryOfProgram(program), beside);
}

}  // namespace
