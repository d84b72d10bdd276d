// SPDX-License-Identifier: GPL-3.0-or-later
// The layers of the dynamic program: layer k holds, for every row b, the least sum of
// squares of the first b loads in k types and the column where the last type starts.
#ifndef TAMSOR_OPTIMAL_DYNAMIC_PROGRAM_H
#define TAMSOR_OPTIMAL_DYNAMIC_PROGRAM_H

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <span>
#include <utility>
#include <vector>

#include "fast_totals.h"
#include "layer_search.h"
#include "leading_runs.h"

namespace tamsor::optimal {

class DynamicProgram {
  public:
    // leadingRuns: where given, the rows whose best total is zero are filled from it instead
    // of being searched (see LeadingRuns for when that is right); null searches every row.
    DynamicProgram(int loadCount, int typeLimit, const LeadingRuns* leadingRuns = nullptr)
        : loadCount_(loadCount),
          typeLimit_(typeLimit),
          leadingRuns_(leadingRuns),
          previous_(std::make_unique_for_overwrite<double[]>(loadCount + 1)),
          current_(std::make_unique_for_overwrite<double[]>(loadCount + 1)),
          scratch_(std::make_unique_for_overwrite<double[]>(loadCount + 1 + kColumnPadding)),
          columns_(std::make_unique_for_overwrite<int[]>(static_cast<std::size_t>(typeLimit - 1) *
                                                         (loadCount + 1))),
          evaluationsAfter_(typeLimit + 1) {}

    // All layers with `totals`. With stopWhenUnsure, gives up (false) at the first layer
    // whose best total is not at least 2^30 times the error the totals' rounding could have
    // caused on the way: that grouping could be off by more than about 1e-9 of its total.
    // A best total known to be exactly zero is no reason to give up: its grouping is exact.
    //
    // Every candidate type whose cost is computed counts as one evaluation, and so does
    // every row filled as a zero row.
    template <class Totals>
    bool run(Totals& totals, bool stopWhenUnsure) {
        const int firstCostRow = zeroRowsEnd(1) + 1;
        std::fill(previous_.get(), previous_.get() + firstCostRow, 0.0);
        for (int b = firstCostRow; b <= loadCount_; ++b)
            previous_[b] = totals.cost(0, b);
        evaluations_ += loadCount_;
        evaluationsAfter_[1] = evaluations_;
        int previousFirstRow = 1;
        for (int k = 2; k <= typeLimit_; ++k) {
            const int firstRow = firstNeededRow(k, previousFirstRow);
            int firstColumn = std::max(k - 1, previousFirstRow);

            // Rows firstRow..lastZeroRow from the leading runs, the rest searched. The
            // chosen columns never move left as the row grows, so the last zero row's
            // column bounds the search's.
            const int lastZeroRow = std::min(zeroRowsEnd(k), loadCount_);
            firstRows_[k] = firstRow;
            lastZeroRows_[k] = std::max(lastZeroRow, 0);
            if (firstRow <= lastZeroRow) {
                leadingRuns_->fillZeroRows(firstRow, lastZeroRow, current_.get());
                evaluations_ += lastZeroRow - firstRow + 1;
                firstColumn = std::max(firstColumn, column(k, lastZeroRow));
            }
            const int firstSearchedRow = std::max(firstRow, lastZeroRow + 1);
            if (firstSearchedRow <= loadCount_) {
                totals.beginLayer(layerTotals(previous_), firstColumn, loadCount_ - 1);
                // With one type fewer, layer 1 chose column 0 for every row: no bound to use.
                LayerSearch search(
                    totals, k * totals.noisePerLayer(),
                    std::span<double>(scratch_.get(), loadCount_ + 1 + kColumnPadding),
                    k > 2 ? layerColumns(k - 1).data() : nullptr);
                search.fillRows(firstSearchedRow, loadCount_, firstColumn, loadCount_ - 1,
                                layerTotals(current_), layerColumns(k));
                evaluations_ += search.evaluations();
                const double possibleError = 2.0 * k * (k + 1) * totals.noisePerLayer();
                if (stopWhenUnsure && !(std::ldexp(current_[loadCount_], -30) >= possibleError))
                    return false;
            }
            evaluationsAfter_[k] = evaluations_;
            std::swap(previous_, current_);
            previousFirstRow = firstRow;
        }
        return true;
    }

    // 1-based first positions of the types of the best grouping in n types, then N + 1.
    std::vector<int> firstPositions(int typeCount) const {
        std::vector<int> positions(typeCount + 1);
        positions[0] = 1;
        positions[typeCount] = loadCount_ + 1;
        int row = loadCount_;
        for (int k = typeCount; k >= 2; --k) {
            row = column(k, row);
            positions[k - 1] = row + 1;
        }
        return positions;
    }

    std::int64_t evaluationsAfter(int typeCount) const { return evaluationsAfter_[typeCount]; }

  private:
    // The last row of layer k whose best total is known to be zero; 0 for none.
    int zeroRowsEnd(int k) const {
        return leadingRuns_ != nullptr ? leadingRuns_->zeroRowsEnd(k) : 0;
    }

    // The first row of layer k that a grouping of all loads into k..typeLimit types can pass
    // through. Going down from row N, each further type starts at or after the column the
    // layer before chose for that row (with one type fewer the last type starts no later),
    // which only rows from previousFirstRow on hold. The last layer needs row N alone. The
    // clamps keep the rows and windows non-empty should rounding break that order of
    // exact totals.
    int firstNeededRow(int k, int previousFirstRow) const {
        int row = loadCount_;
        for (int later = k; later < typeLimit_; ++later)
            row = std::max(column(k - 1, row), previousFirstRow);
        return std::clamp(row, std::max(k, previousFirstRow + 1), loadCount_ - (typeLimit_ - k));
    }

    // The column layer k chose for `row`. Layer 1 chose column 0 for every row, and the
    // zero rows' columns follow from the leading runs: neither is stored, so that a large
    // building of a few repeated loads writes few columns. 0 for a row the layer did not
    // need.
    int column(int k, int row) const {
        if (k == 1 || row < firstRows_[k]) return 0;
        if (row <= lastZeroRows_[k]) return leadingRuns_->zeroRowColumn(k, row);
        return columns_[static_cast<std::size_t>(k - 2) * (loadCount_ + 1) + row];
    }

    // Layer k >= 2; its rows after the zero rows are written.
    std::span<int> layerColumns(int k) {
        return {columns_.get() + static_cast<std::size_t>(k - 2) * (loadCount_ + 1),
                static_cast<std::size_t>(loadCount_) + 1};
    }

    std::span<double> layerTotals(const std::unique_ptr<double[]>& totals) {
        return {totals.get(), static_cast<std::size_t>(loadCount_) + 1};
    }

    int loadCount_;
    int typeLimit_;
    const LeadingRuns* leadingRuns_;
    // Left uninitialized, so that a large building's rows that no layer needs cost nothing:
    // every row and column read is written first in its layer.
    std::unique_ptr<double[]> previous_, current_, scratch_;
    // Layer k's columns at (k - 2) * (N + 1), for k >= 2.
    std::unique_ptr<int[]> columns_;
    // Per layer k, the first row needed and the last zero row (0 for none).
    std::array<int, LeadingRuns::kMaxLayers + 1> firstRows_{}, lastZeroRows_{};
    std::int64_t evaluations_ = 0;
    std::vector<std::int64_t> evaluationsAfter_;
};

}  // namespace tamsor::optimal

#endif
