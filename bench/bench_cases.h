// SPDX-License-Identifier: GPL-3.0-or-later
// The buildings the engine benchmarks run on, and where their files live.
#ifndef TAMSOR_BENCH_BENCH_CASES_H
#define TAMSOR_BENCH_BENCH_CASES_H

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "vorbeck1.h"

namespace tamsor::bench {

// One input data file of clustered loads and what one engine call on it
// writes, kept so that the file work baseline can write the same bytes.
struct BenchCase {
    int loadCount = 0;
    std::int32_t methodFlag = 0;
    std::filesystem::path input;
    char paddedName[VORBECK1_PATH_LENGTH];  // the entry's blank-padded argument
    std::int32_t status = 0;                // of the engine call on this input
    std::vector<std::string> reportLines;   // each with its CR LF
    std::vector<std::string> plotLines;     // empty unless the call completed
};

// The case for this many loads and technique, made at its first use in a
// private folder under the benchmark folder.
const BenchCase& benchCase(int loadCount, std::int32_t methodFlag);

// TAMSOR_BENCH_DIR, or the system temp folder: run once on tmpfs and once on
// a disk file system to tell the two apart.
std::filesystem::path benchFolder();

// Runs the engine entry on the case's input; returns the status.
std::int32_t callEngine(const BenchCase& bench);

}  // namespace tamsor::bench

#endif
