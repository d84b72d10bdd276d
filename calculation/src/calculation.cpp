// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/calculation.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <span>
#include <utility>

#include "loads_reading.h"
#include "result_read_back.h"
#include "run_failure.h"
#include "tamsor/data_file_lock.h"
#include "tamsor/run_diagnosis.h"
#include "technique_runs.h"

namespace tamsor {
namespace {

CalculationFailure failure(CalculationFault fault) {
    CalculationFailure failure;
    failure.fault = fault;
    return failure;
}

bool anyClassic(const std::vector<TechniqueId>& techniques) {
    return std::any_of(techniques.begin(), techniques.end(),
                       [](TechniqueId id) { return techniqueOf(id).classic(); });
}

// Names that the classic engine would take for another file's, or cannot
// take. A blank at the end is refused for every technique: the result files'
// names drop it too.
std::optional<CalculationFailure> refusedName(const CalculationRequest& request) {
    const std::string& path = request.path;
    if (!path.empty() && path.back() == ' ') return failure(CalculationFault::kNameEndsWithBlank);
    if (!anyClassic(request.techniques)) return std::nullopt;
    const std::string_view name = request.engine.takesBareNames ? engineName(path) : path;
    if (name.size() <= kEngineNameLength) return std::nullopt;
    CalculationFailure tooLong = failure(CalculationFault::kNameTooLong);
    tooLong.count = name.size();
    tooLong.limit = kEngineNameLength;
    return tooLong;
}

// The fewest loads any technique asked for takes, and the caller's own limit.
std::size_t mostLoadsTaken(const CalculationRequest& request) {
    std::size_t most = request.maxLoads;
    for (const TechniqueId id : request.techniques)
        most = std::min(most, techniqueOf(id).maxIsolators);
    return most;
}

// A load of zero or less, refused by the first technique asked for that
// takes positive loads only; the first such load in file order is named.
std::optional<CalculationFailure> refusedLoads(const CalculationRequest& request,
                                               const CalculationOutcome& outcome) {
    const auto needy = std::find_if(request.techniques.begin(), request.techniques.end(),
                                    [](TechniqueId id) { return techniqueOf(id).groupsBySpread; });
    if (needy == request.techniques.end()) return std::nullopt;
    const std::span<const float> loads = outcome.loads.loads();
    const auto notPositive =
        std::find_if(loads.begin(), loads.end(), [](float load) { return !(load > 0); });
    if (notPositive == loads.end()) return std::nullopt;
    CalculationFailure refused = failure(CalculationFault::kLoadNotPositive);
    refused.technique = *needy;
    refused.loadFault.line =
        outcome.loads.line(static_cast<std::size_t>(notPositive - loads.begin()));
    char text[32];
    const auto written = std::to_chars(std::begin(text), std::end(text), *notPositive);
    refused.loadFault.setText(std::string_view(text, static_cast<std::size_t>(written.ptr - text)));
    return refused;
}

// The data file found by the bytes of its name and locked, waiting as the
// caller says while another run holds it.
class LockedDataFile {
  public:
    explicit LockedDataFile(const CalculationRequest& request)
        : lock_(request.path.c_str(), [this, &request](std::chrono::milliseconds waited) {
              waited_ = waited;
              answer_ = request.waitForLock ? request.waitForLock(waited) : LockWait::kTimeOut;
              return answer_ == LockWait::kGoOn;
          }) {}

    DataFile& file() { return lock_.file(); }

    // Why the file could not be locked; nothing when it is.
    std::optional<CalculationFailure> refusal() {
        CalculationFailure refused;
        switch (lock_.outcome()) {
            case DataFileLock::Outcome::kLocked:
                return std::nullopt;
            case DataFileLock::Outcome::kCannotOpen:
                refused.loadFault.kind = LoadFaultKind::kCannotOpen;
                refused.loadFault.systemError = lock_.file().systemError();
                break;
            case DataFileLock::Outcome::kNotARegularFile:
                refused.loadFault.kind = LoadFaultKind::kNotARegularFile;
                break;
            case DataFileLock::Outcome::kTimedOut:
                refused.fault = answer_ == LockWait::kCancel ? CalculationFault::kLockCancelled
                                                             : CalculationFault::kLockTimedOut;
                refused.waited = waited_;
                break;
        }
        return refused;
    }

  private:
    std::chrono::milliseconds waited_{0};
    LockWait answer_ = LockWait::kGoOn;
    DataFileLock lock_;  // last: it asks the members above while it waits
};

}  // namespace

LockWaitCallback waitAtMost(std::chrono::milliseconds patience) {
    return [patience](std::chrono::milliseconds waited) {
        return waited < patience ? LockWait::kGoOn : LockWait::kTimeOut;
    };
}

std::string_view engineName(std::string_view path) {
    if (path.size() <= kEngineNameLength) return path;
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

CalculationOutcome calculate(const CalculationRequest& request) {
    CalculationOutcome outcome;
    outcome.names = resultNamesFor(request.path);
    outcome.failure = refusedName(request);
    if (outcome.failure) return outcome;

    // Held until the result files are read back: another run on the same
    // file, or on another file with the same result names, waits rather than
    // replacing them in between, and the loads read here are those the
    // techniques read.
    LockedDataFile data(request);
    outcome.failure = data.refusal();
    if (outcome.failure) return outcome;
    outcome.failure = readLoads(data.file(), mostLoadsTaken(request), request.keepLabels, outcome);
    if (!outcome.failure) outcome.failure = refusedLoads(request, outcome);
    if (outcome.failure) return outcome;
    const FileIdentity dataFile = data.file().identity();
    if (const RunDiagnosis results = diagnoseResultFiles(outcome.names, dataFile); !results.ok()) {
        outcome.failure = failureOf(results, outcome.names, 0);
        return outcome;
    }

    for (const TechniqueId id : request.techniques) {
        TechniqueRun run;
        run.technique = id;
        std::optional<std::uint64_t> plotDigest;
        outcome.failure =
            runTechnique(techniqueOf(id), request, dataFile, outcome, run.complete, plotDigest);
        if (!outcome.failure)
            outcome.failure = readBackResults(outcome.names, outcome.sortedLoads, plotDigest,
                                              request.keepPlot, run);
        if (outcome.failure) {
            outcome.failure->technique = id;
            return outcome;
        }
        outcome.runs.push_back(std::move(run));
    }
    return outcome;
}

}  // namespace tamsor
