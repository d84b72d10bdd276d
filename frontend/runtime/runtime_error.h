// Run-time errors of the desktop program. A procedure that meets a fault
// throws one; the calculation run turns any of them into its one message.
#ifndef TAMSOR_RUNTIME_ERROR_H
#define TAMSOR_RUNTIME_ERROR_H

#include <stdexcept>
#include <string>

namespace tamsor {

enum class RuntimeErrorKind {
    kOverflow,  // a number too large for its target, an invalid operation
    kSubscriptOutOfRange,
    kDivisionByZero,
    kFileNotFound,
    kInputPastEndOfFile,
    kInvalidInput,     // text that is not a number where a number is read
    kLibraryNotFound,  // the engine library or its entry
    kControlFailure,   // a control refused an operation
};

class RuntimeError : public std::runtime_error {
  public:
    RuntimeError(RuntimeErrorKind kind, const std::string& what)
        : std::runtime_error(what), kind_(kind) {}
    RuntimeErrorKind kind() const { return kind_; }

  private:
    RuntimeErrorKind kind_;
};

}  // namespace tamsor

#endif
