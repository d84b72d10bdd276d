// SPDX-License-Identifier: GPL-3.0-or-later
// The messages of a calculation run: the designed text of each outcome and,
// as its detail, the cause in the engineer's words — which line of the data
// file and why, which result file and the system's reason.
#ifndef TAMSOR_RUN_MESSAGES_H
#define TAMSOR_RUN_MESSAGES_H

#include <chrono>
#include <exception>
#include <optional>
#include <vector>

#include <QString>

#include "tamsor/calculation_failure.h"
#include "tamsor/load_file.h"

namespace tamsor {

inline const QString kUnreadableLoadsMessage = QStringLiteral(
    "Error reading loads from data file or there are too few isolators, Minimum = 11");
inline const QString kNoOptimumMessage = QStringLiteral("Cannot calculate optimum solution");
inline const QString kCalculationFailedMessage =
    QStringLiteral("Cannot Calculate Isolator Distribution");
inline const QString kCannotWriteResultsMessage =
    QStringLiteral("Cannot write the result files beside the data file");
inline const QString kDataFileBusyMessage =
    QStringLiteral("The data file is in use by another calculation");
inline const QString kDecimalCommaMessage =
    QStringLiteral("The data file may hold loads written with a decimal comma");

struct RunMessage {
    QString text;
    QString detail;  // the cause; empty when the text says all
};

// A calculation refused or failed for `failure`: the data file's name, its
// loads or overflowing sums under the unreadable-loads text, a result file
// that cannot be written under its own, another run that held the data file
// past `patience` as busy, result files that cannot be trusted as a failed
// calculation. Nothing for a wait that the user cancelled.
std::optional<RunMessage> messageFor(const CalculationFailure& failure,
                                     std::chrono::milliseconds patience);

// A data file refused before it is opened, for the reason given.
RunMessage refusedDataFile(const QString& reason);

RunMessage emptyPartitionMessage();

// A run-time error on the way: a missing engine, results that cannot be shown.
RunMessage calculationFailedMessage(const std::exception& error);

// One warning for all lines of a calculation's data file that look like a
// decimal comma; nothing when there are none.
std::optional<RunMessage> decimalCommaWarning(const std::vector<DecimalCommaWarning>& warnings);

}  // namespace tamsor

#endif
