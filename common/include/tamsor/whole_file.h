// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a file for the user whole or not at all: the content goes to a
// temporary file beside the final name, is flushed, synced and checked, and
// only then renamed over the final name. Whatever fails on the way, the
// temporary is removed and an earlier file stays byte for byte as it was.
#ifndef TAMSOR_WHOLE_FILE_H
#define TAMSOR_WHOLE_FILE_H

#include <cstddef>
#include <string>
#include <string_view>

#include "tamsor/temporary_file.h"

namespace tamsor {

enum class WholeFileFault {
    kNone,
    kNotARegularFile,  // a folder, device or FIFO holds the name
    kWriteProtected,   // the earlier file may not be written (systemError says why)
    kCannotCheck,      // the name cannot be looked up (a missing folder, a dangling link)
    kCannotCreate,     // no temporary file can be made in the folder
    kCannotWrite,      // a write failed or the bytes did not all arrive
    kCannotSync,       // the system could not bring the file to the disk
    kCannotReplace,    // the finished file could not be renamed over the final name
};

struct WholeFileFailure {
    WholeFileFault fault = WholeFileFault::kNone;
    int systemError = 0;  // errno where the system gave a reason

    bool ok() const { return fault == WholeFileFault::kNone; }
};

// The reason in the user's words, without the file's name: "is not a regular
// file", "is write-protected", "No space left on device".
std::string describeWholeFileFailure(const WholeFileFailure& failure);

// One file for the user, written in pieces. A symbolic link is followed: the
// file it leads to is replaced, and the link stays. Replacing a file keeps its
// permissions. Dropping the writer before commit() removes the temporary.
// `files` are the system calls it writes through (a test may put faults in
// them); they must outlive the writer.
class WholeFileWriter {
  public:
    explicit WholeFileWriter(FileOperations& files = systemFileOperations()) : files_(&files) {}
    WholeFileWriter(const WholeFileWriter&) = delete;
    WholeFileWriter& operator=(const WholeFileWriter&) = delete;
    ~WholeFileWriter() { discard(); }

    // Checks that `path` may be replaced and creates the temporary beside it.
    bool open(const std::string& path);
    // Adds bytes; false once anything has failed.
    bool write(std::string_view bytes);
    // Flushes, syncs, checks the size and renames over the final name.
    bool commit();
    // Closes and removes the temporary, if any; the final name is untouched.
    void discard();

    const WholeFileFailure& failure() const { return failure_; }
    // The name that is (or was) replaced: the path, or where its link leads.
    const std::string& finalName() const { return finalName_; }

  private:
    bool fail(WholeFileFault fault, int systemError);
    bool flush();

    FileOperations* files_;
    std::string finalName_;
    std::string temporaryName_;
    int descriptor_ = -1;
    std::string pending_;
    std::size_t written_ = 0;
    WholeFileFailure failure_;
};

// Writes `bytes` as the whole content of the file at `path`.
WholeFileFailure writeWholeFile(const std::string& path, std::string_view bytes,
                                FileOperations& files = systemFileOperations());

}  // namespace tamsor

#endif
