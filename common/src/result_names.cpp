// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/result_names.h"

namespace tamsor {

std::string_view resultStem(std::string_view inputPath) {
    const auto lastNonBlank = inputPath.find_last_not_of(' ');
    std::string_view path = lastNonBlank == std::string_view::npos
                                ? std::string_view{}
                                : inputPath.substr(0, lastNonBlank + 1);

    const auto lastSeparator = path.find_last_of("/\\");
    const auto nameStart = lastSeparator == std::string_view::npos ? 0 : lastSeparator + 1;
    const auto lastDot = path.find_last_of('.');
    if (lastDot != std::string_view::npos && lastDot >= nameStart) path = path.substr(0, lastDot);
    return path;
}

ResultNames resultNamesFor(std::string_view inputPath) {
    const std::string stem{resultStem(inputPath)};
    return {stem + ".out", stem + ".plt"};
}

}  // namespace tamsor
