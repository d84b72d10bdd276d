// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/display_check.h"

namespace tamsor {
namespace {

// The platform asked for with -platform NAME (one dash or two), else
// QT_QPA_PLATFORM; empty for Qt's default, which is a windowing system.
QString chosenPlatform(const QStringList& arguments, const QProcessEnvironment& environment) {
    for (qsizetype i = 1; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == QStringLiteral("--")) break;
        if (arguments[i] == QStringLiteral("-platform") ||
            arguments[i] == QStringLiteral("--platform"))
            return arguments[i + 1];
    }
    return environment.value(QStringLiteral("QT_QPA_PLATFORM"));
}

bool givesDisplayOption(const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QStringLiteral("--")) break;
        if (arguments[i] == QStringLiteral("-display") ||
            arguments[i] == QStringLiteral("--display"))
            return true;
    }
    return false;
}

}  // namespace

QString missingDisplayMessage(const QStringList& arguments,
                              const QProcessEnvironment& environment) {
    // "xcb", "wayland;xcb" and Qt's default all need a display server.
    const QString platform = chosenPlatform(arguments, environment);
    const bool needsDisplay = platform.isEmpty() || platform.startsWith(QStringLiteral("xcb")) ||
                              platform.startsWith(QStringLiteral("wayland"));
    if (!needsDisplay || givesDisplayOption(arguments) ||
        !environment.value(QStringLiteral("DISPLAY")).isEmpty() ||
        !environment.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty())
        return {};
    return QStringLiteral(
        "no display to open the window on: neither DISPLAY nor WAYLAND_DISPLAY is set.\n"
        "Start TAMSOR from a desktop session, or from a script under a virtual display:\n"
        "  xvfb-run -a tamsor FILE.DAT\n"
        "tamsor-batch calculates without a window.\n");
}

}  // namespace tamsor
