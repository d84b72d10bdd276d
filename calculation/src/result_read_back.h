// SPDX-License-Identifier: GPL-3.0-or-later
// The result files of a run read back and checked against the run and the
// loads it ran on: the one place where a calculation decides whether it can
// trust what a technique left on disk.
#ifndef TAMSOR_CALCULATION_RESULT_READ_BACK_H
#define TAMSOR_CALCULATION_RESULT_READ_BACK_H

#include <cstdint>
#include <optional>
#include <span>

#include "tamsor/calculation.h"

namespace tamsor {

// Reads the partition report by its columns into run.sets and, after a
// complete run, the load plot file into run.plot. The report must hold nine
// result sets after a complete run and one to eight after a stop, each
// grouping exactly `sortedLoads`, with every mean it shows that of its type's
// loads; the plot must be the step curve of `sortedLoads`. So files that
// another program wrote meanwhile, for other loads of the same number, are
// not taken for this run's. A plot file whose bytes have `plotDigest`, the
// digest its writer took (else that of the text the loads give), is the run's
// own and is not parsed. The plot's points are kept in run.plot only with
// `keepPlot`. Returns the failure where a file cannot be read, breaks its
// layout or does not fit.
std::optional<CalculationFailure> readBackResults(const ResultNames& names,
                                                  std::span<const float> sortedLoads,
                                                  std::optional<std::uint64_t> plotDigest,
                                                  bool keepPlot, TechniqueRun& run);

}  // namespace tamsor

#endif
