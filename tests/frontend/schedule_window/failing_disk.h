// SPDX-License-Identifier: GPL-3.0-or-later
// Disks that fail under a test's writes: a small tmpfs filled up, in a mount
// namespace of the test's own thread, and a file size limit that makes every
// write fail from a chosen byte on.
#ifndef TAMSOR_TESTS_FAILING_DISK_H
#define TAMSOR_TESTS_FAILING_DISK_H

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

namespace tamsor::testing {

// A tmpfs of `size` bytes mounted on `folder` (made here) for the test's
// lifetime. The mount is made in a mount namespace of the calling thread's
// own, so nothing outside the test sees it; it needs the right to mount,
// which root has, and refusal() says why where it is missing.
class SmallDisk {
  public:
    SmallDisk(const std::filesystem::path& folder, std::size_t size) : folder_(folder) {
        std::filesystem::create_directory(folder);
        if (::unshare(CLONE_NEWNS) != 0) {
            refusal_ = std::string("no mount namespace of its own: ") + std::strerror(errno);
            return;
        }
        if (::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV,
                    ("size=" + std::to_string(size)).c_str()) != 0) {
            refusal_ = std::string("cannot mount a tmpfs: ") + std::strerror(errno);
            return;
        }
        mounted_ = true;
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    ~SmallDisk() {
        if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
    }

    bool mounted() const { return mounted_; }
    const std::string& refusal() const { return refusal_; }

    // Fills the disk with a file of its own, then gives back `free` bytes of
    // it (whole pages). Returns the bytes then free.
    std::size_t fillLeaving(std::size_t free) {
        const std::string filler = (folder_ / "filler").string();
        const int file = ::open(filler.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
        const std::string page(4096, 'f');
        while (::write(file, page.data(), page.size()) > 0) {
        }
        const off_t size = ::lseek(file, 0, SEEK_END);
        if (::ftruncate(file,
                        size > static_cast<off_t>(free) ? size - static_cast<off_t>(free) : 0) != 0)
            return 0;
        ::close(file);
        return freeBytes();
    }
    std::size_t freeBytes() const {
        struct statvfs disk {};
        ::statvfs(folder_.c_str(), &disk);
        return static_cast<std::size_t>(disk.f_bavail) * disk.f_frsize;
    }

  private:
    std::filesystem::path folder_;
    bool mounted_ = false;
    std::string refusal_;
};

// While it lasts, no file of the process may grow beyond `bytes`: a write
// past that fails with EFBIG ("File too large") instead of ending the process.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &earlier_);
        earlierHandler_ = ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, earlier_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &earlier_);
        ::signal(SIGXFSZ, earlierHandler_);
    }

  private:
    rlimit earlier_{};
    sighandler_t earlierHandler_;
};

}  // namespace tamsor::testing

#endif
