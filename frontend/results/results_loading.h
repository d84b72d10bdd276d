// Loading the result files of a calculation into the results model.
#ifndef TAMSOR_RESULTS_LOADING_H
#define TAMSOR_RESULTS_LOADING_H

#include "results/results_model.h"

namespace tamsor {

// Reads the load plot file and the first eight result sets of the partition
// report beside isoldef.DataFileName (the report by its columns), divides the
// points by their maxima and the pooled variances by the largest shown of the
// sets for 2 to 8 partitions, and stores them in the results model; entries
// that the files do not reach keep their values. A variance or mean that the
// report holds as asterisks is stored as not shown. Everything is read and
// checked before anything is stored: a missing file, an early end, a report
// that breaks its layout or has fewer than eight sets, a number too large
// for its target, more than 2001 points, no position or load above 0 to
// divide by, or a figure that drawing could not show (see isDrawable) raises
// a run-time error (RuntimeError or ReadError) and leaves the model as it was.
void loadResults(IsolDef& isoldef);

// Reads the loads of the data file beside which the results were loaded, in
// file order with their lines and labels, into isoldef.DataLoads. A file that
// cannot be read, or whose number of loads differs from the loaded results'
// (it was changed since the calculation), raises a run-time error and leaves
// DataLoads empty.
void loadDataFileLoads(IsolDef& isoldef);

}  // namespace tamsor

#endif
