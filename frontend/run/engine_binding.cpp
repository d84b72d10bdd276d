// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/engine_binding.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include <QDir>
#include <QFileInfo>

namespace tamsor {
namespace {

// The process's working folder switched for the lifetime of the object. The
// program runs the engine on its one thread, so nothing else sees the switch.
class WorkingFolder {
  public:
    explicit WorkingFolder(const std::string& folder)
        : previous_(::open(".", O_PATH | O_DIRECTORY | O_CLOEXEC)) {
        if (previous_ < 0 || ::chdir(folder.c_str()) != 0) {
            const int error = errno;
            if (previous_ >= 0) ::close(previous_);
            throw std::runtime_error(folder + ": cannot be entered: " + std::strerror(error));
        }
    }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;
    ~WorkingFolder() {
        // Nothing of the program depends on the working folder should this fail.
        [[maybe_unused]] const int restored = ::fchdir(previous_);
        ::close(previous_);
    }

  private:
    int previous_;
};

}  // namespace

QString EngineBinding::libraryOfProgram(const QString& programFolder) {
#if defined(Q_OS_WIN)
    const QString name = QStringLiteral("VORBECK1.DLL");
#else
    const QString name = QStringLiteral("libvorbeck1.so");
#endif
    // QLibrary loads the file by this path: the program's own run path does
    // not reach a library loaded from inside Qt, so the folder is spelt out.
    const QDir folder(programFolder);
    const QString beside = folder.filePath(name);
    if (QFileInfo::exists(beside)) return beside;
    const QString installed = QDir::cleanPath(
        folder.filePath(QStringLiteral(TAMSOR_ENGINE_DIR_FROM_PROGRAM) + QLatin1Char('/') + name));
    return QFileInfo::exists(installed) ? installed : beside;
}

EngineBinding::EngineBinding(const QString& libraryPath) : library_(libraryPath) {}

vorbeck1_entry EngineBinding::entry() {
    if (entry_ == nullptr) {
        entry_ = reinterpret_cast<vorbeck1_entry>(library_.resolve("vorbeck1"));
        if (entry_ == nullptr) throw std::runtime_error(library_.errorString().toStdString());
    }
    return entry_;
}

std::int32_t EngineBinding::calculate(std::int32_t engineFlag, const std::string& path) {
    const vorbeck1_entry call = entry();
    const std::string_view name = engineName(path);
    std::string argument(name);
    argument.resize(kEngineNameLength, ' ');

    std::int32_t method = engineFlag;
    std::int32_t status = 0;
    ++calculations_;
    if (name.size() == path.size()) {
        call(&method, &status, argument.data());
    } else {
        const std::string folder = path.substr(0, path.size() - name.size());
        const WorkingFolder inFolder(folder);
        call(&method, &status, argument.data());
    }
    return status;
}

ClassicEngine EngineBinding::classicEngine() {
    return {[this](std::int32_t engineFlag, const std::string& path) {
                return calculate(engineFlag, path);
            },
            /*takesBareNames=*/true};
}

}  // namespace tamsor
