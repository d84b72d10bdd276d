// SPDX-License-Identifier: GPL-3.0-or-later
// The load plot file compared with the text its loads give, before any parsing: a run's
// own plot file is read back at the speed of reading it.
#ifndef TAMSOR_CALCULATION_PLOT_AS_WRITTEN_H
#define TAMSOR_CALCULATION_PLOT_AS_WRITTEN_H

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "tamsor/plot_reader.h"

namespace tamsor {

// A load as the plot file holds it, in seven significant digits, and as the
// plot reader then reads it.
float asPlotted(float load);

// Where the plot file at `path` holds, byte for byte, the text that every technique writes
// for `sortedLoads` (see LoadPlotText), its points as the plot reader would read them.
// Nothing where it holds anything else or cannot be read: the caller then reads it strictly,
// to find out what is wrong.
std::optional<std::vector<PlotPoint>> pointsIfAsWritten(const std::string& path,
                                                        std::span<const float> sortedLoads);

}  // namespace tamsor

#endif
