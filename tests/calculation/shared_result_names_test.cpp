// SPDX-License-Identifier: GPL-3.0-or-later
// Two data files whose results share their names, tower.DAT and an edited
// copy tower.txt in one folder, calculated over and over at the same moment
// from two threads: every outcome is its own file's, never the other's.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "calculation_support.h"
#include "scratch_folder.h"
#include "tamsor/calculation.h"

namespace tamsor {
namespace {

using testing::requestFor;
using testing::ScratchFolder;
using testing::write_file;

bool sameSets(const std::vector<ReportSet>& a, const std::vector<ReportSet>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].partitionCount != b[i].partitionCount ||
            a[i].pooledVariance != b[i].pooledVariance ||
            a[i].operationCount != b[i].operationCount ||
            a[i].firstPositions != b[i].firstPositions || a[i].means != b[i].means)
            return false;
    }
    return true;
}

// What one side expects of every one of its rounds, and what it found.
struct Side {
    CalculationRequest request;
    TechniqueRun expected;
    std::atomic<int> wrong{0};
    std::string firstWrong;

    void run(int rounds) {
        for (int round = 0; round < rounds; ++round) {
            const CalculationOutcome outcome = calculate(request);
            const bool own = outcome.ok() && outcome.runs.size() == 1 &&
                             sameSets(outcome.runs[0].sets, expected.sets) &&
                             outcome.runs[0].plot == expected.plot;
            if (own) continue;
            if (wrong++ == 0)
                firstWrong = outcome.ok() ? "another file's results"
                                          : describeCalculationFailure(*outcome.failure);
        }
    }
};

// Three clusters of six isolators, which every technique groups into all
// nine sets; the copy has 918 for 912 on line 15. Both files' result sets
// hold 18 isolators, so their number alone cannot tell them apart.
std::string towerLoads(const char* line15) {
    return std::string("500\n100\n906\n502\n101\n909\n504\n102\n903\n506\n103\n900\n508\n104\n") +
           line15 + "\n510\n105\n915\n";
}

TEST(SharedResultNames, TwoFilesCalculatedAtTheSameMomentEachGetTheirOwnResults) {
    const ScratchFolder folder(testing::memoryFolderParent());
    write_file(folder.file("tower.DAT"), towerLoads("912"));
    write_file(folder.file("tower.txt"), towerLoads("918"));

    // The classic engine keeps its state for the process, so it runs on one
    // side only; the exact technique runs on the other.
    Side tower;
    tower.request = requestFor(folder.file("tower.DAT").string(), {TechniqueId::kMethod2});
    Side copy;
    copy.request = requestFor(folder.file("tower.txt").string(), {TechniqueId::kOptimal});
    for (Side* side : {&tower, &copy}) {
        const CalculationOutcome alone = calculate(side->request);
        ASSERT_TRUE(alone.ok());
        side->expected = alone.runs.at(0);
    }
    ASSERT_TRUE(tower.expected.complete && copy.expected.complete);
    ASSERT_FALSE(sameSets(tower.expected.sets, copy.expected.sets));

    // Runs under the sanitizers take many times as long; finding races is the
    // optimised build's part.
#ifdef __SANITIZE_ADDRESS__
    constexpr int kRounds = 200;
#else
    constexpr int kRounds = 1000;
#endif
    std::thread other([&] { copy.run(kRounds); });
    tower.run(kRounds);
    other.join();
    EXPECT_EQ(tower.wrong, 0) << tower.firstWrong;
    EXPECT_EQ(copy.wrong, 0) << copy.firstWrong;
}

}  // namespace
}  // namespace tamsor
