// SPDX-License-Identifier: GPL-3.0-or-later
// A diagnosis of the shared checks, as the failure of a calculation.
#ifndef TAMSOR_CALCULATION_RUN_FAILURE_H
#define TAMSOR_CALCULATION_RUN_FAILURE_H

#include <cstddef>

#include "tamsor/calculation_failure.h"
#include "tamsor/result_names.h"
#include "tamsor/run_diagnosis.h"

namespace tamsor {

// The failure that a diagnosis other than ok() names; `maxLoads` is the
// limit of a kTooManyLoads diagnosis.
CalculationFailure failureOf(const RunDiagnosis& diagnosis, const ResultNames& names,
                             std::size_t maxLoads);

}  // namespace tamsor

#endif
