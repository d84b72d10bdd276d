// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/load_list.h"

#include <algorithm>

namespace tamsor {

LoadList::LoadList(const std::vector<LoadRecord>& records) {
    reserve(records.size());
    for (const LoadRecord& record : records)
        add(record.line, record.load, record.label);
}

std::int64_t LoadList::line(std::size_t i) const {
    if (lines_.empty()) return static_cast<std::int64_t>(i) + 1;
    const auto wraps = std::upper_bound(lineWraps_.begin(), lineWraps_.end(), i);
    const auto high = static_cast<std::int64_t>(wraps - lineWraps_.begin());
    return (high << 32) | lines_[i];
}

std::string_view LoadList::label(std::size_t i) const {
    if (labelEnds_.empty()) return {};
    const std::size_t start = i == 0 ? 0 : labelEnds_[i - 1];
    return std::string_view(labelText_).substr(start, labelEnds_[i] - start);
}

LoadRecord LoadList::operator[](std::size_t i) const {
    return {line(i), load(i), std::string(label(i))};
}

std::vector<LoadRecord> LoadList::records() const {
    std::vector<LoadRecord> records;
    records.reserve(size());
    for (std::size_t i = 0; i < size(); ++i)
        records.push_back((*this)[i]);
    return records;
}

void LoadList::reserve(std::size_t count) {
    loads_.reserve(count);
}

void LoadList::addWithLineOrLabel(std::int64_t line, float load, std::string_view label) {
    const std::size_t i = loads_.size();
    if (lines_.empty() && line != static_cast<std::int64_t>(i) + 1) {
        // The first blank line: the lines so far are their positions.
        lines_.reserve(loads_.capacity());
        for (std::size_t k = 0; k < i; ++k)
            lines_.push_back(static_cast<std::uint32_t>(k + 1));
    }
    if (!lines_.empty() || line != static_cast<std::int64_t>(i) + 1) {
        while (static_cast<std::int64_t>(lineWraps_.size()) < (line >> 32))
            lineWraps_.push_back(i);
        lines_.push_back(static_cast<std::uint32_t>(line));
    }
    if (labelEnds_.empty() && !label.empty()) {
        // The first note: the loads before it have none.
        labelEnds_.reserve(loads_.capacity());
        labelEnds_.assign(i, 0);
    }
    if (!labelEnds_.empty() || !label.empty()) {
        labelText_.append(label);
        labelEnds_.push_back(labelText_.size());
    }
    loads_.push_back(load);
}

}  // namespace tamsor
