// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/data_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tamsor {

bool DataFile::open(const char* path) {
    close();
    fault_ = LoadFaultKind::kNone;
    systemError_ = 0;
    descriptor_ = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor_ < 0) {
        fault_ = LoadFaultKind::kCannotOpen;
        systemError_ = errno;
        return false;
    }
    struct stat status {};
    if (::fstat(descriptor_, &status) != 0) {
        fault_ = LoadFaultKind::kCannotOpen;
        systemError_ = errno;
        close();
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        fault_ = LoadFaultKind::kNotARegularFile;
        close();
        return false;
    }
    identity_ = {static_cast<std::uint64_t>(status.st_dev),
                 static_cast<std::uint64_t>(status.st_ino)};
    return true;
}

void DataFile::close() {
    if (descriptor_ >= 0) ::close(descriptor_);
    descriptor_ = -1;
}

bool DataFile::readLoads(LoadFileReader& reader) {
    if (reader.readFrom(descriptor_)) return true;
    fault_ = reader.fault().kind;
    systemError_ = reader.fault().systemError;
    return false;
}

}  // namespace tamsor
