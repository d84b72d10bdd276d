// SPDX-License-Identifier: GPL-3.0-or-later
// What both programs answer to --version and the About box shows: TAMSOR's
// version and the licence it is given under.
#ifndef TAMSOR_VERSION_TEXT_H
#define TAMSOR_VERSION_TEXT_H

#include <string>
#include <string_view>

namespace tamsor {

// GPL-3.0-or-later, which Qt Charts' GPL-3.0 edition allows.
inline constexpr std::string_view kLicenceLine =
    "Licence GPL-3.0-or-later <https://www.gnu.org/licenses/gpl-3.0.html>: free software, "
    "without warranty.";

// "TAMSOR 1.1.0" and the licence line, each ended by a line break.
inline std::string versionText(std::string_view version) {
    std::string text = "TAMSOR ";
    text.append(version).append("\n").append(kLicenceLine).append("\n");
    return text;
}

}  // namespace tamsor

#endif
