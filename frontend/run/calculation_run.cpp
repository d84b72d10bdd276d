#include "run/calculation_run.h"

#include <exception>
#include <string>
#include <vector>

#include "run/engine_binding.h"
#include "run/native_path.h"
#include "tamsor/data_file_lock.h"
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
    if (name.size() > kEngineNameLength)
        return QStringLiteral(
                   "The file name has %1 bytes, more than the %2 that the calculation engine "
                   "takes; give the file a shorter name")
            .arg(name.size())
            .arg(kEngineNameLength);
    // The engine would drop the blanks and calculate another file.
    if (name.ends_with(' '))
        return QStringLiteral(
            "The file name ends with a blank, which the calculation engine would drop; rename "
            "the file");
    return std::nullopt;
}

// The chosen data file found on disk by the bytes of its name and locked for
// one calculation; unlocked when the object goes.
class LockedDataFile {
  public:
    LockedDataFile(const QString& chosenPath, std::chrono::milliseconds patience);

    // Why the file cannot be calculated: several files answer to its name, it
    // cannot be opened, is not a regular file, or another run holds it.
    // Nothing when it is locked.
    const std::optional<RunMessage>& refusal() const { return refusal_; }
    const std::string& path() const { return path_; }  // the bytes naming it
    DataFile& file() { return lock_->file(); }         // open while locked

  private:
    std::string path_;
    std::optional<DataFileLock> lock_;
    std::optional<RunMessage> refusal_;
};

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

std::optional<RunMessage> calculate(const QString& chosenPath, TechniqueId technique,
                                    EngineBinding& engine, std::chrono::milliseconds patience,
                                    std::vector<DecimalCommaWarning>& warnings,
                                    const std::function<void()>& readBack) {
    LockedDataFile data(chosenPath, patience);
    if (data.refusal()) return data.refusal();
    // A technique computed in-process takes the data file by its name, however long.
    const std::optional<std::int32_t> engineFlag = techniqueOf(technique).engineFlag;
    if (engineFlag) {
        if (const auto reason = engineRefusal(data.path())) return refusedDataFile(*reason);
    }

    CommaWarnings commaWarnings(warnings);
    const RunDiagnosis loads = diagnoseLoads(data.file(), commaWarnings, kMaxClassicIsolators);
    if (!loads.ok()) return messageFor(loads);
    const ResultNames names = resultNamesFor(data.path());
    const FileIdentity identity = data.file().identity();
    if (const RunDiagnosis results = diagnoseResultFiles(names, identity); !results.ok())
        return messageFor(results);

    if (engineFlag) {
        const std::int32_t status = engine.calculate(*engineFlag, data.path());
        switch (static_cast<std::int16_t>(status)) {  // the low 16 bits
            case VORBECK1_UNREADABLE:
                return messageFor(diagnoseFailedRun(names, identity, loads.loadCount));
            case VORBECK1_EMPTY_PARTITION:
                return emptyPartitionMessage();
            default:
                break;
        }
    } else if (const RunDiagnosis run = runOptimal(data.path(), kMaxClassicIsolators); !run.ok()) {
        return messageFor(run);
    }
    readBack();
    return std::nullopt;
}

}  // namespace

RunOutcome runCalculation(const QString& chosenPath, TechniqueId technique, EngineBinding& engine,
                          std::chrono::milliseconds patience,
                          const std::function<void()>& readBack) {
    std::vector<DecimalCommaWarning> warnings;
    RunOutcome outcome;
    try {
        outcome.failure = calculate(chosenPath, technique, engine, patience, warnings, readBack);
    } catch (const std::exception& error) {
        outcome.failure = calculationFailedMessage(error);
    }
    outcome.warning = decimalCommaWarning(warnings);
    return outcome;
}

}  // namespace tamsor
