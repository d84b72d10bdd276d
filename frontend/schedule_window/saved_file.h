// Writing a file the safe way: into a temporary file beside it, which takes
// the file's place only when everything was written, so that a failed write
// never leaves a half-written file or destroys the one that was there.
#ifndef TAMSOR_SAVED_FILE_H
#define TAMSOR_SAVED_FILE_H

#include <functional>

#include <QString>

class QIODevice;

namespace tamsor {

// Opens `path` for writing, lets `write` fill it (returning false when it
// failed) and commits it. Returns the reason for a failure, or an empty text
// when the file was written.
QString saveFile(const QString& path, const std::function<bool(QIODevice&)>& write);

}  // namespace tamsor

#endif
