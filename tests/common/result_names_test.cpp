// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/result_names.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ResultNames, ReplaceTheExtensionOfTheFileNameOnly) {
    struct Case {
        std::string path, report, plot;
    };
    const Case cases[] = {
        {R"(C:\LOADS\BLDG1.DAT)", R"(C:\LOADS\BLDG1.out)", R"(C:\LOADS\BLDG1.plt)"},
        // A blank or a "." in a folder name no longer cuts the path short.
        {"/home/ann/My Data/b.DAT", "/home/ann/My Data/b.out", "/home/ann/My Data/b.plt"},
        {R"(C:\V1.2\B.DAT)", R"(C:\V1.2\B.out)", R"(C:\V1.2\B.plt)"},
        {"/data/v1.2/bldg", "/data/v1.2/bldg.out", "/data/v1.2/bldg.plt"},
        {"/data/bldg.v2.DAT", "/data/bldg.v2.out", "/data/bldg.v2.plt"},
        {"bldg", "bldg.out", "bldg.plt"},
        {".DAT", ".out", ".plt"},
        {"/data/.hidden", "/data/.out", "/data/.plt"},
        {"/data/bldg.", "/data/bldg.out", "/data/bldg.plt"},
        {"", ".out", ".plt"},
    };
    for (const auto& c : cases) {
        const auto names = tamsor::resultNamesFor(c.path);
        EXPECT_EQ(names.report, c.report) << c.path;
        EXPECT_EQ(names.plot, c.plot) << c.path;
    }
}

TEST(ResultNames, IgnoreTheBlankPaddingOfTheFixedLengthPath) {
    std::string padded = "/data/bldg.DAT";
    padded.resize(120, ' ');
    EXPECT_EQ(tamsor::resultNamesFor(padded).report, "/data/bldg.out");
    EXPECT_EQ(tamsor::resultNamesFor(std::string(120, ' ')).plot, ".plt");
    // Blanks inside the file name stay part of it.
    EXPECT_EQ(tamsor::resultNamesFor("/data/my bldg.DAT   ").report, "/data/my bldg.out");
}

}  // namespace
