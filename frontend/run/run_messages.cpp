// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/run_messages.h"

#include <QStringList>

#include "run/native_path.h"

namespace tamsor {
namespace {

// More lines than this in one warning would hide the point.
constexpr std::size_t kCommaLinesShown = 10;

// Where the data file could be read, the line at fault.
QString loadFaultDetail(const CalculationFailure& failure) {
    if (failure.loadFault.kind == LoadFaultKind::kNotARegularFile)
        return QStringLiteral(
            "The data file is not a regular file but a pipe, a device or a folder");
    const QString cause = shownText(describeCalculationFailure(failure));
    if (const std::int64_t line = failureLine(failure); line > 0)
        return QStringLiteral("Line %1: %2").arg(line).arg(cause);
    return QStringLiteral("The data file ") + cause;
}

QString resultFileDetail(const CalculationFailure& failure) {
    const QString file = shownText(failure.file);
    if (failure.resultFault == ResultFault::kIsTheDataFile)
        return QStringLiteral(
                   "The result file %1 would overwrite the data file itself; give the data file "
                   "another extension, such as .DAT")
            .arg(file);
    return file + QStringLiteral(": ") +
           shownText(describeResultFault(
               {failure.resultFault, failure.systemError, failure.file.c_str()}));
}

// The calculation's own description, as a sentence.
QString described(const CalculationFailure& failure) {
    QString text = shownText(describeCalculationFailure(failure));
    if (!text.isEmpty()) text[0] = text[0].toUpper();
    return text;
}

}  // namespace

std::optional<RunMessage> messageFor(const CalculationFailure& failure,
                                     std::chrono::milliseconds patience) {
    switch (failure.fault) {
        case CalculationFault::kNameEndsWithBlank:
            return refusedDataFile(QStringLiteral(
                "The file name ends with a blank, which the calculation engine would drop; "
                "rename the file"));
        case CalculationFault::kNameTooLong:
            return refusedDataFile(
                QStringLiteral("The file name has %1 bytes, more than the %2 that the calculation "
                               "engine takes; give the file a shorter name")
                    .arg(failure.count)
                    .arg(failure.limit));
        case CalculationFault::kLockCancelled:
            return std::nullopt;
        case CalculationFault::kLockTimedOut:
            return RunMessage{
                kDataFileBusyMessage,
                QStringLiteral("Another calculation on this data file (in tamsor-batch or another "
                               "window) did not finish within %1 seconds. Try again when it has "
                               "finished.")
                    .arg(std::chrono::duration<double>(patience).count(), 0, 'g', 3)};
        case CalculationFault::kUnreadableLoads:
        case CalculationFault::kLoadNotPositive:
            return refusedDataFile(loadFaultDetail(failure));
        case CalculationFault::kTooManyLoads:
            if (failure.limit < kMaxProgramIsolators)
                return refusedDataFile(
                    described(failure) +
                    QStringLiteral(". Method 1 and Method2 take %1 to %2 isolators; choose "
                                   "Optimal or Least spread, which take up to %3.")
                        .arg(kMinIsolators)
                        .arg(failure.limit)
                        .arg(kMaxProgramIsolators));
            return refusedDataFile(described(failure));
        case CalculationFault::kTooFewLoads:
        case CalculationFault::kOverflow:
            return refusedDataFile(described(failure));
        case CalculationFault::kResultFile:
            return RunMessage{kCannotWriteResultsMessage, resultFileDetail(failure)};
        case CalculationFault::kUnknownEngineStatus:
        case CalculationFault::kUnreadableResults:
        case CalculationFault::kWrongSetCount:
        case CalculationFault::kWrongLoadCount:
        case CalculationFault::kOtherLoads:
            break;
    }
    return RunMessage{kCalculationFailedMessage, described(failure)};
}

RunMessage refusedDataFile(const QString& reason) {
    return {kUnreadableLoadsMessage, reason};
}

RunMessage emptyPartitionMessage() {
    return {kNoOptimumMessage,
            QStringLiteral("An isolator type became empty during the search. Choose Optimal, "
                           "which always completes.")};
}

RunMessage calculationFailedMessage(const std::exception& error) {
    return {kCalculationFailedMessage, shownText(error.what())};
}

std::optional<RunMessage> decimalCommaWarning(const std::vector<DecimalCommaWarning>& warnings) {
    if (warnings.empty()) return std::nullopt;
    QStringList lines;
    for (std::size_t i = 0; i < warnings.size() && i < kCommaLinesShown; ++i) {
        const DecimalCommaWarning& warning = warnings[i];
        lines << QStringLiteral("Line %1: \"%2\" looks like a decimal comma; read as %3")
                     .arg(warning.line)
                     .arg(shownText(warning.text), shownText(warning.readAs));
    }
    if (warnings.size() > kCommaLinesShown)
        lines << QStringLiteral("%1 more lines look like a decimal comma")
                     .arg(warnings.size() - kCommaLinesShown);
    return RunMessage{kDecimalCommaMessage, lines.join(QLatin1Char('\n'))};
}

}  // namespace tamsor
