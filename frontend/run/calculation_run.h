// One calculation run on the chosen data file, with the data file locked
// from before the technique runs until its results have been read back, so
// that a run of tamsor-batch or another window on the same file never mixes
// its results into this one. Every refusal and failure comes back as its
// message, with the cause as the detail.
#ifndef TAMSOR_CALCULATION_RUN_H
#define TAMSOR_CALCULATION_RUN_H

#include <chrono>
#include <functional>
#include <optional>

#include <QString>

#include "run/run_messages.h"
#include "tamsor/technique.h"

namespace tamsor {

class EngineBinding;

// How long a calculation waits for another run on the same data file.
inline constexpr std::chrono::milliseconds kDataFileLockPatience = std::chrono::seconds(30);

struct RunOutcome {
    std::optional<RunMessage> failure;  // nothing when the results were read back
    // Lines of the data file that look like a decimal comma, whenever the
    // loads were read.
    std::optional<RunMessage> warning;
};

// A calculation by `technique`: by the classic engine with the technique's
// engine flag, or in-process, on the same kMinIsolators to
// kMaxClassicIsolators loads. The data file is locked, its loads and result
// names checked as every technique takes them, the technique run and, after
// a run that did not fail, `readBack` run while the lock is still held. A
// refusal, a failed run and a run-time error of the engine binding or of
// `readBack` come back as the failure's message.
RunOutcome runCalculation(const QString& chosenPath, TechniqueId technique, EngineBinding& engine,
                          std::chrono::milliseconds patience,
                          const std::function<void()>& readBack);

}  // namespace tamsor

#endif
