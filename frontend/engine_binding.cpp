#include "engine_binding.h"

#include <algorithm>

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>

#include "runtime_error.h"

namespace tamsor {

QString EngineBinding::libraryBesideProgram() {
#if defined(Q_OS_WIN)
    const QString name = QStringLiteral("VORBECK1.DLL");
#else
    const QString name = QStringLiteral("libvorbeck1.so");
#endif
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
}

EngineBinding::EngineBinding(const QString& libraryPath) : library_(libraryPath) {}

vorbeck1_entry EngineBinding::entry() {
    if (entry_ == nullptr) {
        entry_ = reinterpret_cast<vorbeck1_entry>(library_.resolve("vorbeck1"));
        if (entry_ == nullptr) throw RuntimeError(library_.errorString().toStdString());
    }
    return entry_;
}

std::int32_t EngineBinding::calculate(std::int16_t methodFlag, const QString& dataFileName) {
    const vorbeck1_entry call = entry();
    QByteArray path = QFile::encodeName(dataFileName).left(VORBECK1_PATH_LENGTH);
    path.append(VORBECK1_PATH_LENGTH - path.size(), ' ');

    std::int32_t method = methodFlag;
    std::int32_t status = 0;
    ++calculations_;
    call(&method, &status, path.constData());
    return status;
}

}  // namespace tamsor
