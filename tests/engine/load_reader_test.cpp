#include "load_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using engine::LoadTextReader;
using engine::ReadOutcome;

TEST(ParseLoad, AcceptsSignedDecimalsWithOptionalExponent) {
    struct Case {
        const char* text;
        float value;
    };
    const Case cases[] = {
        {"250", 250.0f},
        {"250.5", 250.5f},
        {"-12", -12.0f},
        {"+12", 12.0f},
        {".5", 0.5f},
        {"-.5", -0.5f},
        {"5.", 5.0f},
        {"1.5E+3", 1500.0f},
        {"1.5e3", 1500.0f},
        {"2E-1", 0.2f},
        {"0007", 7.0f},
        {"0.1", 0.1f},
        {"3.4028234e38", 3.4028234e38f},
        {"-0", -0.0f},
        // Nearest float to the text, not via double: 16777217 lies halfway.
        {"16777217", 16777216.0f},
        {"16777219", 16777220.0f},
    };
    for (const auto& c : cases) {
        float value = -999;
        EXPECT_TRUE(engine::parse_load(c.text, value)) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
}

TEST(ParseLoad, RejectsEverythingElse) {
    for (const char* text :
         {"",      "+",   "-",   ".",     "-.",     "e5",        "1e",   "1e+",   "1E-",
          "250kN", "kN",  "nan", "NaN",   "inf",    "-infinity", "0x10", "1.2.3", "1,5",
          "1d3",   "--1", "+-1", "1e5.5", "3.5e38", "-3.5e38",   "1e-50"}) {
        float value = 42;
        EXPECT_FALSE(engine::parse_load(text, value)) << text;
        EXPECT_EQ(value, 42.0f) << text;
    }
}

struct ReadResult {
    ReadOutcome outcome;
    std::vector<float> loads;
};

// Feeds the text in pieces of `piece` bytes, as the file reader does in chunks.
ReadResult read_text(const std::string& text, std::size_t piece = 4096) {
    engine::EngineState state;
    LoadTextReader reader(state);
    for (std::size_t start = 0; start < text.size(); start += piece) {
        if (!reader.feed(text.data() + start, std::min(piece, text.size() - start))) break;
    }
    ReadResult result{reader.finish(), {}};
    for (int i = 1; i <= state.load_count; ++i)
        result.loads.push_back(state.loads[i]);
    return result;
}

TEST(LoadTextReader, TakesTheFirstNumberOfEveryNonBlankLine) {
    const std::string text =
        "\xEF\xBB\xBF"  // byte order mark of an editor's UTF-8
        "1250.5   kN  axis B/4\r\n"
        "\r\n"
        "   \t  \r\n"
        "\t-3,4,5\r\n"
        "7e1 8e1\n"
        "  .5";  // last line without a line end
    for (const std::size_t piece : {std::size_t{1}, std::size_t{2}, std::size_t{4096}}) {
        const auto result = read_text(text, piece);
        EXPECT_EQ(result.outcome, ReadOutcome::kOk) << piece;
        EXPECT_EQ(result.loads, (std::vector<float>{1250.5f, -3.0f, 70.0f, 0.5f})) << piece;
    }
}

TEST(LoadTextReader, EndsCleanlyOnEmptyOrBlankText) {
    EXPECT_EQ(read_text("").outcome, ReadOutcome::kOk);
    EXPECT_TRUE(read_text("").loads.empty());
    EXPECT_TRUE(read_text("\n\n  \r\n\t").loads.empty());
    EXPECT_EQ(read_text("5\n").loads, std::vector<float>{5.0f});
}

TEST(LoadTextReader, StopsAtTheFirstLineThatDoesNotStartWithANumber) {
    for (const char* text : {"10\n20\nwall\n30\n", "10\n# comment\n", "10\n,20\n", "10\n250kN\n",
                             "10\n1e+\n", "10\nnan\n",
                             "\xEF\xBB"
                             "5\n",
                             "10\n\x01\n"}) {
        const auto result = read_text(text, 1);
        EXPECT_EQ(result.outcome, ReadOutcome::kNotANumber) << text;
    }
    // A number longer than any sensible load is refused, not cut.
    EXPECT_EQ(read_text("1." + std::string(200, '0') + "\n").outcome, ReadOutcome::kNotANumber);
}

TEST(LoadTextReader, HoldsAtMostOneHundredLoads) {
    std::string hundred;
    for (int i = 0; i < 100; ++i)
        hundred += "250\n";
    EXPECT_EQ(read_text(hundred).outcome, ReadOutcome::kOk);
    EXPECT_EQ(read_text(hundred).loads.size(), 100u);
    EXPECT_EQ(read_text(hundred + "\n  \n").outcome, ReadOutcome::kOk);
    EXPECT_EQ(read_text(hundred + "250").outcome, ReadOutcome::kTooManyLoads);
}

}  // namespace
