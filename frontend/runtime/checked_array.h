// Arrays of fixed bounds, indexed from 0, whose every access is checked: an
// index outside the bounds raises a run-time error instead of reading or
// writing past the table.
#ifndef TAMSOR_CHECKED_ARRAY_H
#define TAMSOR_CHECKED_ARRAY_H

#include <array>
#include <string>

#include "runtime_error.h"

namespace tamsor {

[[noreturn]] inline void subscript_out_of_range(int index) {
    throw RuntimeError(RuntimeErrorKind::kSubscriptOutOfRange,
                       "subscript out of range: " + std::to_string(index));
}

template <typename T, int Size>
class CheckedArray {
  public:
    T& operator()(int index) { return values_[checked(index)]; }
    const T& operator()(int index) const { return values_[checked(index)]; }
    static constexpr int size() { return Size; }

  private:
    static std::size_t checked(int index) {
        if (index < 0 || index >= Size) subscript_out_of_range(index);
        return static_cast<std::size_t>(index);
    }
    std::array<T, Size> values_{};
};

template <typename T, int Rows, int Columns>
class CheckedMatrix {
  public:
    T& operator()(int row, int column) { return rows_(row)(column); }
    const T& operator()(int row, int column) const { return rows_(row)(column); }

  private:
    CheckedArray<CheckedArray<T, Columns>, Rows> rows_;
};

}  // namespace tamsor

#endif
