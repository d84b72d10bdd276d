// SPDX-License-Identifier: GPL-3.0-or-later
// Large sets of isolator loads in the shapes that matter for speed: spread evenly,
// in clusters, or repeating a few values (typical bays, standard columns).
#ifndef TAMSOR_BENCH_LOAD_SHAPES_H
#define TAMSOR_BENCH_LOAD_SHAPES_H

#include <filesystem>
#include <string>
#include <vector>

namespace tamsor::bench {

enum class LoadShape {
    kUniform,           // evenly between 500 and 4000 kN
    kClustered,         // corner, edge and interior columns and core walls, 10 per cent scatter
    kTightlyClustered,  // the same four clusters with 1 per cent scatter
    kTwoLevels,         // each 1000.0 or 2000.0 kN
    kNineLevels,        // 1000, 1250, ..., 3000 kN
    kAllEqual,          // every load 1500.0 kN
};

// The loads in data file order, written to 0.1 kN and read as single precision, as in an
// input data file. The same count and shape always give the same loads.
std::vector<float> shapedLoads(LoadShape shape, int loadCount);

// The same loads sorted ascending, in double precision, as the exact technique takes them.
std::vector<double> sortedShapedLoads(LoadShape shape, int loadCount);

// An input data file of these loads (one per line, CR LF) in a private folder under
// benchFolder(), made at its first use and removed when the program ends.
const std::filesystem::path& shapedDataFile(LoadShape shape, int loadCount);

}  // namespace tamsor::bench

#endif
