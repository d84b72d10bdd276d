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
#include "scratch_folder.h"
#include "tamsor/optimal_grouping.h"
#include "vorbeck1.h"

namespace tamsor {
namespace {

namespace fs = std::filesystem;
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

// Twelve loads, unsorted, with a note after one and a blank line. Sorted:
//   position  1    2    3    4    5    6    7     8     9     10    11    12
//   load      500  500  500  520  900  900  1000  1000  1600  1600  1640  2400
// Each further type cuts one more gap; the best cuts, found by trying every
// split, take the gaps 1000|1600 (n = 2), 1640|2400 (3), 520|900 (4),
// 900|1000 (5), 1600|1640 (6) and 500|520 (7). Sums of squares S:
//   n = 1: sum 13060, mean 1088.333; S = 18210000 - 13060^2 / 12 = 11989100 / 3
//   n = 2: {500 x3, 520, 900 x2, 1000 x2} mean 727.5, S 406350;
//          {1600 x2, 1640, 2400} mean 1810, S 465200; S = 871550
//   n = 3: 406350 + {1600 x2, 1640} (mean 1613.333, S 3200 / 3) + {2400}: 1222250 / 3
//   n = 4: {500 x3, 520} (mean 505, S 300) + {900 x2, 1000 x2} (mean 950, S 10000)
//          + 3200 / 3 = 34100 / 3
//   n = 5: 300 + 0 + 0 + 3200 / 3 = 4100 / 3;  n = 6: 300;  n = 7: 0
// The pooled variance S / 12, rounded to single precision, then to 2 decimals:
// 333030.555.. is the single 333030.5625, 72629.1666.. the single 72629.1640625
// (steps of 1/128 at this size) and so 72629.16, 33951.3888.. the single
// 33951.390625; 947.222.., 113.888.., 25.
// n = 8 and 9: seven different loads leave S = 0 however the equal loads are
// split, and of equal groupings the one with the boundaries furthest left is
// taken: every type starts as early as it can, from the last one back, so the
// three loads of 500 give {500}, {500 500} for 8 types and one type each for 9.
// The operation count column holds the cost evaluations of the computation,
// which no hand can follow: it is taken from the grouping library.
constexpr const char* kHandWorkedLoads =
    "1600\r\n500\r\n2400  kN core wall\r\n900\r\n500\r\n\r\n1000\r\n520\r\n1640\r\n900\r\n"
    "500\r\n1000\r\n1600\r\n";

const char* const kHandWorkedReport[] = {
    "   1   333030.56%s         1        13\r\n",
    "                       1088.33\r\n",
    "   2    72629.16%s         1         9        13\r\n",
    "                        727.50    1810.00\r\n",
    "   3    33951.39%s         1         9        12        13\r\n",
    "                        727.50    1613.33    2400.00\r\n",
    "   4      947.22%s         1         5         9        12        13\r\n",
    "                        505.00     950.00    1613.33    2400.00\r\n",
    "   5      113.89%s         1         5         7         9        12        13\r\n",
    "                        505.00     900.00    1000.00    1613.33    2400.00\r\n",
    "   6       25.00%s         1         5         7         9        11        12        13\r\n",
    "                        505.00     900.00    1000.00    1600.00    1640.00    2400.00\r\n",
    "   7         .00%s         1         4         5         7         9        11        12"
    "        13\r\n",
    "                        500.00     520.00     900.00    1000.00    1600.00    1640.00    "
    "2400.00\r\n",
    "   8         .00%s         1         2         4         5         7         9        11"
    "        12        13\r\n",
    "                        500.00     500.00     520.00     900.00    1000.00    1600.00    "
    "1640.00    2400.00\r\n",
    "   9         .00%s         1         2         3         4         5         7         9"
    "        11        12        13\r\n",
    "                        500.00     500.00     500.00     520.00     900.00    1000.00    "
    "1600.00    1640.00    2400.00\r\n",
};

// The step curve: every sorted load at its position, and at the next position
// where the next load differs or it is the last: 12 + 7 points.
constexpr const char* kHandWorkedPlot =
    "          1      500.000000\r\n"
    "          2      500.000000\r\n"
    "          3      500.000000\r\n"
    "          4      500.000000\r\n"
    "          4      520.000000\r\n"
    "          5      520.000000\r\n"
    "          5      900.000000\r\n"
    "          6      900.000000\r\n"
    "          7      900.000000\r\n"
    "          7     1000.000000\r\n"
    "          8     1000.000000\r\n"
    "          9     1000.000000\r\n"
    "          9     1600.000000\r\n"
    "         10     1600.000000\r\n"
    "         11     1600.000000\r\n"
    "         11     1640.000000\r\n"
    "         12     1640.000000\r\n"
    "         12     2400.000000\r\n"
    "         13     2400.000000\r\n";

TEST(OptimalRun, HandWorkedBuildingByteForByte) {
    const std::vector<double> sorted = {500,  500,  500,  520,  900,  900,
                                        1000, 1000, 1600, 1600, 1640, 2400};
    const auto groupings = findOptimalGroupings(sorted);
    std::string expected;
    for (int line = 0; line < 18; ++line) {
        char count[16];
        std::snprintf(count, sizeof count, "%9lld",
                      static_cast<long long>(groupings[line / 2].costEvaluations));
        char text[256];
        std::snprintf(text, sizeof text, kHandWorkedReport[line], count);
        expected += text;
    }

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
    const fs::path source = fs::path(__FILE__).parent_path().parent_path().parent_path();
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
