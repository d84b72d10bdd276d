// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/safe_result_files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "tamsor/temporary_file.h"

namespace tamsor {
namespace {

FileIdentity identityOf(const struct stat& status) {
    return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
}

}  // namespace

const char* describeResultFault(const ResultFailure& failure) {
    switch (failure.fault) {
        case ResultFault::kNone:
            return "written";
        case ResultFault::kIsTheDataFile:
            return "is the data file itself";
        case ResultFault::kNotARegularFile:
            return "is not a regular file";
        case ResultFault::kReadOnly:
            if (failure.systemError == EACCES) return "is write-protected";
            break;
        default:
            break;
    }
    return std::strerror(failure.systemError);
}

bool ResultFile::fail(ResultFault fault, int systemError) {
    if (failure_.fault == ResultFault::kNone) failure_ = {fault, systemError, finalName_};
    return false;
}

bool ResultFile::check(const char* finalName, const FileIdentity& dataFile) {
    discard();
    finalName_ = finalName;
    keptMode_ = -1;
    failure_ = {};
    struct stat link {};
    if (::lstat(finalName, &link) != 0)
        return errno == ENOENT || fail(ResultFault::kCannotCheck, errno);
    // Through a symbolic link to the file it names: a link to the data file
    // is the data file. A dangling link is judged as the link.
    struct stat target = link;
    if (S_ISLNK(link.st_mode) && ::stat(finalName, &target) != 0) target = link;
    if (identityOf(target) == dataFile) return fail(ResultFault::kIsTheDataFile, 0);
    // Renaming onto a link would replace the link, onto a folder fails.
    if (!S_ISREG(link.st_mode)) return fail(ResultFault::kNotARegularFile, 0);
    // Write-protected by its permissions (which would not stop the owner or
    // root from renaming over it) or by the system's judgement.
    if ((link.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return fail(ResultFault::kReadOnly, EACCES);
    if (::faccessat(AT_FDCWD, finalName, W_OK, AT_EACCESS) != 0)
        return fail(ResultFault::kReadOnly, errno);
    keptMode_ = static_cast<int>(link.st_mode & 07777);
    return true;
}

bool ResultFile::open() {
    if (finalName_ == nullptr) return fail(ResultFault::kCannotCreate, EINVAL);
    if (failure_.fault != ResultFault::kNone || descriptor_ >= 0 || temporaryExists_) return false;
    int error = 0;
    descriptor_ = createTemporaryBeside(finalName_, temporaryName_, error);
    if (descriptor_ < 0) return fail(ResultFault::kCannotCreate, error);
    temporaryExists_ = true;
    finished_ = false;
    // Best effort: a file system without permissions still takes the results.
    if (keptMode_ >= 0) (void)::fchmod(descriptor_, static_cast<mode_t>(keptMode_));
    pendingSize_ = 0;
    written_ = 0;
    return true;
}

void ResultFile::flush() {
    const std::size_t size = pendingSize_;
    pendingSize_ = 0;
    writeThrough({pending_.data(), size});
}

void ResultFile::writeThrough(std::string_view text) {
    if (failure_.fault != ResultFault::kNone) return;
    if (const int error = writeAll(*files_, descriptor_, text.data(), text.size()); error != 0)
        fail(ResultFault::kCannotWrite, error);
    written_ += text.size();
}

void ResultFile::write(std::string_view text) {
    if (!isOpen() || failure_.fault != ResultFault::kNone) return;
    // A block at least as large as the buffer goes to the file as it is.
    if (text.size() >= pending_.size()) {
        flush();
        return writeThrough(text);
    }
    while (!text.empty()) {
        if (pendingSize_ == pending_.size()) flush();
        const std::size_t taken = std::min(text.size(), pending_.size() - pendingSize_);
        std::memcpy(pending_.data() + pendingSize_, text.data(), taken);
        pendingSize_ += taken;
        text.remove_prefix(taken);
    }
}

bool ResultFile::close() {
    if (isOpen()) {
        flush();
        finished_ = true;
        int error = 0;
        if (failure_.fault == ResultFault::kNone) {
            switch (syncTemporary(*files_, descriptor_, written_, error)) {
                case SyncOutcome::kSynced:
                    break;
                case SyncOutcome::kCannotSync:
                    fail(ResultFault::kCannotSync, error);
                    break;
                case SyncOutcome::kIncomplete:
                    fail(ResultFault::kCannotWrite, error);
                    break;
            }
        }
    }
    return failure_.fault == ResultFault::kNone;
}

// A second name for the file about to be replaced, held open and locked so
// that no other writer takes it for a crashed run's temporary. Where the file
// system has no hard links, nothing is kept.
void ResultFile::keepEarlierFile() {
    struct stat status {};
    if (::lstat(finalName_, &status) != 0 || !S_ISREG(status.st_mode)) return;
    if (linkTemporaryBeside(finalName_, earlierName_) != 0) return;
    earlierKept_ = true;
    earlierDescriptor_ = ::open(earlierName_.data(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (earlierDescriptor_ >= 0) (void)::flock(earlierDescriptor_, LOCK_EX | LOCK_NB);
}

bool ResultFile::replace(bool keepEarlier) {
    if (failure_.fault != ResultFault::kNone || isOpen()) return false;
    if (!temporaryExists_) return true;  // never opened: the earlier file stays
    if (keepEarlier) keepEarlierFile();
    if (files_->rename(temporaryName_.data(), finalName_) != 0) {
        const int error = errno;
        confirm();  // the earlier file is still in place
        return fail(ResultFault::kCannotReplace, error);
    }
    temporaryExists_ = false;
    // Every byte is on the disk already, so closing has nothing left to fail.
    ::close(descriptor_);
    descriptor_ = -1;
    return true;
}

void ResultFile::confirm() {
    if (earlierKept_) ::unlink(earlierName_.data());
    earlierKept_ = false;
    if (earlierDescriptor_ >= 0) ::close(earlierDescriptor_);
    earlierDescriptor_ = -1;
}

void ResultFile::discard() {
    // Removed before it is closed, while its lock still shows it in use.
    if (temporaryExists_) ::unlink(temporaryName_.data());
    temporaryExists_ = false;
    if (descriptor_ >= 0) ::close(descriptor_);
    descriptor_ = -1;
    if (earlierKept_ && files_->rename(earlierName_.data(), finalName_) == 0) earlierKept_ = false;
    confirm();
    pendingSize_ = 0;
}

bool ResultFilePair::check(const FileIdentity& dataFile) {
    return report_.check(reportName_, dataFile) && plot_.check(plotName_, dataFile);
}

bool ResultFilePair::commit() {
    bool complete = report_.close();
    complete = plot_.close() && complete;
    // Should the plot file's rename fail after the report's (a new name in a
    // full folder, the folder made read-only meanwhile), the earlier report,
    // kept under a temporary name, is put back.
    if (complete && report_.replace(true) && plot_.replace()) {
        report_.confirm();
        syncFolderOf(reportName_);
        return true;
    }
    discard();
    return false;
}

void ResultFilePair::discard() {
    report_.discard();
    plot_.discard();
}

const ResultFailure& ResultFilePair::failure() const {
    return report_.failure().fault != ResultFault::kNone ? report_.failure() : plot_.failure();
}

}  // namespace tamsor
