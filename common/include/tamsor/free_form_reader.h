// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the numbers of a text file one after another, across line ends, into
// 16-bit, 32-bit integer or single-precision targets. Used to read the result
// files back.
#ifndef TAMSOR_FREE_FORM_READER_H
#define TAMSOR_FREE_FORM_READER_H

#include <cstdint>
#include <fstream>
#include <string>

#include "tamsor/read_error.h"

namespace tamsor {

// Numbers are optionally signed decimals with an optional point and exponent.
// Each read skips blanks and line ends before the number; the number ends at
// a blank, a comma or a line end, and the blanks and the one comma or line
// end that follow it are consumed with it, so atEnd() is true as soon as the
// last number of a file has been read.
class FreeFormReader {
  public:
    // Opens the file by its name in the system's 8-bit encoding; throws
    // ReadError(kCannotOpen). The file is closed when the reader goes.
    explicit FreeFormReader(const std::string& path);

    bool atEnd();
    float readSingle();
    std::int16_t readInteger();  // rounded to the nearest, halves to even
    std::int32_t readLong();     // rounded to the nearest, halves to even

  private:
    std::string nextNumber();
    double readWholeNumber(double lowest, double highest);

    std::ifstream file_;
    std::string path_;
};

}  // namespace tamsor

#endif
