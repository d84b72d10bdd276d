// SPDX-License-Identifier: GPL-3.0-or-later
// Inputs that the input fuzzer found worth keeping, each run through the
// engine entry with both techniques: a defined status and result files that
// fit it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "engine_test_support.h"

namespace {

namespace fs = std::filesystem;
using tamsor::testing::call_engine;
using tamsor::testing::read_file;
using tamsor::testing::ScratchFolder;

std::vector<fs::path> kept_inputs() {
    const fs::path folder = fs::path(TAMSOR_SOURCE_DIR) / "tests/engine/fuzz_regressions";
    std::vector<fs::path> inputs;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file() && entry.path().filename() != "README.md")
            inputs.push_back(entry.path());
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

std::size_t crlf_line_count(const std::string& text) {
    std::size_t count = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos;
         at = text.find("\r\n", at + 2))
        ++count;
    return count;
}

TEST(FuzzRegressions, EveryKeptInputEndsWithADefinedStatus) {
    const auto inputs = kept_inputs();
    ASSERT_FALSE(inputs.empty());
    for (const fs::path& input : inputs) {
        for (const std::int32_t method_flag : {0, 1}) {
            SCOPED_TRACE(input.filename().string() + ", method flag " +
                         std::to_string(method_flag));
            // A private copy: the result files are written beside the input.
            ScratchFolder folder;
            fs::copy_file(input, folder.file("LOADS.DAT"));
            const std::int32_t status = call_engine(folder.file("LOADS.DAT").string(), method_flag);
            ASSERT_TRUE(status == 0 || status == 1 || status == 2) << "status " << status;
            if (status == 1) {
                EXPECT_FALSE(fs::exists(folder.file("LOADS.out")));
                EXPECT_FALSE(fs::exists(folder.file("LOADS.plt")));
            }
            if (status == 0) {
                const std::string report = read_file(folder.file("LOADS.out"));
                EXPECT_EQ(crlf_line_count(report), 18u);
                EXPECT_TRUE(report.ends_with("\r\n"));
            }
        }
    }
}

}  // namespace
