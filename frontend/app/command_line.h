// SPDX-License-Identifier: GPL-3.0-or-later
// The program's command line, `tamsor [FILE.DAT]`: the data file to start
// with, or --help and --version, which are answered on the terminal before
// any window is made, so that they need no display. Qt's standard options
// (-platform, -style...) are left to QApplication, which takes them itself.
#ifndef TAMSOR_COMMAND_LINE_H
#define TAMSOR_COMMAND_LINE_H

#include <QString>
#include <QStringList>

namespace tamsor {

struct CommandLine {
    enum class Action {
        kRun,          // start the main window
        kShowHelp,     // print `text` on standard output and end
        kShowVersion,  // print `text` on standard output and end
        kRefuse,       // print `text` on standard error and end with a usage error
    };
    Action action = Action::kRun;
    QString dataFile;  // absolute path of the data file to start with; empty: none
    QString text;
};

// Exit status of a command line that is refused.
inline constexpr int kUsageErrorStatus = 2;

// `arguments` as the program received them, its own name first.
CommandLine parseCommandLine(const QStringList& arguments, const QString& version);

}  // namespace tamsor

#endif
