// SPDX-License-Identifier: GPL-3.0-or-later
// What every file written for the user shares: a temporary file beside the
// final name, into which the whole content goes before it is synced and moved
// into place. A temporary is named "<final name>.<process>-<attempt>.tmp";
// one left behind by a process that ended (a crash, a power cut) is removed
// by the next writer of the same final name.
#ifndef TAMSOR_TEMPORARY_FILE_H
#define TAMSOR_TEMPORARY_FILE_H

#include <sys/types.h>

#include <cstddef>
#include <span>

namespace tamsor {

// The system calls that take a finished file to the disk and into place. The
// writers call them through this class so that a test can make any of them
// fail as a full or failing disk would; each behaves as the system call of
// its name (-1 with errno on failure).
class FileOperations {
  public:
    virtual ~FileOperations() = default;
    virtual ssize_t write(int descriptor, const char* data, std::size_t size);
    virtual int sync(int descriptor);
    virtual int rename(const char* from, const char* to);
};

// The system's own calls, unchanged.
FileOperations& systemFileOperations();

// Creates a new file named `finalName` with ".<process>-<attempt>.tmp"
// appended, in the same folder, so that a rename onto the final name never
// crosses file systems; a very long base name is cut first so that the
// temporary's name stays within what a file system takes. Temporaries of the
// same final name whose writer has ended are removed first. The new file is
// locked (flock) for as long as its descriptor stays open, which tells other
// processes that it is being written. The name goes to `name` (zero
// terminated). Returns the open descriptor, or -1 with the system's reason in
// `systemError`. Allocates nothing.
int createTemporaryBeside(const char* finalName, std::span<char> name, int& systemError);

// Gives the file at `finalName` a second name, a temporary's beside it, so
// that it can be put back after a rename has replaced it. Returns 0, or the
// system's reason (EPERM where the file system has no hard links). Allocates
// nothing.
int linkTemporaryBeside(const char* finalName, std::span<char> name);

// Writes all `size` bytes, again after an interruption or a partial write.
// Returns 0, or the system's reason (ENOSPC when the system wrote nothing).
int writeAll(FileOperations& files, int descriptor, const char* data, std::size_t size);

enum class SyncOutcome {
    kSynced,
    kCannotSync,  // the system could not bring the file to the disk
    kIncomplete,  // the file does not hold every byte written to it
};

// Brings a written temporary to the disk and checks that it holds `size`
// bytes, whatever the writes said. Anything but kSynced sets `systemError`
// (EIO for a file shorter or longer than written).
SyncOutcome syncTemporary(FileOperations& files, int descriptor, std::size_t size,
                          int& systemError);

// After a rename, brings the folder's entry of `path` to the disk too. A
// folder that cannot be synced loses nothing that was there before, so this
// is best effort. Allocates nothing.
void syncFolderOf(const char* path);

}  // namespace tamsor

#endif
