// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/result_files_writing.h"

#include "tamsor/safe_result_files.h"

namespace tamsor {

RunDiagnosis writeResultFiles(const ResultNames& names, const FileIdentity& dataFile,
                              std::span<const ResultSetRecord> sets,
                              std::span<const float> sortedLoads) {
    ResultFilePair results(names.report.c_str(), names.plot.c_str());
    if (!results.check(dataFile) || !results.openReport())
        return resultFileDiagnosis(results.failure());
    for (const ResultSetRecord& set : sets)
        writeResultSet(results.report(), set);
    if (results.openPlot()) writeLoadPlot(results.plot(), sortedLoads);
    if (!results.commit()) return resultFileDiagnosis(results.failure());
    return {};
}

}  // namespace tamsor
