// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/whole_file.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "tamsor/temporary_file.h"

namespace tamsor {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

}  // namespace

std::string describeWholeFileFailure(const WholeFileFailure& failure) {
    switch (failure.fault) {
        case WholeFileFault::kNone:
            return "written";
        case WholeFileFault::kNotARegularFile:
            return "is not a regular file";
        case WholeFileFault::kWriteProtected:
            if (failure.systemError == EACCES) return "is write-protected";
            break;
        default:
            break;
    }
    return std::strerror(failure.systemError);
}

bool WholeFileWriter::fail(WholeFileFault fault, int systemError) {
    if (failure_.ok()) failure_ = {fault, systemError};
    discard();
    return false;
}

bool WholeFileWriter::open(const std::string& path) {
    discard();
    failure_ = {};
    finalName_ = path;
    written_ = 0;
    if (path.empty()) return fail(WholeFileFault::kCannotCheck, ENOENT);

    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) {
        if (errno != ENOENT) return fail(WholeFileFault::kCannotCheck, errno);
        status.st_mode = 0;
    } else if (S_ISLNK(status.st_mode)) {
        const std::unique_ptr<char, decltype(&std::free)> target(::realpath(path.c_str(), nullptr),
                                                                 &std::free);
        if (!target) return fail(WholeFileFault::kCannotCheck, errno);
        finalName_ = target.get();
        if (::stat(finalName_.c_str(), &status) != 0)
            return fail(WholeFileFault::kCannotCheck, errno);
    }
    int keptMode = -1;
    if (status.st_mode != 0) {
        if (!S_ISREG(status.st_mode)) return fail(WholeFileFault::kNotARegularFile, 0);
        // A rename would replace a write-protected file without asking; its
        // protection is respected instead, for root too.
        if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
            return fail(WholeFileFault::kWriteProtected, EACCES);
        if (::faccessat(AT_FDCWD, finalName_.c_str(), W_OK, AT_EACCESS) != 0)
            return fail(WholeFileFault::kWriteProtected, errno);
        keptMode = static_cast<int>(status.st_mode & 07777);
    }

    std::array<char, PATH_MAX + 64> name;
    int error = 0;
    descriptor_ = createTemporaryBeside(finalName_.c_str(), name, error);
    if (descriptor_ < 0) return fail(WholeFileFault::kCannotCreate, error);
    temporaryName_ = name.data();
    // Best effort: a file system without permissions still takes the file.
    if (keptMode >= 0) (void)::fchmod(descriptor_, static_cast<mode_t>(keptMode));
    pending_.reserve(kBufferSize);
    return true;
}

bool WholeFileWriter::flush() {
    if (const int error = writeAll(*files_, descriptor_, pending_.data(), pending_.size());
        error != 0)
        return fail(WholeFileFault::kCannotWrite, error);
    written_ += pending_.size();
    pending_.clear();
    return true;
}

bool WholeFileWriter::write(std::string_view bytes) {
    if (descriptor_ < 0) return false;
    if (pending_.size() + bytes.size() > kBufferSize) {
        if (!flush()) return false;
        if (bytes.size() >= kBufferSize) {
            if (const int error = writeAll(*files_, descriptor_, bytes.data(), bytes.size());
                error != 0)
                return fail(WholeFileFault::kCannotWrite, error);
            written_ += bytes.size();
            return true;
        }
    }
    pending_.append(bytes);
    return true;
}

bool WholeFileWriter::commit() {
    if (descriptor_ < 0) return failure_.ok() ? fail(WholeFileFault::kCannotCreate, EBADF) : false;
    if (!flush()) return false;
    int error = 0;
    switch (syncTemporary(*files_, descriptor_, written_, error)) {
        case SyncOutcome::kSynced:
            break;
        case SyncOutcome::kCannotSync:
            return fail(WholeFileFault::kCannotSync, error);
        case SyncOutcome::kIncomplete:
            return fail(WholeFileFault::kCannotWrite, error);
    }
    // Renamed while still open, so that its lock marks it as being written
    // up to the last moment.
    if (files_->rename(temporaryName_.c_str(), finalName_.c_str()) != 0)
        return fail(WholeFileFault::kCannotReplace, errno);
    temporaryName_.clear();
    // Every byte is on the disk already, so closing has nothing left to fail.
    ::close(descriptor_);
    descriptor_ = -1;
    syncFolderOf(finalName_.c_str());
    return true;
}

void WholeFileWriter::discard() {
    // Removed before it is closed, while its lock still shows it in use.
    if (!temporaryName_.empty()) ::unlink(temporaryName_.c_str());
    temporaryName_.clear();
    if (descriptor_ >= 0) ::close(descriptor_);
    descriptor_ = -1;
    pending_.clear();
}

WholeFileFailure writeWholeFile(const std::string& path, std::string_view bytes,
                                FileOperations& files) {
    WholeFileWriter writer(files);
    if (writer.open(path) && writer.write(bytes)) writer.commit();
    return writer.failure();
}

}  // namespace tamsor
