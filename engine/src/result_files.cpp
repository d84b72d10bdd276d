// SPDX-License-Identifier: GPL-3.0-or-later
#include "result_files.h"

#include <cmath>
#include <span>

namespace engine {

tamsor::ResultSetRecord resultSetOf(const EngineState& state) {
    const int n = state.partition_count;
    tamsor::ResultSetRecord set;
    set.partitionCount = n;
    set.pooledVariance = state.total_deviation / static_cast<Real>(state.load_count);
    set.operationCount = state.operation_count;
    for (int k = 1; k <= n + 1; ++k)
        set.firstPositions[k - 1] = state.boundary[k] + 1;
    for (int k = 1; k <= n; ++k)
        set.means[k - 1] = state.partition_mean[k];
    return set;
}

bool resultSetIsFinite(const EngineState& state) {
    if (!std::isfinite(state.total_deviation)) return false;
    for (int k = 1; k <= state.partition_count; ++k)
        if (!std::isfinite(state.partition_mean[k])) return false;
    return true;
}

void writeResultSet(tamsor::ResultFile& report, const EngineState& state) {
    tamsor::writeResultSet(report, resultSetOf(state));
}

void writeLoadPlot(tamsor::ResultFile& plot, const EngineState& state) {
    tamsor::writeLoadPlot(plot, std::span<const Real>(state.loads.data() + 1,
                                                      static_cast<std::size_t>(state.load_count)));
}

}  // namespace engine
