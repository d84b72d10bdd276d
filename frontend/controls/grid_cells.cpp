#include "grid_cells.h"

#include <algorithm>
#include <string>

#include "runtime/runtime_error.h"

namespace tamsor {
namespace {

// Width share of a column that the format string does not describe.
constexpr int kDefaultWidthShare = 8;

[[noreturn]] void throwOutOfRange(const std::string& what) {
    throw RuntimeError(RuntimeErrorKind::kSubscriptOutOfRange, what);
}

}  // namespace

GridCells::GridCells(int rows, int cols) {
    resize(rows, cols);
}

void GridCells::setRows(int rows) {
    resize(rows, cols_);
}

void GridCells::setCols(int cols) {
    resize(rows_, cols);
}

void GridCells::resize(int rows, int cols) {
    if (rows < 1 || cols < 1 || static_cast<long long>(rows) * cols > kMaxCells)
        throw RuntimeError(
            RuntimeErrorKind::kControlFailure,
            "grid size " + std::to_string(rows) + " x " + std::to_string(cols) + " refused");
    std::vector<QString> texts(static_cast<std::size_t>(rows) * cols);
    for (int row = 0; row < std::min(rows, rows_); ++row)
        for (int col = 0; col < std::min(cols, cols_); ++col)
            texts[static_cast<std::size_t>(row) * cols + col] = text(row, col);
    texts_ = std::move(texts);
    rows_ = rows;
    cols_ = cols;
}

void GridCells::setFormatString(const QString& format) {
    std::vector<GridColumnFormat> columns = parseGridFormat(format);
    if (!columns.empty()) resize(rows_, static_cast<int>(columns.size()));
    format_ = format;
    columnFormats_ = std::move(columns);
    for (int col = 0; col < static_cast<int>(columnFormats_.size()); ++col)
        setText(0, col, columnFormats_[static_cast<std::size_t>(col)].header);
}

int GridCells::checkedIndex(int row, int col) const {
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_)
        throwOutOfRange("grid cell (" + std::to_string(row) + ", " + std::to_string(col) +
                        ") outside the grid");
    return row * cols_ + col;
}

void GridCells::setTextArray(int index, const QString& text) {
    if (index < 0 || index >= rows_ * cols_)
        throwOutOfRange("grid cell index " + std::to_string(index) + " outside the grid");
    texts_[static_cast<std::size_t>(index)] = text;
}

const QString& GridCells::textArray(int index) const {
    if (index < 0 || index >= rows_ * cols_)
        throwOutOfRange("grid cell index " + std::to_string(index) + " outside the grid");
    return texts_[static_cast<std::size_t>(index)];
}

void GridCells::setText(int row, int col, const QString& text) {
    texts_[static_cast<std::size_t>(checkedIndex(row, col))] = text;
}

const QString& GridCells::text(int row, int col) const {
    return texts_[static_cast<std::size_t>(checkedIndex(row, col))];
}

GridAlignment GridCells::alignment(int col) const {
    if (col < 0 || col >= static_cast<int>(columnFormats_.size())) return GridAlignment::kGeneral;
    return columnFormats_[static_cast<std::size_t>(col)].alignment;
}

int GridCells::widthShare(int col) const {
    if (col < 0 || col >= static_cast<int>(columnFormats_.size())) return kDefaultWidthShare;
    const auto length = columnFormats_[static_cast<std::size_t>(col)].header.size();
    return length > 0 ? static_cast<int>(length) : kDefaultWidthShare;
}

}  // namespace tamsor
