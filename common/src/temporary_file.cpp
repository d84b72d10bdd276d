#include "tamsor/temporary_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>

namespace tamsor {
namespace {

constexpr std::size_t kLongestTemporaryBase = 200;
constexpr int kAttempts = 100;
// Room for ".<pid>-<attempt>.tmp" and the terminating zero.
constexpr std::size_t kSuffixRoom = 40;

}  // namespace

int createTemporaryBeside(const char* finalName, std::span<char> name, int& systemError) {
    const char* lastSlash = std::strrchr(finalName, '/');
    const std::size_t baseStart = lastSlash == nullptr ? 0 : lastSlash - finalName + 1;
    const std::size_t kept = std::min(std::strlen(finalName), baseStart + kLongestTemporaryBase);
    if (kept + kSuffixRoom > name.size()) {
        systemError = ENAMETOOLONG;
        return -1;
    }
    std::memcpy(name.data(), finalName, kept);

    const long process = static_cast<long>(::getpid());
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        char* out = name.data() + kept;
        char* const end = name.data() + name.size();
        *out++ = '.';
        out = std::to_chars(out, end, process).ptr;
        *out++ = '-';
        out = std::to_chars(out, end, attempt).ptr;
        std::memcpy(out, ".tmp", 5);
        const int descriptor =
            ::open(name.data(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (descriptor >= 0) return descriptor;
        if (errno != EEXIST) {
            systemError = errno;
            return -1;
        }
    }
    systemError = EEXIST;
    return -1;
}

int writeAll(int descriptor, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(descriptor, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return written < 0 ? errno : ENOSPC;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return 0;
}

}  // namespace tamsor
