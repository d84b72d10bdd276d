#include "app/command_line.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include "tamsor/domain_limits.h"

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
        "  -v, --version  show the version of TAMSOR\n"
        "\n"
        "An input data file holds one sustained load per line (the first number of each\n"
        "non-blank line; the rest of the line is ignored), %2 to %3 isolators.\n"
        "tamsor-batch runs the same calculations from scripts.\n")
        .arg(kMaxTypes)
        .arg(kMinIsolators)
        .arg(kMaxClassicIsolators);

}  // namespace

CommandLine parseCommandLine(const QStringList& arguments, const QString& version) {
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption showVersion(
        QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(help);
    parser.addOption(showVersion);

    CommandLine commandLine;
    if (!parser.parse(arguments)) {
        commandLine.action = CommandLine::Action::kRefuse;
        commandLine.text = parser.errorText() + QStringLiteral("\n\n") + kHelp;
    } else if (parser.isSet(help)) {
        commandLine.action = CommandLine::Action::kShowHelp;
        commandLine.text = kHelp;
    } else if (parser.isSet(showVersion)) {
        commandLine.action = CommandLine::Action::kShowVersion;
        commandLine.text = QStringLiteral("TAMSOR %1\n").arg(version);
    } else if (parser.positionalArguments().size() > 1) {
        commandLine.action = CommandLine::Action::kRefuse;
        commandLine.text = QStringLiteral("one data file at a time\n\n") + kHelp;
    } else if (!parser.positionalArguments().isEmpty()) {
        // The full path, as the open-file dialog reports a file.
        commandLine.dataFile =
            QFileInfo(parser.positionalArguments().constFirst()).absoluteFilePath();
    }
    return commandLine;
}

}  // namespace tamsor
