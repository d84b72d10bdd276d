#include "batch_run.h"

#include <cstring>
#include <vector>

#include "report_summary.h"
#include "tamsor/data_file_lock.h"
#include "tamsor/load_file.h"
#include "tamsor/load_file_reader.h"
#include "tamsor/report_reader.h"
#include "tamsor/result_names.h"
#include "tamsor/run_diagnosis.h"
#include "tamsor/safe_result_files.h"
#include "vorbeck1.h"

namespace tamsor {
namespace {

constexpr int kSetsOfACompleteRun = 9;
// More warnings than this for one file would bury the summary.
constexpr int kWarningsShown = 20;

const char* techniqueName(std::int32_t methodFlag) {
    return methodFlag == 0 ? "Method 1 (equal load ranges)"
                           : "Method 2 (equal numbers of isolators)";
}

// Counts the loads without keeping them, so that a file of any size is
// counted, and warns of lines that look like a decimal comma.
class Diagnosis final : public LoadSink {
  public:
    Diagnosis(const std::string& path, std::ostream& messages) : path_(path), messages_(messages) {}
    void onLoad(const LoadLine& load) override {
        if (load.decimalComma.empty()) return;
        if (++warnings_ <= kWarningsShown)
            messages_ << path_ << ':' << load.line << ": warning: \"" << load.decimalComma
                      << "\" looks like a decimal comma; read as " << load.number << '\n';
    }
    void finish() const {
        if (warnings_ > kWarningsShown)
            messages_ << path_ << ": warning: " << warnings_ - kWarningsShown
                      << " more lines look like a decimal comma\n";
    }

