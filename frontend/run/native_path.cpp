// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/native_path.h"

#include <dirent.h>
#include <sys/stat.h>

#include <memory>

#include <QFile>
#include <QStringDecoder>

namespace tamsor {
namespace {

bool exists(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

bool answersTo(std::string_view entry, const QString& name) {
    const QByteArray bytes(entry.data(), static_cast<qsizetype>(entry.size()));
    return QFile::decodeName(bytes) == name || QString::fromLatin1(bytes) == name;
}

// The entry of `folder` whose name answers to `name`: its bytes, an empty
// string when none does, nothing when several do.
std::optional<std::string> entryAnsweringTo(const std::string& folder, const QString& name) {
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(
        ::opendir(folder.empty() ? "." : folder.c_str()), ::closedir);
    if (!listing) return std::string();
    std::string found;
    while (const dirent* entry = ::readdir(listing.get())) {
        if (!answersTo(entry->d_name, name)) continue;
        if (!found.empty()) return std::nullopt;
        found = entry->d_name;
    }
    return found;
}

}  // namespace

std::optional<std::string> nativePath(const QString& path) {
    std::string whole = QFile::encodeName(path).toStdString();
    if (path.isEmpty() || exists(whole)) return whole;

    std::string resolved;
    const QStringList parts = path.split(QLatin1Char('/'));
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        if (i > 0) resolved += '/';
        std::string bytes = QFile::encodeName(part).toStdString();
        if (!part.isEmpty() && !exists(resolved + bytes)) {
            const auto entry = entryAnsweringTo(resolved, part);
            if (!entry) return std::nullopt;
            if (!entry->empty()) bytes = *entry;
        }
        resolved += bytes;
    }
    return resolved;
}

QString shownText(std::string_view bytes) {
    const QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(data);
    return utf8.hasError() ? QString::fromLatin1(data) : text;
}

}  // namespace tamsor
