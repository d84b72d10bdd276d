// SPDX-License-Identifier: GPL-3.0-or-later
// One layer of the dynamic program: for each row b (the first b loads in k types), the
// column a where the last type starts, and the total it gives.
#ifndef TAMSOR_OPTIMAL_LAYER_SEARCH_H
#define TAMSOR_OPTIMAL_LAYER_SEARCH_H

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
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

    // The totals satisfy, exactly, total(a) >= total(a2) - (previous(a2) - previous(a1)) for
    // every column a of a block a1..a2: the layer before never falls as the column grows,
    // and the last type's cost never rises as it starts later. A block whose bound exceeds,
    // by more than rounding could account for, the tie limit of a total already found holds
    // neither the least total nor one that ties with it, so its columns need no total:
    // the choice is the one the whole window gives. Only the columns of a few blocks around
    // the best one are computed, where a large window would compute them all.
    Choice boundedBestColumn(int row, int firstColumn, int lastColumn) {
        const int blocks = (lastColumn - firstColumn + 1) / kBlockColumns;
        if (blockFigures_.size() < 2 * static_cast<std::size_t>(blocks))
            blockFigures_.resize(2 * static_cast<std::size_t>(blocks));
        double* bounds = blockFigures_.data();
        double* blockLeast = bounds + blocks;
        // Block j holds the columns start(j)..start(j + 1) - 1; the last one takes the rest.
        const auto start = [&](int block) {
            return block == blocks ? lastColumn + 1 : firstColumn + block * kBlockColumns;
        };
        int seed = 0;
        for (int block = 0; block < blocks; ++block) {
            const int first = start(block);
            const int last = start(block + 1) - 1;
            bounds[block] = totals_.value(row, last) -
                            (totals_.previousTotal(last) - totals_.previousTotal(first));
            if (bounds[block] < bounds[seed]) seed = block;
        }
        evaluations_ += blocks;

        const double rowConstant = totals_.rowConstant(row);
        const auto searchBlock = [&](int block) {
            const int first = start(block);
            const int last = start(block + 1) - 1;
            blockLeast[block] =
                totals_.rowValues(row, first, last, scratch_ + (first - firstColumn));
            evaluations_ += last - first + 1;
            return blockLeast[block];
        };
        const auto tieLimit = [&](double least) {
            return least + (kEqualTotalFraction * std::abs(least + rowConstant) + noise_);
        };
        double least = searchBlock(seed);
        for (int block = 0; block < blocks; ++block) {
            if (block == seed) continue;
            if (bounds[block] - kBoundSlack * noise_ > tieLimit(least))
                blockLeast[block] = std::numeric_limits<double>::infinity();
            else
                least = std::min(least, searchBlock(block));
        }
        const double limit = tieLimit(least);
        for (int block = 0;; ++block) {
            if (!(blockLeast[block] <= limit)) continue;
            const int offset = start(block) - firstColumn;
            const int found = offset + firstAtMost(scratch_ + offset, limit);
            return {firstColumn + found, scratch_[found] + rowConstant};
        }
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
