// The format string of the results grid: "|"-separated header texts of row 0,
// each optionally led by an alignment mark for its column: '<' left,
// '^' centred, '>' right. "^ Number |>Load" is a centred " Number " column and
// a right-aligned "Load" column.
#ifndef TAMSOR_GRID_FORMAT_H
#define TAMSOR_GRID_FORMAT_H

#include <vector>

#include <QString>

namespace tamsor {

enum class GridAlignment {
    kGeneral,  // no mark: numbers to the right, other text to the left
    kLeft,
    kCenter,
    kRight,
};

struct GridColumnFormat {
    QString header;  // as given, blanks included: they widen the column
    GridAlignment alignment = GridAlignment::kGeneral;

    friend bool operator==(const GridColumnFormat&, const GridColumnFormat&) = default;
};

// One entry per "|"-separated field; an empty string gives no columns.
std::vector<GridColumnFormat> parseGridFormat(const QString& format);

}  // namespace tamsor

#endif
