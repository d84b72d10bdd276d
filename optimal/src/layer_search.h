// SPDX-License-Identifier: GPL-3.0-or-later
// One layer of the dynamic program: for each row b (the first b loads in k types), the
// column a where the last type starts, and the total it gives.
#ifndef TAMSOR_OPTIMAL_LAYER_SEARCH_H
#define TAMSOR_OPTIMAL_LAYER_SEARCH_H

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tamsor::optimal {

// Totals within this fraction of the row's least total, plus the bound on their rounding
// error, count as equal; the leftmost of them is chosen.
inline constexpr double kEqualTotalFraction = 0x1p-40;

struct Choice {
    int column = 0;
    double total = 0;
};

// Offset of the first of `values` at most `limit`; one must be. The values are read four
// at a time, up to three past that one.
inline int firstAtMost(const double* values, double limit) {
#if defined(__SSE2__)
    const __m128d limits = _mm_set1_pd(limit);
    for (int offset = 0;; offset += 4) {
        const int low = _mm_movemask_pd(_mm_cmple_pd(_mm_loadu_pd(values + offset), limits));
        const int high = _mm_movemask_pd(_mm_cmple_pd(_mm_loadu_pd(values + offset + 2), limits));
        const int found = low | high << 2;
        if (found != 0) return offset + std::countr_zero(static_cast<unsigned>(found));
    }
#else
    int offset = 0;
    while (!(values[offset] <= limit))
        ++offset;
    return offset;
#endif
}

// The cost of a type satisfies the quadrangle inequality, so the chosen column never moves
// left as the row grows, nor as the number of types grows (for the same row). The middle
// row of a block of rows therefore splits the candidate columns for the rows above and
// below it: a layer of N rows costs O(N log N) evaluations, and the columns chosen with one
// type fewer cut off a further share on the left. Large windows are searched block by block
// (boundedBestColumn), and a run of rows between two that chose the same column is filled
// without a search (fillOneColumn).
//
// With exact totals and a fixed tolerance, the leftmost column whose total equals the least
// within the tolerance never moves left as the row grows either, so ties do not break the
// search. The tolerance here grows with the row's least total and the totals carry
// rounding; where a near-tie at that level puts a later row's leftmost equal column left of
// an earlier row's choice, the later row takes the leftmost equal column at or right of it.
template <class Totals>
class LayerSearch {
  public:
    // scratch: room for one value per column and kColumnPadding more. noise: bound on the
    // rounding error of a total. previousColumns: the columns chosen with one type fewer,
    // by row, or null.
    LayerSearch(const Totals& totals, double noise, std::span<double> scratch,
                const int* previousColumns)
        : totals_(totals),
          noise_(noise),
          scratch_(scratch.data()),
          previousColumns_(previousColumns) {}

    // The leftmost column of firstColumn..lastColumn whose total for `row` equals the least.
    Choice bestColumn(int row, int firstColumn, int lastColumn) {
        // Clamped so that rounding, should it break the order of exact totals, cannot
        // empty the window.
        if (previousColumns_ != nullptr)
            firstColumn = std::clamp(previousColumns_[row], firstColumn, lastColumn);
        if (firstColumn == lastColumn) {
            ++evaluations_;
            return {firstColumn, totals_.total(row, firstColumn)};
        }
        if constexpr (requires { totals_.previousTotal(0); }) {
            if (lastColumn - firstColumn + 1 >= kBoundedWindow)
                return boundedBestColumn(row, firstColumn, lastColumn);
        }
        if constexpr (requires { totals_.loads(); }) {
            if (lastColumn - firstColumn + 1 >= kRunWindow) {
                if (const auto choice = choiceAtRunStarts(row, firstColumn, lastColumn))
                    return *choice;
            }
        }
        const double least = totals_.rowValues(row, firstColumn, lastColumn, scratch_);
        evaluations_ += lastColumn - firstColumn + 1;
        const double rowConstant = totals_.rowConstant(row);
        const double limit = least + (kEqualTotalFraction * std::abs(least + rowConstant) + noise_);
        const int offset = firstAtMost(scratch_, limit);
        return {firstColumn + offset, scratch_[offset] + rowConstant};
    }

    // Rows firstRow..lastRow, whose chosen columns lie in firstColumn..lastColumn.
    void fillRows(int firstRow, int lastRow, int firstColumn, int lastColumn,
                  std::span<double> rowTotals, std::span<int> rowColumns) {
        fill(firstRow, lastRow, firstColumn, lastColumn, rowTotals.data(), rowColumns.data());
    }

    std::int64_t evaluations() const { return evaluations_; }

  private:
    // Windows of at least this many columns are searched block by block.
    static constexpr int kBoundedWindow = 8192;
    static constexpr int kBlockColumns = 64;
    static constexpr int kGroupBlocks = 64;

    // The totals satisfy, exactly, total(a) >= total(a2) - (previous(a2) - previous(a1)) for
    // every column a of a block a1..a2: the layer before never falls as the column grows,
    // and the last type's cost never rises as it starts later. A block whose bound exceeds,
    // by more than rounding could account for, the tie limit of a total already found holds
    // neither the least total nor one that ties with it, so its columns need no total:
    // the choice is the one the whole window gives. Only the columns of a few blocks around
    // the best one are computed, where a large window would compute them all.
    Choice boundedBestColumn(int row, int firstColumn, int lastColumn) {
        const int blocks = (lastColumn - firstColumn + 1) / kBlockColumns;
        const int groups = (blocks + kGroupBlocks - 1) / kGroupBlocks;
        if (blockFigures_.size() < 2 * static_cast<std::size_t>(blocks) + groups)
            blockFigures_.resize(2 * static_cast<std::size_t>(blocks) + groups);
        double* bounds = blockFigures_.data();
        double* blockLeast = bounds + blocks;
        double* groupBounds = blockLeast + blocks;
        std::fill_n(blockLeast, blocks, std::numeric_limits<double>::infinity());
        // Block j holds the columns start(j)..start(j + 1) - 1; the last one takes the rest.
        // Group g holds the blocks g G .. (g + 1) G - 1, G = kGroupBlocks.
        const auto start = [&](int block) {
            return block >= blocks ? lastColumn + 1 : firstColumn + block * kBlockColumns;
        };
        const auto bound = [&](int firstBlock, int endBlock) {
            const int first = start(firstBlock);
            const int last = start(endBlock) - 1;
            ++evaluations_;
            return totals_.value(row, last) -
                   (totals_.previousTotal(last) - totals_.previousTotal(first));
        };
        const double rowConstant = totals_.rowConstant(row);
        const auto tieLimit = [&](double least) {
            return least + (kEqualTotalFraction * std::abs(least + rowConstant) + noise_);
        };
        double least = std::numeric_limits<double>::infinity();
        const auto searchBlock = [&](int block) {
            const int first = start(block);
            const int last = start(block + 1) - 1;
            blockLeast[block] =
                totals_.rowValues(row, first, last, scratch_ + (first - firstColumn));
            evaluations_ += last - first + 1;
            least = std::min(least, blockLeast[block]);
        };
        // The blocks of a group, the one of least bound first when nothing is known yet.
        const auto searchGroup = [&](int group) {
            const int firstBlock = group * kGroupBlocks;
            const int endBlock = std::min(blocks, firstBlock + kGroupBlocks);
            int seed = firstBlock;
            for (int block = firstBlock; block < endBlock; ++block) {
                bounds[block] = bound(block, block + 1);
                if (bounds[block] < bounds[seed]) seed = block;
            }
            if (least == std::numeric_limits<double>::infinity()) searchBlock(seed);
            for (int block = firstBlock; block < endBlock; ++block)
                if (blockLeast[block] == std::numeric_limits<double>::infinity() &&
                    !(bounds[block] - kBoundSlack * noise_ > tieLimit(least)))
                    searchBlock(block);
        };
        int seedGroup = 0;
        for (int group = 0; group < groups; ++group) {
            groupBounds[group] = bound(group * kGroupBlocks, (group + 1) * kGroupBlocks);
            if (groupBounds[group] < groupBounds[seedGroup]) seedGroup = group;
        }
        searchGroup(seedGroup);
        for (int group = 0; group < groups; ++group)
            if (group != seedGroup &&
                !(groupBounds[group] - kBoundSlack * noise_ > tieLimit(least)))
                searchGroup(group);

        const double limit = tieLimit(least);
        for (int block = 0;; ++block) {
            if (!(blockLeast[block] <= limit)) continue;
            const int offset = start(block) - firstColumn;
            const int found = offset + firstAtMost(scratch_ + offset, limit);
            return {firstColumn + found, scratch_[found] + rowConstant};
        }
    }

    // Windows of at least this many columns are first tried at their run starts alone.
    static constexpr int kRunWindow = 8;
    static constexpr int kMostRunStarts = 64;

    // Over the columns a..c of a run of equal loads (a the run's start or the window's first
    // column, c the next run's start or the window's last), a total is concave in its column
    // in exact arithmetic: the last type's cost is that of fixed loads plus c - a copies of
    // one load, concave in their number, and so is the best total of the layer before, a least
    // of such costs. So no column inside lies below the line through the two ends. Where that
    // line, less what rounding could account for, stays above the tie limit of the least total
    // at the ends, the columns inside can be neither the least nor tie with it, and the choice
    // is the one the whole window gives. Otherwise (a near tie, or too many runs) nothing is
    // chosen and the window is searched column by column.
    std::optional<Choice> choiceAtRunStarts(int row, int firstColumn, int lastColumn) {
        const auto& loads = totals_.loads();
        std::array<int, kMostRunStarts + 1> columns;
        std::array<double, kMostRunStarts + 1> values;
        int ends = 0;
        for (int column = firstColumn;; column = loads.nextRunStart(column, lastColumn)) {
            if (ends == kMostRunStarts + 1) return std::nullopt;
            columns[ends] = column;
            values[ends] = totals_.value(row, column);
            ++ends;
            if (column == lastColumn) break;
        }
        evaluations_ += ends;
        const double least = *std::min_element(values.begin(), values.begin() + ends);
        const double rowConstant = totals_.rowConstant(row);
        const double limit = least + (kEqualTotalFraction * std::abs(least + rowConstant) + noise_);
        for (int end = 1; end < ends; ++end) {
            const int width = columns[end] - columns[end - 1];
            if (width < 2) continue;
            const double lower = std::min(values[end - 1], values[end]);
            const double rise = std::abs(values[end] - values[end - 1]) / width;
            if (!(lower + rise - kBoundSlack * noise_ > limit)) return std::nullopt;
        }
        for (int end = 0;; ++end)
            if (values[end] <= limit) return Choice{columns[end], values[end] + rowConstant};
    }

    // How many times the bound on a total's rounding error a block's bound may be off: the
    // two totals and the two totals of the layer before it is formed from, and its own
    // roundings, with room to spare.
    static constexpr double kBoundSlack = 8;

    void fill(int firstRow, int lastRow, int firstColumn, int lastColumn, double* rowTotals,
              int* rowColumns) {
        while (firstRow <= lastRow) {
            if (firstColumn == lastColumn) {
                fillOneColumn(firstRow, lastRow, firstColumn, rowTotals, rowColumns);
                return;
            }
            const int row = firstRow + (lastRow - firstRow) / 2;
            // The rows are taken in the order of the halving, so a large layer's next rows lie
            // far apart in memory: the figures of the middle rows of both halves and of their
            // halves are fetched while this one is searched.
            if (lastRow - firstRow > kPrefetchRows) {
                const int quarter = (lastRow - firstRow) / 4;
                for (const int next :
                     {row - 2 * quarter, row - quarter - quarter / 2, row - quarter / 2,
                      row + 2 * quarter, row + quarter / 2, row + quarter + quarter / 2})
                    prefetchRow(next, rowTotals, rowColumns);
            }
            const Choice choice = bestColumn(row, firstColumn, std::min(lastColumn, row - 1));
            rowTotals[row] = choice.total;
            rowColumns[row] = choice.column;
            fill(firstRow, row - 1, firstColumn, choice.column, rowTotals, rowColumns);
            firstRow = row + 1;
            firstColumn = choice.column;
        }
    }

    // Rows whose neighbours on both sides chose the same column choose it too, whatever the
    // layer before chose for them (never right of it). Where loads repeat, as loads written
    // to a tenth of a kilonewton do in a large building, the chosen column stays put over a
    // run of equal loads: most rows are filled here, in order, one total each.
    void fillOneColumn(int firstRow, int lastRow, int column, double* rowTotals, int* rowColumns) {
        for (int row = firstRow; row <= lastRow; ++row) {
            rowTotals[row] = totals_.total(row, column);
            rowColumns[row] = column;
        }
        evaluations_ += lastRow - firstRow + 1;
    }

    static constexpr int kPrefetchRows = 16;

    void prefetchRow(int row, double* rowTotals, int* rowColumns) const {
        __builtin_prefetch(rowTotals + row, 1);
        __builtin_prefetch(rowColumns + row, 1);
        if (previousColumns_ != nullptr) __builtin_prefetch(previousColumns_ + row);
        totals_.prefetchRow(row);
    }

    const Totals& totals_;
    double noise_;
    double* scratch_;
    const int* previousColumns_;
    // Per block of a bounded window: the bound on its totals, then the least of them.
    std::vector<double> blockFigures_;
    std::int64_t evaluations_ = 0;
};

}  // namespace tamsor::optimal

#endif
