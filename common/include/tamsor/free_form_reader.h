// Reads the numbers of a text file one after another, across line ends, into
// 16-bit, 32-bit integer or single-precision targets. Used to read the result
// files back.
#ifndef TAMSOR_FREE_FORM_READER_H
#define TAMSOR_FREE_FORM_READER_H

#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <string>

namespace tamsor {

class ReadError : public std::runtime_error {
  public:
    enum class Kind {
        kCannotOpen,  // the file does not exist or cannot be read
        kPastEnd,     // a read beyond the end of the file
        kNotANumber,  // text that is not a number (asterisks of an overfull field)
        kOverflow,    // a number too large for its target
    };
    ReadError(Kind kind, const std::string& what) : std::runtime_error(what), kind_(kind) {}
    Kind kind() const { return kind_; }

  private:
    Kind kind_;
};

// Numbers are optionally signed decimals with an optional point and exponent.
// Each read skips blanks and line ends before the number; the number ends at
// a blank, a comma or a line end, and the blanks and the one comma or line
// end that follow it are consumed with it, so at_end() is true as soon as the
// last number of a file has been read.
class FreeFormReader {
  public:
    // Opens the file by its name in the system's 8-bit encoding; throws
    // ReadError(kCannotOpen). The file is closed when the reader goes.
    explicit FreeFormReader(const std::string& path);

    bool at_end();
    float read_single();
    std::int16_t read_integer();  // rounded to the nearest, halves to even
    std::int32_t read_long();     // rounded to the nearest, halves to even

  private:
    std::string next_number();
    double read_whole_number(double lowest, double highest);

    std::ifstream file_;
    std::string path_;
};

}  // namespace tamsor

#endif
