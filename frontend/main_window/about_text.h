// SPDX-License-Identifier: GPL-3.0-or-later
// The text of Help > About TAMSOR.
#ifndef TAMSOR_ABOUT_TEXT_H
#define TAMSOR_ABOUT_TEXT_H

#include <QString>

namespace tamsor {

// The program's version and licence, and the engine library it calculates
// with, by its path.
QString aboutText(const QString& engineLibrary);

}  // namespace tamsor

#endif
