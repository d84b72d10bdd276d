// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include "tamsor/domain_limits.h"
#include "tamsor/version_text.h"

namespace tamsor {
namespace {

const QString kHelp =
    QStringLiteral(
        "usage: tamsor [FILE.DAT]\n"
        "\n"
        "TAMSOR groups the isolators of a seismically isolated building into 1 to %1\n"
        "isolator types of similar sustained load. It opens its window; with FILE.DAT\n"
        "that input data file is chosen, as File > Open chooses it, and Calculate\n"
        "groups its isolators. The partition report FILE.out and the load plot file\n"
        "FILE.plt are written beside the data file.\n"
        "\n"
        "  -h, --help     show this text\n"
        "  -v, --version  show the version and licence of TAMSOR\n"
        "\n"
        "Qt's standard options (-platform, -style, -stylesheet, -reverse, -display,\n"
        "-geometry and the others) are handed to Qt.\n"
        "\n"
        "An input data file holds one sustained load per line (the first number of each\n"
        "non-blank line; the rest of the line is ignored), %2 to %3 isolators, or up to\n"
        "%4 with Optimal or Least spread. File > Import Load Table... makes one from a\n"
        "load table.\n"
        "tamsor-batch runs the same calculations from scripts.\n")
        .arg(kMaxTypes)
        .arg(kMinIsolators)
        .arg(kMaxClassicIsolators)
        .arg(kMaxProgramIsolators);

// Qt's standard options, which QApplication takes out of the command line
// itself (QGuiApplication, QApplication and the X11 platform): with a value
// in the next argument, and without.
const QStringList kQtOptionsWithValue = {
    QStringLiteral("platform"),
    QStringLiteral("platformpluginpath"),
    QStringLiteral("platformtheme"),
    QStringLiteral("plugin"),
    QStringLiteral("qwindowgeometry"),
    QStringLiteral("qwindowicon"),
    QStringLiteral("qwindowtitle"),
    QStringLiteral("session"),
    QStringLiteral("style"),
    QStringLiteral("stylesheet"),
    QStringLiteral("display"),
    QStringLiteral("geometry"),
    QStringLiteral("title"),
    QStringLiteral("icon"),
    QStringLiteral("name"),
};
const QStringList kQtFlags = {
    QStringLiteral("reverse"),
    QStringLiteral("widgetcount"),
    QStringLiteral("testability"),
};
// Those Qt also takes as "-option=value".
const QStringList kQtOptionsWithEquals = {
    QStringLiteral("style"),
    QStringLiteral("stylesheet"),
    QStringLiteral("session"),
    QStringLiteral("qmljsdebugger"),
};

// A refused command line: its reason and where to read more, not the whole help.
QString refusal(const QString& reason) {
    return reason + QStringLiteral("\nTry 'tamsor --help'.\n");
}

// The arguments without Qt's options, which are Qt's to judge; the program's
// own (a data file, --help, --version) stay. Qt takes an option with one dash
// or two; "--" ends the options. Returns the Qt option that lacks its value,
// if any.
QString withoutQtOptions(const QStringList& arguments, QStringList& own) {
    own.clear();
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (i == 0 || !argument.startsWith(QLatin1Char('-')) || argument == QStringLiteral("-")) {
            own << argument;
            continue;
        }
        if (argument == QStringLiteral("--")) {
            own << arguments.mid(i);
            break;
        }
        const QString name = argument.mid(argument.startsWith(QStringLiteral("--")) ? 2 : 1);
        const QString beforeEquals = name.section(QLatin1Char('='), 0, 0);
        if (kQtFlags.contains(name) ||
            (name.contains(QLatin1Char('=')) && kQtOptionsWithEquals.contains(beforeEquals)))
            continue;
        if (kQtOptionsWithValue.contains(name)) {
            if (i + 1 == arguments.size()) return argument;
            ++i;
            continue;
        }
        own << argument;
    }
    return {};
}

}  // namespace

CommandLine parseCommandLine(const QStringList& arguments, const QString& version) {
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption showVersion(
        QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(help);
    parser.addOption(showVersion);

    CommandLine commandLine;
    QStringList own;
    if (const QString lacking = withoutQtOptions(arguments, own); !lacking.isEmpty()) {
        commandLine.action = CommandLine::Action::kRefuse;
        commandLine.text = refusal(QStringLiteral("Missing value after '%1'.").arg(lacking));
    } else if (!parser.parse(own)) {
        commandLine.action = CommandLine::Action::kRefuse;
        commandLine.text = refusal(parser.errorText());
    } else if (parser.isSet(help)) {
        commandLine.action = CommandLine::Action::kShowHelp;
        commandLine.text = kHelp;
    } else if (parser.isSet(showVersion)) {
        commandLine.action = CommandLine::Action::kShowVersion;
        commandLine.text = QString::fromStdString(versionText(version.toStdString()));
    } else if (parser.positionalArguments().size() > 1) {
        commandLine.action = CommandLine::Action::kRefuse;
        commandLine.text = refusal(QStringLiteral("one data file at a time"));
    } else if (!parser.positionalArguments().isEmpty()) {
        // The full path, as the open-file dialog reports a file.
        commandLine.dataFile =
            QFileInfo(parser.positionalArguments().constFirst()).absoluteFilePath();
    }
    return commandLine;
}

}  // namespace tamsor
