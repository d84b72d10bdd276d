#include "checked_loads.h"

#include <algorithm>

#include "tamsor/run_diagnosis.h"

namespace tamsor {
namespace {

// More warnings than this for one file would bury the summary.
constexpr int kWarningsShown = 20;

// Keeps the loads up to the maximum and warns of lines that look like a
// decimal comma.
class LoadCheck final : public LoadSink {
  public:
    LoadCheck(const std::string& path, std::size_t maxLoads, bool keepIsolators,
              CheckedLoads& loads, std::ostream& messages)
        : path_(path),
          maxLoads_(maxLoads),
          keepIsolators_(keepIsolators),
          loads_(loads),
          messages_(messages) {}

    void onLoad(const LoadLine& load) override {
        if (loads_.sorted.size() < maxLoads_) {
            loads_.sorted.push_back(load.load);
            if (keepIsolators_)
                loads_.isolators.push_back(
                    {static_cast<int>(load.line), load.load, std::string(load.label)});
        }
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
    std::size_t maxLoads_;
    bool keepIsolators_;
    CheckedLoads& loads_;
    std::ostream& messages_;
    long warnings_ = 0;
};

}  // namespace

void reportLoadFault(const std::string& path, const LoadFault& fault, std::ostream& messages) {
    messages << path;
    if (fault.line > 0 && fault.kind != LoadFaultKind::kReadError) messages << ':' << fault.line;
    messages << ": " << describeLoadFault(fault) << '\n';
}

std::optional<CheckedLoads> checkLoads(const std::string& path, DataFile& file,
                                       std::size_t maxLoads, bool keepIsolators,
                                       std::ostream& messages) {
    CheckedLoads loads;
    LoadCheck check(path, maxLoads, keepIsolators, loads, messages);
    const RunDiagnosis diagnosis = diagnoseLoads(file, check, maxLoads);
    check.finish();
    switch (diagnosis.fault) {
        case RunFault::kNone:
            loads.count = diagnosis.loadCount;
            std::stable_sort(loads.sorted.begin(), loads.sorted.end());
            return loads;
        case RunFault::kUnreadableLoads:
            reportLoadFault(path, diagnosis.loadFault, messages);
            break;
        case RunFault::kTooManyLoads:
            messages << path << ": " << diagnosis.loadCount << " isolators, at most " << maxLoads
                     << '\n';
            break;
        case RunFault::kTooFewLoads:
            messages << path << ": " << diagnosis.loadCount << " isolators, at least "
                     << kMinIsolators << '\n';
            break;
        case RunFault::kResultFile:
        case RunFault::kOverflow:
            break;  // found only when the result files are written
    }
    return std::nullopt;
}

}  // namespace tamsor
