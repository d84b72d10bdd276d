#ifndef TAMSOR_APP_ICON_H
#define TAMSOR_APP_ICON_H

#include <QIcon>

namespace tamsor {

// The program's icon: a building resting on isolators, drawn at every size.
QIcon applicationIcon();

}  // namespace tamsor

#endif
