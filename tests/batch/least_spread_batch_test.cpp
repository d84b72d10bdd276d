// SPDX-License-Identifier: GPL-3.0-or-later
// tamsor-batch --method spread with a tolerance, run as a script runs it: every
// sample, the schedule of the fewest types, and the exit status where that
// count is more than a run forms or a load cannot be grouped.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "batch_test_support.h"

namespace {

namespace fs = std::filesystem;
using tamsor::testing::batch;
using tamsor::testing::kHallLoads;
using tamsor::testing::ProgramRun;
using tamsor::testing::ScratchFolder;
using tamsor::testing::write_file;

TEST(LeastSpreadMethod, CompletesEverySampleAndStatesTheFewestTypesWithinTheTolerance) {
    ScratchFolder folder;
    std::vector<std::string> arguments = {"--method", "spread", "--tolerance", "10"};
    for (const auto& entry : fs::directory_iterator(TAMSOR_EXAMPLES_DIR)) {
        if (entry.path().extension() != ".DAT") continue;
        fs::copy_file(entry.path(), folder.file(entry.path().filename().string()));
        arguments.push_back(folder.file(entry.path().filename().string()).string());
    }
    const ProgramRun run = batch(arguments, folder);
    EXPECT_EQ(run.end.exitStatus, 0) << run.err;
    EXPECT_EQ(run.err, "");
    for (std::size_t i = 4; i < arguments.size(); ++i) {
        const std::size_t start = run.out.find(arguments[i] + ": ");
        ASSERT_NE(start, std::string::npos) << arguments[i];
        const std::string block = run.out.substr(start, run.out.find("\n\n", start) - start);
        EXPECT_NE(block.find(" isolators, Least spread (the least spread below the design "
                             "load)\n  types   pooled variance  worst spread  capacity above need"),
                  std::string::npos)
            << block;
        EXPECT_NE(block.find("\n      9 "), std::string::npos) << block;
        EXPECT_NE(block.find("\n  Fewest types within 10.0 %: "), std::string::npos) << block;
    }
    // OFFICE5: five types within 8.3 % at a pooled variance of 4,543.78, as found by trying
    // every split.
    EXPECT_NE(run.out.find("OFFICE5.DAT: 24 isolators"), std::string::npos);
    EXPECT_NE(run.out.find("      5           4543.78         8.3 %"), std::string::npos)
        << run.out;
}

// The hall within 10 %: {500 500 500 520} (20 / 520 = 3.8 %), {900 900 1000
// 1000} (10.0 %), {1600 1600 1640} (2.4 %), {2400}; capacity above need
// 3 x 20 + 2 x 100 + 2 x 40 = 340 of the loads' 13060, 2.6 %.
TEST(LeastSpreadMethod, SchedulesTheFewestTypesWithinTheTolerance) {
    ScratchFolder folder;
    const std::string data = folder.file("HALL.DAT").string();
    write_file(data, kHallLoads);
    ProgramRun run =
        batch({"--method", "spread", "--tolerance", "10", "--types", "fewest", data}, folder);
    EXPECT_EQ(run.end.exitStatus, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find("\n  Fewest types within 10.0 %: 4\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("  Isolator schedule for 4 types\n"), std::string::npos);
    EXPECT_NE(run.out.find("\n  Worst spread 10.0 %  \xC2\xB7  capacity above need 2.6 %\n"),
              std::string::npos)
        << run.out;

    // Eleven loads 10 % and more apart need eleven types within 1 %: stated, in JSON too, and
    // no schedule.
    write_file(data, "100\n200\n300\n400\n500\n600\n700\n800\n900\n1000\n1100\n");
    run = batch({"--method", "spread", "--tolerance", "1", "--types", "fewest", data}, folder);
    EXPECT_EQ(run.end.exitStatus, 1);
    EXPECT_EQ(run.err, data +
                           ": no schedule for the fewest types: Fewest types within 1.0 %: 11, "
                           "more than 9\n");
    EXPECT_NE(run.out.find("\n  Fewest types within 1.0 %: 11, more than 9\n"), std::string::npos);
    run = batch({"--method", "spread", "--tolerance", "1", "--format", "json", data}, folder);
    EXPECT_EQ(run.end.exitStatus, 0) << run.err;
    EXPECT_NE(run.out.find(R"("tolerance_percent":1.0,"fewest_types_within_tolerance":11})"),
              std::string::npos)
        << run.out;

    // A load of zero: refused, its line named; Optimal groups it.
    write_file(data, "900\n1000\n0\n1100\n1200\n1300\n1400\n1500\n1600\n1700\n1800\n");
    run = batch({"--method", "spread", "--tolerance", "10", data}, folder);
    EXPECT_EQ(run.end.exitStatus, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, data +
                           ":3: the load 0 is zero or less; Least spread takes positive loads "
                           "only, since a type's spread is a share of its design load\n");
    run = batch({"--method", "optimal", "--tolerance", "10", data}, folder);
    EXPECT_EQ(run.end.exitStatus, 0) << run.err;
    EXPECT_NE(run.out.find("Fewest types within 10.0 %: not defined for loads of zero or less"),
              std::string::npos)
        << run.out;
}

}  // namespace
