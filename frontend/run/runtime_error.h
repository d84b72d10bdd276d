// The run-time error of the calculation run: a missing engine library or
// entry, or result files that cannot be loaded. The calculation run turns it,
// like the result file reader's errors, into its one message.
#ifndef TAMSOR_RUNTIME_ERROR_H
#define TAMSOR_RUNTIME_ERROR_H

#include <stdexcept>

namespace tamsor {

class RuntimeError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace tamsor

#endif
