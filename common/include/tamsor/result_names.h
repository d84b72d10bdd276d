// SPDX-License-Identifier: GPL-3.0-or-later
// Names of the two result files that the engine writes beside an input data file.
// The engine and the desktop program both use this one rule, so they always agree.
#ifndef TAMSOR_RESULT_NAMES_H
#define TAMSOR_RESULT_NAMES_H

#include <string>
#include <string_view>

namespace tamsor {

struct ResultNames {
    std::string report;  // partition report, extension "out"
    std::string plot;    // load plot file, extension "plt"
};

// The path without its trailing blanks, with the extension of its file name
// replaced (cut at the last "." after the last "/" or "\"), or ".out"/".plt"
// appended where the file name has no ".". So C:\LOADS\BLDG1.DAT gives
// C:\LOADS\BLDG1.out, and "/home/ann/My Data/b.v2.DAT" gives ".../b.v2.out".
ResultNames resultNamesFor(std::string_view inputPath);

// The stem shared by both names (the path without extension and trailing blanks).
std::string_view resultStem(std::string_view inputPath);

}  // namespace tamsor

#endif
