// One input data file through the engine, as tamsor-batch runs it: the file
// is locked, read and checked, the engine called, and its report read back
// and checked before the summary is printed.
#ifndef TAMSOR_BATCH_BATCH_RUN_H
#define TAMSOR_BATCH_BATCH_RUN_H

#include <cstdint>
#include <ostream>
#include <string>

namespace tamsor {

// Prints the summary to `out`, and to `messages` every warning and the reason
// of a failure, each starting with the file's name. Returns whether all nine
// result sets were found.
bool partitionFile(const std::string& path, std::int32_t methodFlag, std::ostream& out,
                   std::ostream& messages);

}  // namespace tamsor

#endif
