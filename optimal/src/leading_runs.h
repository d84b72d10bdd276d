// SPDX-License-Identifier: GPL-3.0-or-later
// The first runs of equal loads, where the best groupings are known without comparing totals.
#ifndef TAMSOR_OPTIMAL_LEADING_RUNS_H
#define TAMSOR_OPTIMAL_LEADING_RUNS_H

#include <algorithm>
#include <array>
#include <span>

namespace tamsor::optimal {

// When the first b loads take no more than k different values, a grouping of them into k
// types that each hold equal loads costs nothing, and no grouping costs less: row b of
// layer k has the best total exactly zero. Of those groupings the leftmost one has its last
// type start where the run of load b - 1 starts, or at column k - 1 if that is further right
// (the types before it then take single loads from the left). So these rows are filled
// without a search, and identically whatever the totals' rounding: buildings that repeat a
// few loads (typical bays, standard columns) consist mostly of such rows.
//
// This is the grouping the search itself finds only where no grouping that mixes different
// loads comes within its tolerance of zero; the caller makes sure of that.
class LeadingRuns {
  public:
    static constexpr int kMaxLayers = 9;

    // sortedLoads: ascending, at least one; double or float.
    template <class Load>
    explicit LeadingRuns(std::span<const Load> sortedLoads) {
        const int count = static_cast<int>(sortedLoads.size());
        starts_.fill(count);
        starts_[0] = 0;
        int run = 0;
        for (int i = 1; i < count && run < kMaxLayers; ++i)
            if (sortedLoads[i] != sortedLoads[i - 1]) starts_[++run] = i;
    }

    // The number of loads in the first k runs (all loads when there are fewer runs): rows
    // 1 .. zeroRowsEnd(k) of layer k, where they exist, have the best total zero.
    int zeroRowsEnd(int k) const { return starts_[k]; }

    // Rows first..last of a layer k, all at most zeroRowsEnd(k) and at least k: total zero.
    void fillZeroRows(int first, int last, double* rowTotals) const {
        std::fill(rowTotals + first, rowTotals + last + 1, 0.0);
    }

    // For such a row of layer k, the column where the last type of the leftmost grouping
    // of total zero starts.
    int zeroRowColumn(int k, int row) const {
        int run = 0;
        while (starts_[run + 1] <= row - 1)
            ++run;
        return std::max(starts_[run], k - 1);
    }

  private:
    // starts_[j]: the first load (0-based) of run j + 1, or N past the last run.
    std::array<int, kMaxLayers + 1> starts_{};
};

}  // namespace tamsor::optimal

#endif
