// SPDX-License-Identifier: GPL-3.0-or-later
// The limits of the domain, written once for every part: how many isolator
// types a run finds and the program shows, how many isolators each kind of
// technique takes, and how long a data file's name may be for the classic
// engine.
#ifndef TAMSOR_DOMAIN_LIMITS_H
#define TAMSOR_DOMAIN_LIMITS_H

#include <cstddef>

namespace tamsor {

// Every run finds the groupings for 1 to kMaxTypes isolator types.
inline constexpr int kMaxTypes = 9;
// The program shows the groupings for 1 to kMaxShownTypes types, and the
// pooled variance for 2 to kMaxShownTypes.
inline constexpr int kMaxShownTypes = 8;

// Every technique needs at least kMinIsolators loads.
inline constexpr std::size_t kMinIsolators = 11;
// The classic engine's load table has room for this many.
inline constexpr std::size_t kMaxClassicIsolators = 100;
// The exact technique: the report's positions have room for more, the
// computation's time and memory set the limit.
inline constexpr std::size_t kMaxOptimalIsolators = 1'000'000;
// The program takes buildings of up to this many isolators (by Optimal; the
// classic techniques keep their own limit): its table, plots, schedule and
// report stay quick at this size, and hospitals, terminals and data centres
// on isolation carry a few thousand.
inline constexpr std::size_t kMaxProgramIsolators = 100'000;

// The classic engine takes the data file's name as this many bytes, blank
// padded (VORBECK1_PATH_LENGTH of its C entry).
inline constexpr std::size_t kEngineNameLength = 120;

}  // namespace tamsor

#endif
