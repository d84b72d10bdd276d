// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/temporary_file.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "abandoned_temporaries.h"

namespace tamsor {
namespace {

constexpr std::size_t kLongestTemporaryBase = 200;
// Room for ".<pid>-<attempt>.tmp" and the terminating zero.
constexpr std::size_t kSuffixRoom = 40;

}  // namespace

ssize_t FileOperations::write(int descriptor, const char* data, std::size_t size) {
    return ::write(descriptor, data, size);
}

int FileOperations::sync(int descriptor) {
    return ::fsync(descriptor);
}

int FileOperations::rename(const char* from, const char* to) {
    return std::rename(from, to);
}

FileOperations& systemFileOperations() {
    // Without state: the one instance is shared by every writer.
    static FileOperations system;
    return system;
}

namespace {

// Tries `make` on the temporary names of `finalName` in turn, attempts 0 to
// 99, until it succeeds or fails for another reason than an existing name.
// Returns make's result (a descriptor or 0), or -1 with the reason in
// `systemError`.
template <typename Make>
int firstFreeTemporaryName(const char* finalName, std::span<char> name, int& systemError,
                           bool removeAbandoned, Make make) {
    const char* lastSlash = std::strrchr(finalName, '/');
    const std::size_t baseStart = lastSlash == nullptr ? 0 : lastSlash - finalName + 1;
    const std::size_t kept = std::min(std::strlen(finalName), baseStart + kLongestTemporaryBase);
    if (kept + kSuffixRoom > name.size()) {
        systemError = ENAMETOOLONG;
        return -1;
    }
    std::memcpy(name.data(), finalName, kept);
    if (removeAbandoned) removeAbandonedTemporaries(std::string_view(finalName, kept));

    const long process = static_cast<long>(::getpid());
    for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
        char* out = name.data() + kept;
        char* const end = name.data() + name.size();
        *out++ = '.';
        out = std::to_chars(out, end, process).ptr;
        *out++ = '-';
        out = std::to_chars(out, end, attempt).ptr;
        std::memcpy(out, ".tmp", 5);
        const int made = make(name.data());
        if (made >= 0) return made;
        if (errno != EEXIST) {
            systemError = errno;
            return -1;
        }
    }
    systemError = EEXIST;
    return -1;
}

}  // namespace

int createTemporaryBeside(const char* finalName, std::span<char> name, int& systemError) {
    return firstFreeTemporaryName(finalName, name, systemError, true, [](const char* temporary) {
        const int descriptor =
            ::open(temporary, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        // Marks the file as being written; where the file system has no
        // locks, the process number in its name still protects it.
        if (descriptor >= 0) (void)::flock(descriptor, LOCK_EX | LOCK_NB);
        return descriptor;
    });
}

int linkTemporaryBeside(const char* finalName, std::span<char> name) {
    int systemError = 0;
    const int made =
        firstFreeTemporaryName(finalName, name, systemError, false,
                               [&](const char* temporary) { return ::link(finalName, temporary); });
    return made < 0 ? systemError : 0;
}

int writeAll(FileOperations& files, int descriptor, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = files.write(descriptor, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return written < 0 ? errno : ENOSPC;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return 0;
}

SyncOutcome syncTemporary(FileOperations& files, int descriptor, std::size_t size,
                          int& systemError) {
    if (files.sync(descriptor) != 0) {
        systemError = errno;
        return SyncOutcome::kCannotSync;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) {
        systemError = errno;
        return SyncOutcome::kIncomplete;
    }
    if (static_cast<std::size_t>(status.st_size) != size) {
        systemError = EIO;
        return SyncOutcome::kIncomplete;
    }
    return SyncOutcome::kSynced;
}

void syncFolderOf(const char* path) {
    std::array<char, PATH_MAX> folderName;
    if (!copyFolderOf(path, folderName)) return;
    const int folder = ::open(folderName.data(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return;
    (void)::fsync(folder);
    ::close(folder);
}

}  // namespace tamsor
