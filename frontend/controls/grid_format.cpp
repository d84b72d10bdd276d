#include "grid_format.h"

#include <QStringList>

namespace tamsor {
namespace {

GridColumnFormat parseField(const QString& field) {
    if (field.isEmpty()) return {};
    switch (field.front().unicode()) {
        case '<':
            return {field.mid(1), GridAlignment::kLeft};
        case '^':
            return {field.mid(1), GridAlignment::kCenter};
        case '>':
            return {field.mid(1), GridAlignment::kRight};
        default:
            return {field, GridAlignment::kGeneral};
    }
}

}  // namespace

std::vector<GridColumnFormat> parseGridFormat(const QString& format) {
    std::vector<GridColumnFormat> columns;
    if (format.isEmpty()) return columns;
    for (const QString& field : format.split(QLatin1Char('|')))
        columns.push_back(parseField(field));
    return columns;
}

}  // namespace tamsor
