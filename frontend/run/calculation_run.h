// SPDX-License-Identifier: GPL-3.0-or-later
// One calculation run of the program on the chosen data file: the
// calculation that tamsor-batch runs too, with the program's engine binding,
// its wait for another run on the same file and its messages.
#ifndef TAMSOR_CALCULATION_RUN_H
#define TAMSOR_CALCULATION_RUN_H

#include <chrono>
#include <optional>

#include <QString>

#include "run/run_messages.h"
#include "tamsor/calculation.h"

class QWidget;

namespace tamsor {

class DesktopServices;
class EngineBinding;

// How long a calculation waits for another run on the same data file.
inline constexpr std::chrono::milliseconds kDataFileLockPatience = std::chrono::seconds(30);

// While another run holds the data file: a wait dialog named for the file,
// shown when the lock is first found held; until each next question about
// kLockWaitInterval later the windows repaint and Cancel answers. Cancelled,
// or after `patience`, the wait is given up.
LockWaitCallback waitWithDialog(DesktopServices& services, QWidget* parent, const QString& dataFile,
                                std::chrono::milliseconds patience);

struct RunOutcome {
    CalculationOutcome calculation;
    // Why there are no results to show; nothing when the last run completed,
    // or when the user stopped waiting for another run on the data file.
    std::optional<RunMessage> failure;
    // Lines of the data file that look like a decimal comma, whenever the
    // loads were read.
    std::optional<RunMessage> warning;
    // Another run held the data file until the wait was given up: the file
    // may simply be calculated again.
    bool dataFileBusy = false;

    bool hasResults() const { return !failure && !dataFileBusy; }
};

// The chosen data file, found by the bytes of its name, calculated by
// `technique` on 11 to as many loads as it takes, at most kMaxProgramIsolators,
// the classic techniques through `engine`. A refusal, a failure, a run that stopped at an empty
// isolator type and a run-time error of the engine binding come back as the
// failure's message.
RunOutcome runCalculation(const QString& chosenPath, TechniqueId technique, EngineBinding& engine,
                          LockWaitCallback waitForLock, std::chrono::milliseconds patience);

}  // namespace tamsor

#endif
