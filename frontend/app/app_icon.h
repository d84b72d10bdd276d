// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TAMSOR_APP_ICON_H
#define TAMSOR_APP_ICON_H

#include <QIcon>
#include <QPixmap>

namespace tamsor {

// The program's icon: a building resting on isolators, drawn at every size.
QIcon applicationIcon();

// The icon drawn `size` pixels square, as the installed icon theme holds it.
QPixmap applicationIconPixmap(int size);

}  // namespace tamsor

#endif
