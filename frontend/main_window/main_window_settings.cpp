// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/main_window_settings.h"

#include <QSettings>

namespace tamsor {
namespace {

const QString kTechniqueKey = QStringLiteral("Calculation/technique");
const QString kLoadUnitKey = QStringLiteral("Display/loadUnit");
const QString kRecentFilesKey = QStringLiteral("File/recentFiles");

}  // namespace

// Kept by tamsor-batch's option for the technique, which stays the same
// should the table's order change.
TechniqueId rememberedTechnique() {
    const QString option = QSettings().value(kTechniqueKey).toString();
    const Technique* technique = techniqueForOption(option.toStdString());
    return technique != nullptr ? technique->id : TechniqueId::kMethod1;
}

void rememberTechnique(TechniqueId technique) {
    const std::string_view option = techniqueOf(technique).methodOption;
    QSettings().setValue(kTechniqueKey,
                         QString::fromUtf8(option.data(), static_cast<qsizetype>(option.size())));
}

QString rememberedLoadUnit() {
    const QVariant unit = QSettings().value(kLoadUnitKey);
    if (!unit.isValid() || !kLoadUnits.contains(unit.toString())) return kLoadUnits.front();
    return unit.toString();
}

void rememberLoadUnit(const QString& unit) {
    QSettings().setValue(kLoadUnitKey, unit);
}

QStringList recentFiles() {
    QStringList files = QSettings().value(kRecentFilesKey).toStringList();
    files.removeAll(QString());
    return files.mid(0, kRecentFiles);
}

void rememberRecentFile(const QString& path) {
    QStringList files = recentFiles();
    files.removeAll(path);
    files.prepend(path);
    QSettings().setValue(kRecentFilesKey, files.mid(0, kRecentFiles));
}

}  // namespace tamsor
