// SPDX-License-Identifier: GPL-3.0-or-later
// Whether a report belongs to a data file's loads, judged by what it holds.
#include "tamsor/report_agreement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "tamsor/number_fields.h"

namespace tamsor {
namespace {

// The mean that a report line holds for `value`: its F10.2 text read back as
// the report reader reads it, or nothing for asterisks.
std::optional<float> asReported(float value) {
    FieldLine line;
    line.fixed2(10, value);
    const std::string text(line.text());
    if (text.find('*') != std::string::npos) return std::nullopt;
    return std::stof(text);
}

TEST(ReportAgreement, JudgesByWhatTheReportHolds) {
    // Sorted: two light columns, three heavy ones in newtons, a type of 10^7
    // and more whose mean the report writes as asterisks.
    const std::vector<float> loads = {1500000.5f, 1530000.0f,  2400000.0f,
                                      2440000.0f, 11950000.0f, 12090000.0f};
    const std::vector<std::int32_t> bounds = {1, 3, 5, 7};
    std::vector<std::optional<float>> means = {asReported(1515000.25f), asReported(2420000.0f),
                                               asReported(12020000.0f)};
    ASSERT_FALSE(means[2].has_value());
    EXPECT_EQ(resultSetDisagreement(loads, bounds, means), std::nullopt);

    // A load changed by 1 kN after the calculation shows in its type's mean,
    // not in one of asterisks.
    std::vector<float> changed = loads;
    changed[3] += 1000;
    EXPECT_EQ(resultSetDisagreement(changed, bounds, means), "type 2 has another mean");
    changed = loads;
    changed[5] += 1000;
    EXPECT_EQ(resultSetDisagreement(changed, bounds, means), std::nullopt);

    // A load more or less, or boundaries that are no positions of these loads.
    changed.push_back(13000000.0f);
    EXPECT_EQ(resultSetDisagreement(changed, bounds, means),
              "the report groups 6 loads, the data file holds 7");
    EXPECT_EQ(resultSetDisagreement(loads, std::vector<std::int32_t>{1, 5, 3, 7}, means),
              "the boundaries of the types are not positions of these loads");
    EXPECT_EQ(resultSetDisagreement(loads, std::vector<std::int32_t>{2, 3, 5, 7}, means),
              "the boundaries of the types are not positions of these loads");
}

TEST(ReportAgreement, AcceptsTheClassicEnginesSinglePrecisionSums) {
    // A hundred loads near 10^6, summed in single precision as the classic
    // engine sums them: its mean lies further from the exact one than the
    // report's rounding to 2 decimals explains.
    std::vector<float> loads;
    double exact = 0;
    float engineSum = 0;
    for (int i = 0; i < 100; ++i) {
        loads.push_back(1000000.0f + static_cast<float>(i) * 37.3f);
        exact += loads.back();
        engineSum += loads.back();
    }
    exact /= 100;
    const float engineMean = engineSum / 100;
    ASSERT_GT(std::fabs(engineMean - exact), 0.01);
    const std::vector<std::optional<float>> means = {asReported(engineMean)};
    EXPECT_EQ(resultSetDisagreement(loads, std::vector<std::int32_t>{1, 101}, means), std::nullopt);
    // A tenth of the data file's largest load more is no rounding.
    loads.back() += 100000.0f;
    EXPECT_EQ(resultSetDisagreement(loads, std::vector<std::int32_t>{1, 101}, means),
              "type 1 has another mean");
}

}  // namespace
}  // namespace tamsor
