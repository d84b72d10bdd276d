// SPDX-License-Identifier: GPL-3.0-or-later
// The load plot file recognised as a run's own by the digest of its bytes, before any
// parsing: a run's own plot file is read back at the speed of reading it.
#ifndef TAMSOR_CALCULATION_PLOT_AS_WRITTEN_H
#define TAMSOR_CALCULATION_PLOT_AS_WRITTEN_H

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "tamsor/plot_reader.h"

namespace tamsor {

// A load as the plot file holds it, in seven significant digits, and as the
// plot reader then reads it.
float asPlotted(float load);

// The digest (TextDigest) of the text that every technique writes for `sortedLoads` (see
// LoadPlotText).
std::uint64_t plotTextDigest(std::span<const float> sortedLoads);

// Whether the plot file at `path` holds exactly as many bytes as the text that every
// technique writes for `sortedLoads` and its bytes have the digest `digest` of that text.
// False where it holds anything else or cannot be read: the caller then reads it
// strictly, to find out what is wrong.
bool holdsPlotText(const std::string& path, std::span<const float> sortedLoads,
                   std::uint64_t digest);

// The points of that text as the plot reader would read them.
std::vector<PlotPoint> plottedPoints(std::span<const float> sortedLoads);

}  // namespace tamsor

#endif
