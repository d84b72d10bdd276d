// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/example_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace tamsor {

QString examplesFolderOfProgram(const QString& programFolder) {
    const QDir program(programFolder);
    const QString buildTree = QDir::cleanPath(program.filePath(QStringLiteral("../examples")));
    if (QFileInfo(buildTree).isDir()) return buildTree;
    const QString installed =
        QDir::cleanPath(program.filePath(QStringLiteral(TAMSOR_EXAMPLES_DIR_FROM_PROGRAM)));
    return QFileInfo(installed).isDir() ? installed : QString();
}

QString documentsFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString exampleCopiesFolder(const QString& documents) {
    return QDir(documents).filePath(QStringLiteral("TAMSOR Examples"));
}

QStringList exampleFiles(const QString& examplesFolder) {
    if (examplesFolder.isEmpty()) return {};
    return QDir(examplesFolder)
        .entryList({QStringLiteral("*.DAT"), QStringLiteral("*.dat")}, QDir::Files, QDir::Name);
}

ExampleCopy copyOfExample(const QString& examplesFolder, const QString& name,
                          const QString& copiesFolder) {
    const QString copy = QDir(copiesFolder).filePath(name);
    if (QFileInfo::exists(copy)) return {copy, {}};
    if (!QDir().mkpath(copiesFolder))
        return {{},
                QStringLiteral("The folder %1 cannot be made")
                    .arg(QDir::toNativeSeparators(copiesFolder))};
    QFile sample(QDir(examplesFolder).filePath(name));
    if (!sample.copy(copy))
        return {{},
                QStringLiteral("%1 cannot be copied to %2: %3")
                    .arg(QDir::toNativeSeparators(sample.fileName()),
                         QDir::toNativeSeparators(copiesFolder), sample.errorString())};
    // The copy is the user's own: writable, whatever the sample's permissions.
    QFile::setPermissions(copy, QFile::permissions(copy) | QFileDevice::WriteOwner);
    return {copy, {}};
}

}  // namespace tamsor
