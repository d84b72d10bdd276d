// SPDX-License-Identifier: GPL-3.0-or-later
// The error raised by the readers of the result files.
#ifndef TAMSOR_READ_ERROR_H
#define TAMSOR_READ_ERROR_H

#include <stdexcept>
#include <string>

namespace tamsor {

class ReadError : public std::runtime_error {
  public:
    enum class Kind {
        kCannotOpen,  // the file does not exist or cannot be read
        kPastEnd,     // a read beyond the end of the file, or a line that ends early
        kNotANumber,  // text that is not a number (asterisks of an overfull field)
        kOverflow,    // a number too large for its target
        kMalformed,   // numbers that a report cannot hold (a wrong count, width or position)
    };
    ReadError(Kind kind, const std::string& what) : std::runtime_error(what), kind_(kind) {}
    Kind kind() const { return kind_; }

  private:
    Kind kind_;
};

}  // namespace tamsor

#endif
