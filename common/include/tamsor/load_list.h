// SPDX-License-Identifier: GPL-3.0-or-later
// The loads of a data file in file order, as a calculation keeps them for a building of up
// to a million isolators: a load in 4 bytes, its line in 4 more only where the file has
// blank lines, the notes on the isolators (where kept) in one shared text. Each load is
// handed out as a LoadRecord.
#ifndef TAMSOR_LOAD_LIST_H
#define TAMSOR_LOAD_LIST_H

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tamsor/load_file.h"

namespace tamsor {

class LoadList {
  public:
    LoadList() = default;
    explicit LoadList(const std::vector<LoadRecord>& records);

    std::size_t size() const { return loads_.size(); }
    bool empty() const { return loads_.empty(); }
    // The loads alone, in file order.
    std::span<const float> loads() const { return loads_; }
    float load(std::size_t i) const { return loads_[i]; }
    std::int64_t line(std::size_t i) const;
    std::string_view label(std::size_t i) const;
    LoadRecord operator[](std::size_t i) const;
    std::vector<LoadRecord> records() const;

    // Room for `count` loads; their labels take what they need as they come.
    void reserve(std::size_t count);
    // Adds the load of `line`, which lies after the lines of the loads before it.
    void add(std::int64_t line, float load, std::string_view label) {
        // Inline for the usual line of a million: its load alone.
        if (lines_.empty() && labelEnds_.empty() && label.empty() &&
            line == static_cast<std::int64_t>(loads_.size()) + 1)
            loads_.push_back(load);
        else
            addWithLineOrLabel(line, load, label);
    }

    friend bool operator==(const LoadList&, const LoadList&) = default;

  private:
    void addWithLineOrLabel(std::int64_t line, float load, std::string_view label);

    std::vector<float> loads_;
    // The low 32 bits of each line; empty while every load stood on line i + 1.
    std::vector<std::uint32_t> lines_;
    // Where the lines pass each further 2^32: the index of the first load beyond.
    std::vector<std::size_t> lineWraps_;
    std::string labelText_;
    // Where each label ends in labelText_; empty while every label is empty.
    std::vector<std::size_t> labelEnds_;
};

}  // namespace tamsor

#endif
