// SPDX-License-Identifier: GPL-3.0-or-later
// What the main window remembers between runs of the program, in QSettings:
// the technique chosen, the load unit shown and the data files opened last.
#ifndef TAMSOR_MAIN_WINDOW_SETTINGS_H
#define TAMSOR_MAIN_WINDOW_SETTINGS_H

#include <QString>
#include <QStringList>

#include "tamsor/technique.h"

namespace tamsor {

// The units a load can be labelled with; the empty one stands for none.
inline const QStringList kLoadUnits = {QStringLiteral("kN"),  QStringLiteral("N"),
                                       QStringLiteral("kip"), QStringLiteral("lbf"),
                                       QStringLiteral("tf"),  QString()};

// How many data files File > recent files keeps.
inline constexpr int kRecentFiles = 5;

// The technique last chosen; Method 1 at the very first start, or where the
// remembered one is no technique of this program.
TechniqueId rememberedTechnique();
void rememberTechnique(TechniqueId technique);

// The load unit last chosen; kN at the very first start.
QString rememberedLoadUnit();
void rememberLoadUnit(const QString& unit);

// The data files opened last, the latest first.
QStringList recentFiles();
// `path` at the head of the recent files, once, the oldest beyond
// kRecentFiles dropped.
void rememberRecentFile(const QString& path);

}  // namespace tamsor

#endif
