// SPDX-License-Identifier: GPL-3.0-or-later
// File names between the program's text and the bytes on disk. The file
// dialog hands over text, but a file system holds bytes: a name written in
// Latin-1 (café.DAT with byte E9) is no valid UTF-8, and the text that stands
// for it encodes to other bytes. These find the file the text stands for.
#ifndef TAMSOR_NATIVE_PATH_H
#define TAMSOR_NATIVE_PATH_H

#include <optional>
#include <string>
#include <string_view>

#include <QString>

namespace tamsor {

// The bytes by which the system names the file at `path`. Each part of the
// path is taken in the system's encoding (UTF-8) where a file of that name
// exists; otherwise it is looked up in its folder among the names whose bytes
// read as that text in UTF-8 (undecodable bytes as U+FFFD, as the file dialog
// shows them) or in Latin-1 (as the name is typed). Nothing when several
// names of a folder answer to the text; a part that matches no name is taken
// in UTF-8, so that opening it says that it does not exist.
std::optional<std::string> nativePath(const QString& path);

// A name or message in bytes as text to show: UTF-8 where it is valid, else
// Latin-1, so that every byte stays visible.
QString shownText(std::string_view bytes);

}  // namespace tamsor

#endif
