// SPDX-License-Identifier: GPL-3.0-or-later
// The results model loaded from a calculation: its last run's result sets and
// load plot, as the calculation read them back, and the loads as read.
#ifndef TAMSOR_RESULTS_LOADING_H
#define TAMSOR_RESULTS_LOADING_H

#include "results/results_model.h"
#include "tamsor/calculation.h"

namespace tamsor {

// Stores the last run of `calculation` in the model: the plot points (drawn
// from the sorted loads where the run stopped at an empty type) divided
// by their maxima, the first kMaxShownTypes result sets with the pooled
// variances divided by the largest shown of the sets for 2 to kMaxShownTypes
// types, the isolators of every partition, and the loads in file order; the
// entries the run does not reach keep their values. A variance or mean that
// the report holds as asterisks is stored as not shown. A run that did not
// complete, fewer sets, more than kPlotPoints points, no position or load
// above 0 to divide by, loads other than the sets count, or a figure that
// the plots could not show (beyond single precision) raises a
// std::runtime_error and leaves the model as it was.
void loadResults(ResultsModel& model, const CalculationOutcome& calculation);

// PartCount from PartBound, for the sets loaded.
void countIsolators(ResultsModel& model);

}  // namespace tamsor

#endif
