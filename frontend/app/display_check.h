// SPDX-License-Identifier: GPL-3.0-or-later
// Whether the window can open at all. Without a display Qt aborts with a
// message about reinstalling the application; the program says instead what
// is missing and how to run it from a script.
#ifndef TAMSOR_DISPLAY_CHECK_H
#define TAMSOR_DISPLAY_CHECK_H

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace tamsor {

// The message for a start without a display, or an empty string when the
// window can open (a display is set, or a platform that needs none, such as
// "offscreen", is chosen with -platform or QT_QPA_PLATFORM).
QString missingDisplayMessage(const QStringList& arguments, const QProcessEnvironment& environment);

}  // namespace tamsor

#endif
