// SPDX-License-Identifier: GPL-3.0-or-later
// The groupings with the least sum of squares among those whose every type keeps a spread
// limit.
#ifndef TAMSOR_SPREAD_LIMITED_SPREAD_LAYERS_H
#define TAMSOR_SPREAD_LIMITED_SPREAD_LAYERS_H

#include <cstdint>
#include <vector>

#include "accurate_totals.h"
#include "shifted_loads.h"
#include "spread_order.h"

namespace tamsor::spread {

// The groupings into fewestTypes..mostTypes types, whose least worst spread is the same
// `limit`: among the groupings into n types whose every type spreads no further than the
// limit, the one with the least sum of squared differences from the type means; where
// several have equal sums (to 2^-40 of the least and their rounding), the one whose
// boundaries lie farthest left, as the exact technique chooses. The layers of one dynamic
// program serve them all, each filled when a type count first needs it.
//
// Layer k holds, for the rows b that a grouping of all loads into fewestTypes..mostTypes
// types can pass with k types, the least sum of squares of the first b loads in k types
// that keep the limit, and the column a where the k-th type starts. A type's cost satisfies
// the quadrangle inequality, and forbidding the types beyond the limit keeps it: they form
// a staircase, a type being allowed from its earliest start on, a start that never moves
// left as the end moves right. So, as in the exact technique, the chosen column never moves
// left as the row grows, nor as the number of types grows for the same row, and each layer
// is filled by divide and conquer over its rows.
class LimitedSpreadLayers {
  public:
    // Some grouping into fewestTypes types keeps the limit (the least worst spread for
    // fewestTypes does). `loads` outlives this object.
    LimitedSpreadLayers(const optimal::ShiftedLoads& loads, const SpreadOrder& order,
                        SpreadKey limit, int fewestTypes, int mostTypes);

    // typeCount: fewestTypes..mostTypes. 1-based first position of each type, then N + 1.
    std::vector<int> firstPositions(int typeCount);

    // Spreads compared and type costs computed so far.
    std::int64_t evaluations() const { return evaluations_; }

  private:
    struct Layer {
        int firstRow = 0;
        int lastRow = 0;
        std::vector<int> columns;  // [b - firstRow]

        bool holds(int row) const { return row >= firstRow && row <= lastRow; }
        int column(int row) const { return columns[row - firstRow]; }
    };
    struct Choice {
        int column = 0;
        double total = 0;
    };

    void findReach(const SpreadOrder& order, SpreadKey limit);
    void placeRows(int k);
    void fillFirstLayer();
    void fillLayer();
    void fillRows(int firstRow, int lastRow, int firstColumn, int lastColumn);
    Choice bestColumn(int row, int first, int last);

    // The type costs, formed accurately: the groupings within a spread limit are often tight.
    optimal::AccurateTotals costs_;
    int loadCount_;
    int fewestTypes_;
    int mostTypes_;
    // [b], b = 1..N: the first a whose loads a..b-1 keep the limit.
    std::vector<int> earliestStart_;
    // Fewest types that keep the limit for the loads before b, and from a on.
    std::vector<int> fewestBefore_, fewestFrom_;
    std::vector<Layer> layers_;  // layer k at k - 1
    int filledLayers_ = 0;
    std::vector<double> previousTotals_, currentTotals_, scratch_;
    std::int64_t evaluations_ = 0;
};

}  // namespace tamsor::spread

#endif
