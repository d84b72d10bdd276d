// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/result_files_writing.h"

#include "tamsor/safe_result_files.h"

namespace tamsor {
namespace {

// Takes the plot file's digest where `digest` is given.
RunDiagnosis writeBoth(const ResultNames& names, const FileIdentity& dataFile,
                       std::span<const ResultSetRecord> sets, std::span<const float> sortedLoads,
                       TextDigest* digest) {
    ResultFilePair results(names.report.c_str(), names.plot.c_str());
    if (!results.check(dataFile) || !results.openReport())
        return resultFileDiagnosis(results.failure());
    for (const ResultSetRecord& set : sets)
        writeResultSet(results.report(), set);
    if (results.openPlot()) {
        if (digest != nullptr)
            writeLoadPlot(results.plot(), sortedLoads, *digest);
        else
            writeLoadPlot(results.plot(), sortedLoads);
    }
    if (!results.commit()) return resultFileDiagnosis(results.failure());
    return {};
}

}  // namespace

RunDiagnosis writeResultFiles(const ResultNames& names, const FileIdentity& dataFile,
                              std::span<const ResultSetRecord> sets,
                              std::span<const float> sortedLoads) {
    return writeBoth(names, dataFile, sets, sortedLoads, nullptr);
}

RunDiagnosis writeResultFiles(const ResultNames& names, const FileIdentity& dataFile,
                              std::span<const ResultSetRecord> sets,
                              std::span<const float> sortedLoads, std::uint64_t& plotDigest) {
    TextDigest digest;
    const RunDiagnosis written = writeBoth(names, dataFile, sets, sortedLoads, &digest);
    if (written.ok()) plotDigest = digest.value();
    return written;
}

}  // namespace tamsor
