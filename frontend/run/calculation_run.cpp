// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/calculation_run.h"

#include <exception>
#include <memory>
#include <utility>

#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

#include "app/desktop_services.h"
#include "run/engine_binding.h"
#include "run/native_path.h"
#include "tamsor/data_file_lock.h"

namespace tamsor {

LockWaitCallback waitWithDialog(DesktopServices& services, QWidget* parent, const QString& dataFile,
                                std::chrono::milliseconds patience) {
    const QString text = QStringLiteral("Waiting for another calculation on %1...")
                             .arg(QFileInfo(dataFile).fileName());
    std::shared_ptr<WaitDialog> dialog;
    return [&services, parent, text, patience, dialog](std::chrono::milliseconds waited) mutable {
        if (waited >= patience) return LockWait::kTimeOut;
        if (!dialog) dialog = services.showWait(parent, text, patience);
        dialog->showWaited(waited);
        QEventLoop events;
        QTimer::singleShot(kLockWaitInterval, &events, &QEventLoop::quit);
        events.exec();
        return dialog->cancelled() ? LockWait::kCancel : LockWait::kGoOn;
    };
}

RunOutcome runCalculation(const QString& chosenPath, TechniqueId technique, EngineBinding& engine,
                          LockWaitCallback waitForLock, std::chrono::milliseconds patience) {
    RunOutcome outcome;
    const auto path = nativePath(chosenPath);
    if (!path) {
        outcome.failure = refusedDataFile(
            QStringLiteral("Several files in the folder answer to the name %1, whose bytes "
                           "are not all valid text; rename the data file")
                .arg(chosenPath.section(QLatin1Char('/'), -1)));
        return outcome;
    }
    CalculationRequest request;
    request.path = *path;
    request.techniques = {technique};
    request.maxLoads = kMaxProgramIsolators;
    request.engine = engine.classicEngine();
    request.waitForLock = std::move(waitForLock);
    try {
        outcome.calculation = calculate(request);
    } catch (const std::exception& error) {
        outcome.failure = calculationFailedMessage(error);
        return outcome;
    }

    const CalculationOutcome& calculation = outcome.calculation;
    outcome.warning = decimalCommaWarning(calculation.warnings);
    if (calculation.failure) {
        const CalculationFault fault = calculation.failure->fault;
        outcome.dataFileBusy =
            fault == CalculationFault::kLockTimedOut || fault == CalculationFault::kLockCancelled;
        outcome.failure = messageFor(*calculation.failure, patience);
    } else if (!calculation.runs.back().complete) {
        outcome.failure = emptyPartitionMessage();
    }
    return outcome;
}

}  // namespace tamsor
