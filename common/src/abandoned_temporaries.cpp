// SPDX-License-Identifier: GPL-3.0-or-later
#include "abandoned_temporaries.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>

namespace tamsor {
namespace {

// A file system with coarse times (FAT keeps even seconds) may date a file
// before the moment it was written; a writer is only judged younger than its
// file beyond this margin.
constexpr double kClockToleranceSeconds = 2.5;

// Digits as the writers put them: no sign, no leading zero.
bool parseNumber(std::string_view text, std::size_t longest, long& value) {
    if (text.empty() || text.size() > longest || (text.size() > 1 && text.front() == '0'))
        return false;
    for (const char c : text)
        if (c < '0' || c > '9') return false;
    return std::from_chars(text.data(), text.data() + text.size(), value).ec == std::errc();
}

// The writer's process number in "<base>.<process>-<attempt>.tmp", or 0 where
// `entry` is not a temporary of `base`.
pid_t temporaryProcess(std::string_view entry, std::string_view base) {
    constexpr std::string_view kEnd = ".tmp";
    if (!entry.starts_with(base)) return 0;
    entry.remove_prefix(base.size());
    if (!entry.starts_with('.') || !entry.ends_with(kEnd)) return 0;
    entry = entry.substr(1, entry.size() - 1 - kEnd.size());
    const std::size_t dash = entry.find('-');
    if (dash == std::string_view::npos) return 0;
    long process = 0, attempt = 0;
    if (!parseNumber(entry.substr(0, dash), 10, process) || process <= 0 || process > INT_MAX)
        return 0;
    if (!parseNumber(entry.substr(dash + 1), 3, attempt) || attempt >= kTemporaryAttempts) return 0;
    return static_cast<pid_t>(process);
}

double seconds(const timespec& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) * 1e-9;
}

// When `process` started, in seconds since the epoch: field 22 of
// /proc/<process>/stat counts clock ticks since boot. False where it cannot
// be told.
bool processStart(pid_t process, double& started) {
    std::array<char, 40> path{};
    constexpr std::string_view kProc = "/proc/";
    std::memcpy(path.data(), kProc.data(), kProc.size());
    char* end = std::to_chars(path.data() + kProc.size(), path.data() + 20, process).ptr;
    std::memcpy(end, "/stat", 6);
    const int file = ::open(path.data(), O_RDONLY | O_CLOEXEC);
    if (file < 0) return false;
    std::array<char, 1024> text;
    const ssize_t size = ::read(file, text.data(), text.size());
    ::close(file);
    if (size <= 0) return false;
    std::string_view fields(text.data(), static_cast<std::size_t>(size));
    // The command name (field 2) may hold blanks and parentheses; it ends at
    // the last ')'.
    const std::size_t nameEnd = fields.rfind(')');
    if (nameEnd == std::string_view::npos) return false;
    fields.remove_prefix(nameEnd + 1);
    std::string_view field;
    for (int number = 3; number <= 22; ++number) {
        fields.remove_prefix(std::min(fields.find_first_not_of(' '), fields.size()));
        const std::size_t fieldEnd = std::min(fields.find(' '), fields.size());
        field = fields.substr(0, fieldEnd);
        fields.remove_prefix(fieldEnd);
    }
    unsigned long long ticks = 0;
    if (field.empty() ||
        std::from_chars(field.data(), field.data() + field.size(), ticks).ec != std::errc())
        return false;
    const long ticksPerSecond = ::sysconf(_SC_CLK_TCK);
    timespec sinceBoot{}, now{};
    if (ticksPerSecond <= 0 || ::clock_gettime(CLOCK_BOOTTIME, &sinceBoot) != 0 ||
        ::clock_gettime(CLOCK_REALTIME, &now) != 0)
        return false;
    started = seconds(now) - (seconds(sinceBoot) -
                              static_cast<double>(ticks) / static_cast<double>(ticksPerSecond));
    return true;
}

// Whether the process that last wrote a temporary at `modified` has ended.
bool writerHasEnded(pid_t process, const timespec& modified) {
    if (process != ::getpid() && ::kill(process, 0) != 0 && errno == ESRCH) return true;
    // The number is in use, by this process perhaps: the temporary is still
    // its writer's unless that process started after it was last written.
    double started = 0;
    return processStart(process, started) && started > seconds(modified) + kClockToleranceSeconds;
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

void removeIfAbandoned(int folder, const char* entry, pid_t process) {
    // Only a regular file is opened: opening a device could have effects.
    struct stat named {};
    if (::fstatat(folder, entry, &named, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(named.st_mode))
        return;
    const int file =
        ::openat(folder, entry, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (file < 0) return;
    // A writer holds its temporary locked while it writes, which protects it
    // where process numbers say nothing (another machine on a shared folder,
    // another container). On a file system without locks the process alone
    // decides.
    const bool held = ::flock(file, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    struct stat opened {};
    if (!held && ::fstat(file, &opened) == 0 && sameFile(opened, named) &&
        writerHasEnded(process, opened.st_mtim)) {
        // Still the same file under that name, not one made since.
        struct stat again {};
        if (::fstatat(folder, entry, &again, AT_SYMLINK_NOFOLLOW) == 0 && sameFile(again, opened))
            ::unlinkat(folder, entry, 0);
    }
    ::close(file);
}

}  // namespace

bool copyFolderOf(std::string_view path, std::span<char> folder) {
    const std::size_t slash = path.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? std::string_view(".")
                                  : slash == 0                    ? path.substr(0, 1)
                                                                  : path.substr(0, slash);
    if (name.size() >= folder.size()) return false;
    std::memcpy(folder.data(), name.data(), name.size());
    folder[name.size()] = '\0';
    return true;
}

void removeAbandonedTemporaries(std::string_view stem) {
    const std::size_t slash = stem.rfind('/');
    const std::string_view base = slash == std::string_view::npos ? stem : stem.substr(slash + 1);
    std::array<char, PATH_MAX> folderName;
    if (!copyFolderOf(stem, folderName)) return;
    const int folder = ::open(folderName.data(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return;
    // Read with the system call itself: opendir() would allocate.
    alignas(dirent64) std::array<char, 8192> entries;
    for (;;) {
        const ssize_t size = ::getdents64(folder, entries.data(), entries.size());
        if (size <= 0) break;
        for (ssize_t at = 0; at < size;) {
            const auto* entry = reinterpret_cast<const dirent64*>(entries.data() + at);
            at += entry->d_reclen;
            if (entry->d_type != DT_REG && entry->d_type != DT_UNKNOWN) continue;
            if (const pid_t process = temporaryProcess(entry->d_name, base); process > 0)
                removeIfAbandoned(folder, entry->d_name, process);
        }
    }
    ::close(folder);
}

}  // namespace tamsor
