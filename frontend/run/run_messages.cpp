#include "run/run_messages.h"

#include <cstring>

#include <QStringList>

#include "run/native_path.h"

namespace tamsor {
namespace {

// More lines than this in one warning would hide the point.
constexpr std::size_t kCommaLinesShown = 10;

QString systemReason(int systemError) {
    return shownText(std::strerror(systemError));
}

QString loadFaultDetail(const LoadFault& fault) {
    switch (fault.kind) {
        case LoadFaultKind::kCannotOpen:
            return QStringLiteral("The data file cannot be opened: ") +
                   systemReason(fault.systemError);
        case LoadFaultKind::kNotARegularFile:
            return QStringLiteral(
                "The data file is not a regular file but a pipe, a device or a folder");
        case LoadFaultKind::kReadError:
            return QStringLiteral("The data file cannot be read: ") +
                   systemReason(fault.systemError);
        default:
            return QStringLiteral("Line %1: %2")
                .arg(fault.line)
                .arg(shownText(describeLoadFault(fault)));
    }
}

QString resultFileDetail(const RunDiagnosis& diagnosis) {
    const QString file = shownText(diagnosis.resultFile);
    if (diagnosis.resultFault == ResultFault::kIsTheDataFile)
        return QStringLiteral(
                   "The result file %1 would overwrite the data file itself; give the data file "
                   "another extension, such as .DAT")
            .arg(file);
    return file + QStringLiteral(": ") + shownText(describeResultFault(diagnosis.resultFailure()));
}

}  // namespace

RunMessage messageFor(const RunDiagnosis& diagnosis, std::size_t maxLoads) {
    switch (diagnosis.fault) {
        case RunFault::kNone:
            break;
        case RunFault::kUnreadableLoads:
            return {kUnreadableLoadsMessage, loadFaultDetail(diagnosis.loadFault)};
        case RunFault::kTooFewLoads:
            return {kUnreadableLoadsMessage, QStringLiteral("%1 isolators, at least %2")
                                                 .arg(diagnosis.loadCount)
                                                 .arg(kMinIsolators)};
        case RunFault::kTooManyLoads:
            return {
                kUnreadableLoadsMessage,
                QStringLiteral("%1 isolators, at most %2").arg(diagnosis.loadCount).arg(maxLoads)};
        case RunFault::kResultFile:
            return {kCannotWriteResultsMessage, resultFileDetail(diagnosis)};
        case RunFault::kOverflow:
            return {
                kUnreadableLoadsMessage,
                QStringLiteral("The loads are too large: their single-precision sums overflow")};
    }
    return {kCalculationFailedMessage, {}};
}

RunMessage messageFor(DataFileLock::Outcome outcome, int systemError,
                      std::chrono::milliseconds patience) {
    LoadFault fault;
    switch (outcome) {
        case DataFileLock::Outcome::kLocked:
            break;
        case DataFileLock::Outcome::kCannotOpen:
            fault.kind = LoadFaultKind::kCannotOpen;
            fault.systemError = systemError;
            return {kUnreadableLoadsMessage, loadFaultDetail(fault)};
        case DataFileLock::Outcome::kNotARegularFile:
            fault.kind = LoadFaultKind::kNotARegularFile;
            return {kUnreadableLoadsMessage, loadFaultDetail(fault)};
        case DataFileLock::Outcome::kTimedOut: {
            const auto seconds = std::chrono::duration<double>(patience).count();
            return {kDataFileBusyMessage,
                    QStringLiteral("Another calculation on this data file (in tamsor-batch or "
                                   "another window) did not finish within %1 seconds. Try again "
                                   "when it has finished.")
                        .arg(seconds, 0, 'g', 3)};
        }
    }
    return {kCalculationFailedMessage, {}};
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
