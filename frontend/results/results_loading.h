// Loading the result files of a calculation into the results model.
#ifndef TAMSOR_RESULTS_LOADING_H
#define TAMSOR_RESULTS_LOADING_H

#include "results/results_model.h"

namespace tamsor {

// Reads the load plot file and the first kMaxShownTypes result sets of the
// partition report beside model.DataFileName (the report by its columns),
// divides the points by their maxima and the pooled variances by the largest
// shown of the sets for 2 to kMaxShownTypes types, counts the isolators of
// every partition, and stores them in the model; entries that the files do
// not reach keep their values. A variance or mean that the report holds as
// asterisks is stored as not shown. Everything is read and checked before
// anything is stored: a missing file, an early end, a report that breaks its
// layout or has too few sets, a number too large for its target, more than
// kPlotPoints points, no position or load above 0 to divide by, or a figure
// that the plots could not show (beyond single precision, or an isolator
// count beyond 32 bits) raises a run-time error (RuntimeError or ReadError)
// and leaves the model as it was.
void loadResults(ResultsModel& model);

// PartCount from PartBound, for the sets loaded.
void countIsolators(ResultsModel& model);

// Reads the loads of the data file beside which the results were loaded, in
// file order with their lines and labels, into model.DataLoads. A file that
// cannot be read, or whose number of loads differs from the loaded results'
// (it was changed since the calculation), raises a run-time error and leaves
// DataLoads empty.
void loadDataFileLoads(ResultsModel& model);

}  // namespace tamsor

#endif
