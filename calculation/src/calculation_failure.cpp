// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/calculation_failure.h"

#include "run_failure.h"
#include "tamsor/load_file.h"

namespace tamsor {
namespace {

std::string kindOf(const CalculationFailure& failure) {
    return failure.resultKind == ResultKind::kReport ? "report " : "plot file ";
}

}  // namespace

std::string describeCalculationFailure(const CalculationFailure& failure) {
    const std::string count = std::to_string(failure.count);
    const std::string limit = std::to_string(failure.limit);
    switch (failure.fault) {
        case CalculationFault::kNameEndsWithBlank:
            return "the file name ends with a blank, which the engine would drop; rename the file";
        case CalculationFault::kNameTooLong:
            return "path longer than " + limit + " characters";
        case CalculationFault::kLockCancelled:
            return "the wait for another run on this file or its result files was cancelled";
        case CalculationFault::kLockTimedOut:
            return "another run on this file or its result files did not finish in time";
        case CalculationFault::kUnreadableLoads:
            return describeLoadFault(failure.loadFault);
        case CalculationFault::kTooFewLoads:
            return count + " isolators, at least " + limit;
        case CalculationFault::kTooManyLoads:
            return count + " isolators, at most " + limit;
        case CalculationFault::kLoadNotPositive:
            return "the load " + std::string(failure.loadFault.text()) + " is zero or less; " +
                   std::string(
                       techniqueOf(failure.technique.value_or(TechniqueId::kLeastSpread)).name) +
                   " takes positive loads only, since a type's spread is a share of its design "
                   "load";
        case CalculationFault::kResultFile:
            if (failure.resultFault == ResultFault::kIsTheDataFile)
                return "the " + kindOf(failure) + failure.file +
                       " would overwrite the data file itself; give the data file another "
                       "extension, such as .DAT";
            return "cannot write " + failure.file + ": " +
                   describeResultFault(
                       {failure.resultFault, failure.systemError, failure.file.c_str()});
        case CalculationFault::kOverflow:
            return "the loads are too large: their single-precision sums overflow";
        case CalculationFault::kUnknownEngineStatus:
            return "the engine ended with status " + std::to_string(failure.engineStatus) +
                   ", which it never gives; its result files are not used";
        case CalculationFault::kUnreadableResults:
            return "unreadable " + kindOf(failure) + failure.readError;
        case CalculationFault::kWrongSetCount:
            return "the report " + failure.file + " holds " + count + " result sets, not " +
                   (failure.runComplete ? std::to_string(kMaxTypes)
                                        : "1 to " + std::to_string(kMaxTypes - 1));
        case CalculationFault::kWrongLoadCount:
            return "the " + kindOf(failure) + failure.file + " holds " + count +
                   " isolators, the data file " + limit;
        case CalculationFault::kOtherLoads:
            return "the " + kindOf(failure) + failure.file +
                   " was not written for the loads of the data file: " + failure.mismatch;
    }
    return {};
}

std::int64_t failureLine(const CalculationFailure& failure) {
    if (failure.fault == CalculationFault::kLoadNotPositive) return failure.loadFault.line;
    if (failure.fault != CalculationFault::kUnreadableLoads) return 0;
    // A read error concerns the file, wherever the reading stopped.
    return failure.loadFault.kind == LoadFaultKind::kReadError ? 0 : failure.loadFault.line;
}

CalculationFailure failureOf(const RunDiagnosis& diagnosis, const ResultNames& names,
                             std::size_t maxLoads) {
    CalculationFailure failure;
    switch (diagnosis.fault) {
        case RunFault::kNone:
        case RunFault::kUnreadableLoads:
            failure.fault = CalculationFault::kUnreadableLoads;
            failure.loadFault = diagnosis.loadFault;
            break;
        case RunFault::kTooFewLoads:
            failure.fault = CalculationFault::kTooFewLoads;
            failure.count = diagnosis.loadCount;
            failure.limit = kMinIsolators;
            break;
        case RunFault::kTooManyLoads:
            failure.fault = CalculationFault::kTooManyLoads;
            failure.count = diagnosis.loadCount;
            failure.limit = maxLoads;
            break;
        case RunFault::kResultFile:
            failure.fault = CalculationFault::kResultFile;
            failure.file = diagnosis.resultFile;
            failure.resultKind =
                diagnosis.resultFile == names.report ? ResultKind::kReport : ResultKind::kPlot;
            failure.resultFault = diagnosis.resultFault;
            failure.systemError = diagnosis.systemError;
            break;
        case RunFault::kOverflow:
            failure.fault = CalculationFault::kOverflow;
            break;
    }
    return failure;
}

}  // namespace tamsor
