// SPDX-License-Identifier: GPL-3.0-or-later
// One calculation on an input data file, by one technique or several in
// turn, with the data file and its result names locked from before its loads
// are read until the result files are read back: the one road every program
// takes.
#ifndef TAMSOR_CALCULATION_H
#define TAMSOR_CALCULATION_H

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tamsor/calculation_failure.h"
#include "tamsor/domain_limits.h"
#include "tamsor/load_file.h"
#include "tamsor/load_list.h"
#include "tamsor/plot_reader.h"
#include "tamsor/report_reader.h"
#include "tamsor/result_names.h"
#include "tamsor/technique.h"

namespace tamsor {

// What the caller answers while another run holds the data file.
enum class LockWait { kGoOn, kCancel, kTimeOut };

// Asked as soon as the data file is found held (waited 0), then about every
// kLockWaitInterval (100 ms) with the time waited so far. The program keeps
// its window alive here and offers a Cancel; tamsor-batch just waits.
using LockWaitCallback = std::function<LockWait(std::chrono::milliseconds waited)>;

// Waits at most `patience`, then times out.
LockWaitCallback waitAtMost(std::chrono::milliseconds patience);

// How the classic engine's entry `vorbeck1` is called. The calculation does
// not link the engine: the program binds its library at run time, tamsor-batch
// links it.
struct ClassicEngine {
    // Runs the entry with `methodFlag` on the data file at `path` (the bytes
    // naming it) and returns the status the engine set. What it throws passes
    // to the caller of calculate().
    std::function<std::int32_t(std::int32_t methodFlag, const std::string& path)> run;
    // Whether `run` hands the engine the bare file name of a path longer than
    // kEngineNameLength bytes, from inside the file's folder, as the program
    // does; otherwise such a path is refused.
    bool takesBareNames = false;
};

struct CalculationRequest {
    std::string path;  // the bytes naming the data file
    // Run in this order on the loads read once, each followed by the reading
    // back of its result files; the files left are the last run's.
    std::vector<TechniqueId> techniques;
    // The most loads the caller takes, where it takes fewer than the techniques.
    std::size_t maxLoads = kMaxOptimalIsolators;
    // Whether each load keeps the rest of its line (LoadRecord::label); a caller that
    // shows no isolator by its note saves a string per load of a large building.
    bool keepLabels = true;
    // Whether a complete run keeps the points of its load plot file (TechniqueRun::plot);
    // a caller that draws no plot saves a point per load, and more, of a large building.
    bool keepPlot = true;
    ClassicEngine engine;  // needed where a classic technique runs
    // Empty: a held data file times out at once.
    LockWaitCallback waitForLock;
};

// One technique's run as its result files were read back.
struct TechniqueRun {
    TechniqueId technique = TechniqueId::kMethod1;
    std::vector<ReportSet> sets;  // as the report holds them
    // All nine sets. Otherwise the run stopped at stoppedAt() types, where an
    // isolator type became empty (the classic techniques alone), and the sets
    // before it are those of the report.
    bool complete = false;
    // The load plot, after a complete run where the request keeps it; a stopped
    // run leaves the earlier plot file as it was, which belongs to no run of
    // these loads.
    std::vector<PlotPoint> plot;

    int stoppedAt() const { return static_cast<int>(sets.size()) + 1; }
};

struct CalculationOutcome {
    ResultNames names;
    // As read, in file order (up to the most taken); labels empty unless kept.
    LoadList loads;
    std::vector<float> sortedLoads;  // ascending, stably sorted as every technique sorts
    // Every line whose number looks like it was written with a decimal comma,
    // also where the loads were refused.
    std::vector<DecimalCommaWarning> warnings;
    std::vector<TechniqueRun> runs;  // in the order they ran
    std::optional<CalculationFailure> failure;

    bool ok() const { return !failure; }
};

// Runs the request: checks the data file's name, locks the file and its
// result names (waiting through the callback), reads its loads once and
// checks their number, checks that both result files may be replaced, then
// runs each technique (the classic ones through `engine`, the others
// in-process on the sorted loads), diagnoses a failed run and reads its
// result files back strictly, against these loads, all under the lock. On a
// failure the outcome holds its cause and whatever was found before it; the
// result files are those of the last run that succeeded, or the earlier ones.
CalculationOutcome calculate(const CalculationRequest& request);

// The name under which the classic engine is handed the data file at `path`
// by a caller that takes bare names: the path itself where it fits the
// engine's kEngineNameLength bytes, else the bare file name.
std::string_view engineName(std::string_view path);

}  // namespace tamsor

#endif
