// SPDX-License-Identifier: GPL-3.0-or-later
// The exact technique's run with files: the bytes of its result files for a
// hand-worked building, the same refusals as the classic techniques' engine,
// and the reasons it gives its caller.
#include "tamsor/optimal_run.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "child_process.h"
#include "hand_worked_hall.h"
#include "scratch_folder.h"
#include "tamsor/optimal_grouping.h"
#include "vorbeck1.h"

namespace tamsor {
namespace {

namespace fs = std::filesystem;
using testing::kHandWorkedLoads;
using testing::kHandWorkedPlot;
using testing::read_file;
using testing::ScratchFolder;
using testing::write_file;

std::int32_t callVorbeck1(const std::string& path, std::int32_t methodFlag) {
    std::string padded = path;
    padded.resize(VORBECK1_PATH_LENGTH, ' ');
    std::int32_t status = 0;
    vorbeck1(&methodFlag, &status, padded.data());
    return status;
}

std::string loadLines(int count, double first, double step) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += std::to_string(first + step * i) + "\r\n";
    return text;
}

TEST(OptimalRun, HandWorkedBuildingByteForByte) {
    const std::vector<double> sorted = {500,  500,  500,  520,  900,  900,
                                        1000, 1000, 1600, 1600, 1640, 2400};
    std::vector<std::int64_t> operationCounts;
    for (const OptimalGrouping& grouping : findOptimalGroupings(sorted))
        operationCounts.push_back(grouping.costEvaluations);
    const std::string expected = testing::handWorkedReport(operationCounts);

    ScratchFolder folder;
    const std::string data = folder.file("HALL.DAT").string();
    write_file(data, kHandWorkedLoads);
    const RunDiagnosis result = runOptimal(data, kMaxOptimalIsolators);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.loadCount, 12u);
    EXPECT_EQ(read_file(folder.file("HALL.out")), expected);
    EXPECT_EQ(read_file(folder.file("HALL.plt")), kHandWorkedPlot);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 3);
}

struct Verdicts {
    std::int32_t method1 = -1;
    std::int32_t method2 = -1;
    std::int32_t optimal = -1;
};

// Runs both classic techniques and then the exact one on a copy of `input`
// named `name`; after each refusal the folder must hold the earlier files alone.
Verdicts judge(const fs::path& input, const std::string& name = "LOADS.DAT") {
    ScratchFolder folder;
    const fs::path data = folder.file(name);
    fs::copy_file(input, data);
    Verdicts verdicts;
    verdicts.method1 = callVorbeck1(data.string(), 0);
    verdicts.method2 = callVorbeck1(data.string(), 1);
    // A complete classic run leaves a plot file; the exact run writes the same one.
    const fs::path plot = fs::path(data).replace_extension(".plt");
    const std::string classicPlot = fs::exists(plot) ? read_file(plot) : std::string();
    const std::string earlierReport = read_file(fs::path(data).replace_extension(".out"));
    verdicts.optimal = runOptimal(data.string(), 100).ok() ? 0 : 1;
    if (verdicts.optimal == 0 && !classicPlot.empty()) {
        EXPECT_EQ(read_file(plot), classicPlot);
    }
    if (verdicts.optimal != 0) {
        EXPECT_EQ(read_file(fs::path(data).replace_extension(".out")), earlierReport);
    }
    return verdicts;
}

TEST(OptimalRun, RefusesWhatTheClassicTechniquesRefuse) {
    const fs::path source = TAMSOR_SOURCE_DIR;
    std::vector<fs::path> inputs;
    for (const char* folder : {"examples", "fuzz/corpus", "tests/engine/fuzz_regressions"})
        for (const auto& entry : fs::directory_iterator(source / folder))
            if (entry.path().extension() == ".DAT") inputs.push_back(entry.path());
    ASSERT_GE(inputs.size(), 15u);

    // Hand-made files that break one rule each, or come close to it.
    ScratchFolder made;
    std::vector<std::string> huge(20, "1e30");
    huge[0] = "2e30";
    const std::pair<const char*, std::string> madeFiles[] = {
        {"word_after_eleven.DAT", loadLines(11, 100, 10) + "twelve\r\n"},
        {"ten.DAT", loadLines(10, 100, 10)},
        {"eleven.DAT", loadLines(11, 100, 10)},
        {"hundred.DAT", loadLines(100, 100, 1)},
        {"hundred_and_one.DAT", loadLines(101, 100, 1)},
        {"empty.DAT", ""},
        {"beyond_single.DAT", loadLines(11, 100, 10) + "1e39\r\n"},
        // The squared differences overflow single precision.
        {"squares_overflow.DAT", loadLines(19, 1e30, 0) + "2e30\n"},
        // No difference at all, but the single-precision total of the loads overflows.
        {"sum_overflows.DAT", loadLines(40, 1e37, 0)},
        {"near_overflow.DAT", loadLines(20, 1e17, 0) + "3e17\n"},
        {"decimal_comma.DAT", loadLines(12, 100, 10) + "150,75 axis C/2\n"},
        {"negative_and_zero.DAT", loadLines(12, -50, 10) + "-0\n0\n"},
    };
    for (const auto& [name, text] : madeFiles) {
        write_file(made.file(name), text);
        inputs.push_back(made.file(name));
    }

    int refused = 0;
    for (const fs::path& input : inputs) {
        SCOPED_TRACE(input.filename().string());
        const Verdicts verdicts = judge(input);
        // Status 2, an empty type, is the classic techniques' own failure.
        EXPECT_EQ(verdicts.optimal == 1, verdicts.method1 == 1);
        EXPECT_EQ(verdicts.optimal == 1, verdicts.method2 == 1);
        EXPECT_NE(verdicts.optimal, 2);
        refused += verdicts.optimal == 1;
    }
    EXPECT_GE(refused, 9);

    // A data file named like its own report would be overwritten.
    const Verdicts self = judge(source / "examples" / "MUSEUM.DAT", "MUSEUM.out");
    EXPECT_EQ(self.method1, 1);
    EXPECT_EQ(self.optimal, 1);
}

