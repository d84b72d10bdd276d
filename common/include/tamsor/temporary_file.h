// What every file written for the user shares: a temporary file beside the
// final name, into which the whole content goes before it is moved into place.
#ifndef TAMSOR_TEMPORARY_FILE_H
#define TAMSOR_TEMPORARY_FILE_H

#include <cstddef>
#include <span>

namespace tamsor {

// Creates a new file named `finalName` with ".<process>-<attempt>.tmp"
// appended, in the same folder, so that a rename onto the final name never
// crosses file systems; a very long base name is cut first so that the
// temporary's name stays within what a file system takes. The name goes to
// `name` (zero terminated). Returns the open descriptor, or -1 with the
// system's reason in `systemError`. Allocates nothing.
int createTemporaryBeside(const char* finalName, std::span<char> name, int& systemError);

// Writes all `size` bytes, again after an interruption or a partial write.
// Returns 0, or the system's reason (ENOSPC when the system wrote nothing).
int writeAll(int descriptor, const char* data, std::size_t size);

}  // namespace tamsor

#endif
