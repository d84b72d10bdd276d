// SPDX-License-Identifier: GPL-3.0-or-later
// The loads of the locked data file, read once for every technique of a
// calculation.
#ifndef TAMSOR_CALCULATION_LOADS_READING_H
#define TAMSOR_CALCULATION_LOADS_READING_H

#include <cstddef>
#include <optional>

#include "tamsor/calculation.h"
#include "tamsor/data_file.h"

namespace tamsor {

// Reads the data file from its start by the reading rules into the outcome:
// the loads in file order with line and, where kept, label (up to `maxLoads`), sorted
// stably as every technique sorts them, and every decimal-comma warning.
// Returns the failure where the file cannot be read or holds fewer than
// kMinIsolators or more than `maxLoads` loads; every load is counted.
std::optional<CalculationFailure> readLoads(DataFile& file, std::size_t maxLoads, bool keepLabels,
                                            CalculationOutcome& outcome);

}  // namespace tamsor

#endif
