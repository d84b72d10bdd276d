// Loading the result files of a calculation into the results model.
#ifndef TAMSOR_RESULTS_LOADING_H
#define TAMSOR_RESULTS_LOADING_H

#include "isoldef.h"

namespace tamsor {

// Reads the load plot file and the first eight result sets of the partition
// report beside isoldef.DataFileName into the results model, then divides the
// points by their maxima and the pooled variances by the largest of the sets
// for 2 to 8 partitions. Raises a run-time error (RuntimeError or ReadError)
// for a missing file, an early end, a number too large for its target, more
// than 2001 points, a count above 8, a division by zero or an overflow; the
// model then keeps what was stored before the fault.
void load_results(IsolDef& isoldef);

}  // namespace tamsor

#endif