TEST(OptimalRun, SaysWhyItRefusedForTheCallersMessage) {
    ScratchFolder folder;
    const std::string data = folder.file("b.DAT").string();
    const auto run = [&](const std::string& text, std::size_t maxLoads = 100) {
        write_file(data, text);
        return runOptimal(data, maxLoads);
    };

    RunDiagnosis result = run("1250 kN\r\n1300\r\n\r\nabc\r\n");
    EXPECT_EQ(result.fault, RunFault::kUnreadableLoads);
    EXPECT_EQ(result.loadFault.kind, LoadFaultKind::kNotANumber);
    EXPECT_EQ(result.loadFault.line, 4);
    EXPECT_EQ(result.loadFault.text(), "abc");

    result = run(loadLines(9, 100, 10));
    EXPECT_EQ(result.fault, RunFault::kTooFewLoads);
    EXPECT_EQ(result.loadCount, 9u);

    // The maximum is the caller's; every load is counted.
    result = run("\n" + loadLines(25, 100, 10), 20);
    EXPECT_EQ(result.fault, RunFault::kTooManyLoads);
    EXPECT_EQ(result.loadCount, 25u);
    EXPECT_TRUE(run(loadLines(150, 100, 10), 1000).ok());

    result = runOptimal(folder.file("missing.DAT").string(), 100);
    EXPECT_EQ(result.fault, RunFault::kUnreadableLoads);
    EXPECT_EQ(result.loadFault.kind, LoadFaultKind::kCannotOpen);
    EXPECT_EQ(result.loadFault.systemError, ENOENT);
    result = runOptimal(folder.path().string(), 100);
    EXPECT_EQ(result.loadFault.kind, LoadFaultKind::kNotARegularFile);

    result = run(loadLines(19, 1e30, 0) + "2e30\n");
    EXPECT_EQ(result.fault, RunFault::kOverflow);
    // A small sum, but one squared difference beyond the single-precision range.
    result = run(loadLines(19, 1, 0) + "2e19\n");
    EXPECT_EQ(result.fault, RunFault::kOverflow);
    EXPECT_TRUE(run(loadLines(19, 1, 0) + "1e19\n").ok());

    // Write-protected: the plot file is named, and nothing on disk changes.
    const fs::path report = folder.file("b.out");
    const fs::path plot = folder.file("b.plt");
    write_file(report, "earlier\r\n");
    write_file(plot, "earlier\r\n");
    fs::permissions(plot, fs::perms::owner_read);
    result = run(loadLines(60, 100, 10));
    EXPECT_EQ(result.fault, RunFault::kResultFile);
    EXPECT_EQ(result.resultFault, ResultFault::kReadOnly);
    EXPECT_EQ(result.resultFile, plot.string());
    EXPECT_EQ(read_file(report), "earlier\r\n");
    fs::permissions(plot, fs::perms::owner_read | fs::perms::owner_write);

    // A file size limit of 2000 bytes: the report (1467 bytes) fits, the plot
    // file (120 points of 29 bytes) does not.
    const auto limited = testing::runInChild(
        [&] {
            const RunDiagnosis inChild = runOptimal(data, 100);
            return inChild.fault == RunFault::kResultFile && inChild.resultFile == plot.string() &&
                           inChild.systemError == EFBIG
                       ? 0
                       : 1;
        },
        {.fileSizeLimit = 2000});
    EXPECT_EQ(limited.exitStatus, 0);
    EXPECT_EQ(read_file(plot), "earlier\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 3);
}

}  // namespace
}  // namespace tamsor
