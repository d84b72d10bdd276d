// SPDX-License-Identifier: GPL-3.0-or-later
// The sample buildings that come with TAMSOR, and the user's own copies of
// them: the samples' folder may not be written to (installed under
// /usr/share), so each is calculated as a copy in the user's documents.
#ifndef TAMSOR_EXAMPLE_FILES_H
#define TAMSOR_EXAMPLE_FILES_H

#include <optional>

#include <QString>
#include <QStringList>

namespace tamsor {

// The samples' folder, found as the engine library is: the build tree's
// examples/ beside the program's folder, else the installed program's data
// folder; empty where neither exists.
QString examplesFolderOfProgram(const QString& programFolder);

// The user's documents folder.
QString documentsFolder();
// The folder in the user's `documents` that the copies go to.
QString exampleCopiesFolder(const QString& documents);

// The data files (*.DAT) of the samples' folder, by name.
QStringList exampleFiles(const QString& examplesFolder);

// The user's copy of the sample `name`: made in `copiesFolder` the first
// time, an existing copy kept as it is (the user may have changed it).
// Nothing, with the reason, where it cannot be made.
struct ExampleCopy {
    QString path;
    QString failure;  // empty when the copy is there
};
ExampleCopy copyOfExample(const QString& examplesFolder, const QString& name,
                          const QString& copiesFolder);

}  // namespace tamsor

#endif
