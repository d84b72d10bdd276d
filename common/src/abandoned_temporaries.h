// SPDX-License-Identifier: GPL-3.0-or-later
// Temporaries left behind by writers that ended before they finished (a
// crash, a power cut, a killed process), found and removed by the next writer
// of the same final name.
#ifndef TAMSOR_ABANDONED_TEMPORARIES_H
#define TAMSOR_ABANDONED_TEMPORARIES_H

#include <span>
#include <string_view>

namespace tamsor {

// A writer tries at most this many temporary names: attempts 0 to 99.
constexpr int kTemporaryAttempts = 100;

// Removes, from the folder of `stem` (the final name as a temporary's name
// begins: "<folder>/<base>"), every regular file named
// "<base>.<process>-<attempt>.tmp" that no one holds locked and whose
// process has ended: it no longer exists, or its number now belongs to a
// process that started after the file was last written (a number used again,
// as in a container whose every run is process 1). Anything else, a live
// writer's temporary included, stays. Best effort: a folder that cannot be
// read is left as it is. Allocates nothing.
void removeAbandonedTemporaries(std::string_view stem);

// The folder part of `path` ("." for a bare name, "/" for a name at the root),
// zero-terminated in `folder`; false where it does not fit.
bool copyFolderOf(std::string_view path, std::span<char> folder);

}  // namespace tamsor

#endif
