// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/about_text.h"

#include <QDir>

namespace tamsor {

QString aboutText(const QString& engineLibrary) {
    return QStringLiteral(
               "TAMSOR %1\n"
               "Groups the isolators of a seismically isolated building into isolator types "
               "of similar sustained load.\n\n"
               "Licence: GPL-3.0-or-later\n"
               "Partition engine VORBECK1: %2")
        .arg(QStringLiteral(TAMSOR_VERSION), QDir::toNativeSeparators(engineLibrary));
}

}  // namespace tamsor
