// TAMSOR: starts the main window; everything else happens in the windows.
#include <QApplication>

#include "desktop_services.h"
#include "engine_binding.h"
#include "isoldef.h"
#include "isolmain.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(tamsor::kApplicationTitle);

    tamsor::IsolDef isoldef;
    tamsor::EngineBinding engine(tamsor::EngineBinding::libraryBesideProgram());
    tamsor::PlatformDesktopServices services;
    tamsor::ISOLMAIN window(isoldef, engine, services);
    window.show();
    return QApplication::exec();
}
