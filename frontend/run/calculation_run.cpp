#include "run/calculation_run.h"

#include "results/results_model.h"
#include "run/engine_binding.h"
#include "run/native_path.h"
#include "tamsor/optimal_run.h"
#include "tamsor/result_names.h"
#include "tamsor/run_diagnosis.h"

namespace tamsor {
namespace {

class CommaWarnings final : public LoadSink {
  public:
    explicit CommaWarnings(std::vector<DecimalCommaWarning>& warnings) : warnings_(warnings) {}
    void onLoad(const LoadLine& load) override {
        if (!load.decimalComma.empty())
            warnings_.push_back(
                {load.line, std::string(load.decimalComma), std::string(load.number)});
    }

  private:
    std::vector<DecimalCommaWarning>& warnings_;
};

// Why the engine cannot be handed the data file at `path`; nothing when it can.
std::optional<QString> engineRefusal(const std::string& path) {
    const std::string_view name = EngineBinding::engineName(path);
    if (name.size() > VORBECK1_PATH_LENGTH)
        return QStringLiteral(
                   "The file name has %1 bytes, more than the %2 that the calculation engine "
                   "takes; give the file a shorter name")
            .arg(name.size())
            .arg(VORBECK1_PATH_LENGTH);
    // The engine would drop the blanks and calculate another file.
    if (name.ends_with(' '))
        return QStringLiteral(
            "The file name ends with a blank, which the calculation engine would drop; rename "
            "the file");
    return std::nullopt;
}

}  // namespace

LockedDataFile::LockedDataFile(const QString& chosenPath, std::chrono::milliseconds patience) {
    const auto path = nativePath(chosenPath);
    if (!path) {
        refusal_ = refusedDataFile(
            QStringLiteral("Several files in the folder answer to the name %1, whose bytes "
                           "are not all valid text; rename the data file")
                .arg(chosenPath.section(QLatin1Char('/'), -1)));
        return;
    }
    path_ = *path;
    lock_.emplace(path_.c_str(), patience);
    if (!lock_->locked())
        refusal_ = messageFor(lock_->outcome(), lock_->file().systemError(), patience);
}

std::optional<RunMessage> runCalculation(const QString& chosenPath, std::int16_t methodFlag,
                                         EngineBinding& engine, std::chrono::milliseconds patience,
                                         std::vector<DecimalCommaWarning>& warnings,
                                         const std::function<void()>& readBack) {
    LockedDataFile data(chosenPath, patience);
    if (data.refusal()) return data.refusal();
    // The exact technique takes the data file by its name, however long.
    const bool classic = methodFlag != kOptimalMethodFlag;
    if (classic) {
        if (const auto reason = engineRefusal(data.path())) return refusedDataFile(*reason);
    }

    CommaWarnings commaWarnings(warnings);
    const RunDiagnosis loads = diagnoseLoads(data.file(), commaWarnings, kMaxIsolators);
    if (!loads.ok()) return messageFor(loads);
    const ResultNames names = resultNamesFor(data.path());
    const FileIdentity identity = data.file().identity();
    if (const RunDiagnosis results = diagnoseResultFiles(names, identity); !results.ok())
        return messageFor(results);

    if (classic) {
        const std::int32_t status = engine.calculate(methodFlag, data.path());
        switch (static_cast<std::int16_t>(status)) {  // the low 16 bits
            case VORBECK1_UNREADABLE:
                return messageFor(diagnoseFailedRun(names, identity, loads.loadCount));
            case VORBECK1_EMPTY_PARTITION:
                return emptyPartitionMessage();
            default:
                break;
        }
    } else if (const RunDiagnosis run = runOptimal(data.path(), kMaxIsolators); !run.ok()) {
        return messageFor(run);
    }
    readBack();
    return std::nullopt;
}

}  // namespace tamsor