  private:
    const std::string& path_;
    std::ostream& messages_;
    long warnings_ = 0;
};

bool refuseUnlocked(const std::string& path, DataFileLock& lock, std::ostream& messages) {
    switch (lock.outcome()) {
        case DataFileLock::Outcome::kLocked:
            return false;
        case DataFileLock::Outcome::kCannotOpen: {
            LoadFault fault;
            fault.kind = LoadFaultKind::kCannotOpen;
            fault.systemError = lock.file().systemError();
            messages << path << ": " << describeLoadFault(fault) << '\n';
            return true;
        }
        case DataFileLock::Outcome::kNotARegularFile:
            messages << path << ": not a regular file\n";
            return true;
        case DataFileLock::Outcome::kTimedOut:
            messages << path << ": another run on this file did not finish in time\n";
            return true;
    }
    return true;
}

// Reads the data file as the engine will and says which line is wrong and
// why; returns the number of loads, or -1 when the engine would refuse them.
long long checkLoads(const std::string& path, DataFile& file, std::ostream& messages) {
    Diagnosis warnings(path, messages);
    const RunDiagnosis diagnosis = diagnoseLoads(file, warnings);
    warnings.finish();
    switch (diagnosis.fault) {
        case RunFault::kUnreadableLoads: {
            const LoadFault& fault = diagnosis.loadFault;
            messages << path;
            if (fault.line > 0 && fault.kind != LoadFaultKind::kReadError)
                messages << ':' << fault.line;
            messages << ": " << describeLoadFault(fault) << '\n';
            return -1;
        }
        case RunFault::kTooManyLoads:
            messages << path << ": " << diagnosis.loadCount << " isolators, at most "
                     << kMaxIsolators << '\n';
            return -1;
        case RunFault::kTooFewLoads:
            messages << path << ": " << diagnosis.loadCount << " isolators, at least "
                     << kMinIsolators << '\n';
            return -1;
        default:
            return static_cast<long long>(diagnosis.loadCount);
    }
}

void reportResultFailure(const std::string& path, const ResultNames& names,
                         const ResultFailure& failure, std::ostream& messages) {
    if (failure.fault == ResultFault::kIsTheDataFile) {
        messages << path << ": the " << (names.report == failure.file ? "report " : "plot file ")
                 << failure.file
                 << " would overwrite the data file itself; give the data file another "
                    "extension, such as .DAT\n";
        return;
    }
    messages << path << ": cannot write " << failure.file << ": " << describeResultFault(failure)
             << '\n';
}

// The engine says only that the run failed: a result file that could not
// be written, or loads that overflow single precision.
void explainFailedRun(const std::string& path, const ResultNames& names,
                      const FileIdentity& dataFile, long long loads, std::ostream& messages) {
    const RunDiagnosis diagnosis =
        diagnoseFailedRun(names, dataFile, static_cast<std::size_t>(loads));
    if (diagnosis.fault == RunFault::kResultFile)
        reportResultFailure(path, names, diagnosis.resultFailure(), messages);
    else
        messages << path << ": the loads are too large: their single-precision sums overflow\n";
}

std::int32_t callEngine(const std::string& path, std::int32_t methodFlag) {
    char name[VORBECK1_PATH_LENGTH];
    std::memset(name, ' ', sizeof name);
    std::memcpy(name, path.data(), path.size());
    std::int32_t status = 0;
    std::int32_t flag = methodFlag;
    vorbeck1(&flag, &status, name);
    return status;
}

// Reads the report back and checks it against the run: nine sets after a
// complete run, one to eight after a stop, and the data file's isolators.
bool readBack(const std::string& path, const std::string& reportName, std::int32_t status,
              long long loads, std::vector<ReportSet>& sets, std::ostream& messages) {
    try {
        sets = readReport(reportName);
    } catch (const ReadError& error) {
        messages << path << ": unreadable report " << error.what() << '\n';
        return false;
    }
    const auto count = static_cast<int>(sets.size());
    const bool countFits = status == VORBECK1_SUCCESS ? count == kSetsOfACompleteRun
                                                      : count >= 1 && count < kSetsOfACompleteRun;
    if (!countFits) {
        messages << path << ": the report " << reportName << " holds " << count
                 << " result sets, not " << (status == VORBECK1_SUCCESS ? "9" : "1 to 8") << '\n';
        return false;
    }
    if (sets.front().loadCount() != loads) {
        messages << path << ": the report " << reportName << " holds " << sets.front().loadCount()
                 << " isolators, the data file " << loads << '\n';
        return false;
    }
    return true;
}

}  // namespace

bool partitionFile(const std::string& path, std::int32_t methodFlag, std::ostream& out,
                   std::ostream& messages) {
    if (!path.empty() && path.back() == ' ') {
        messages << '"' << path
                 << "\": the file name ends with a blank, which the engine would drop; "
                    "rename the file\n";
        return false;
    }
    if (path.size() > VORBECK1_PATH_LENGTH) {
        messages << path << ": path longer than " << VORBECK1_PATH_LENGTH << " characters\n";
        return false;
    }

    // Held until the report is read back: another run on the same file
    // waits rather than replacing the results in between.
    DataFileLock lock(path.c_str());
    if (refuseUnlocked(path, lock, messages)) return false;
    const long long loads = checkLoads(path, lock.file(), messages);
    if (loads < 0) return false;

    const ResultNames names = resultNamesFor(path);
    const RunDiagnosis resultFiles = diagnoseResultFiles(names, lock.file().identity());
    if (!resultFiles.ok()) {
        reportResultFailure(path, names, resultFiles.resultFailure(), messages);
        return false;
    }

    const std::int32_t status = callEngine(path, methodFlag);
    if (status != VORBECK1_SUCCESS && status != VORBECK1_EMPTY_PARTITION) {
        explainFailedRun(path, names, lock.file().identity(), loads, messages);
        return false;
    }

    std::vector<ReportSet> sets;
    if (!readBack(path, names.report, status, loads, sets, messages)) return false;
    out << path << ": " << loads << " isolators, " << techniqueName(methodFlag) << '\n';
    printSummary(out, sets);

    if (status == VORBECK1_EMPTY_PARTITION) {
        const int failedAt = static_cast<int>(sets.size()) + 1;
        out << "  stopped at " << failedAt << " types: an isolator type became empty\n\n";
        messages << path << ": cannot calculate the optimum solution for " << failedAt
                 << " types; try " << (methodFlag == 0 ? "--method 2" : "--method 1") << '\n';
        return false;
    }
    out << "  report " << names.report << ", plot " << names.plot << "\n\n";
    return true;
}

}  // namespace tamsor
