// SPDX-License-Identifier: GPL-3.0-or-later
// The reading rules of the input data file, and what the reader tells about
// each load and each refusal.
#include "tamsor/load_file_reader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "child_process.h"
#include "scratch_folder.h"
#include "tamsor/data_file.h"
#include "tamsor/load_file.h"

namespace {

using tamsor::LoadFaultKind;
using tamsor::LoadParse;
using tamsor::testing::ScratchFolder;
using tamsor::testing::write_file;

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
        EXPECT_EQ(tamsor::parseLoad(c.text, value), LoadParse::kOk) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
}

// Plain decimals, read without the general conversion, give the float nearest the
// decimal exactly as it does: at halfway points (ties to the even float), at 15 digits
// and 8 decimals, past them, and for decimals of floats across their whole range.
TEST(ParseLoad, ReadsPlainDecimalsAsTheGeneralConversionDoes) {
    std::vector<std::string> texts = {
        "-0",          "0.1",        "8388608.5",        "8388609.5",        "33554434",
        "33554433",    "0.00000001", "9999999.99999999", "123456789012345",  "1234567890123456",
        "0.000000015", "4194304.25", "-16777217.000000", "999999999999999.9"};
    std::mt19937 random(20);
    for (int i = 0; i < 20000; ++i) {
        const float load = std::ldexp(static_cast<float>(random() % (1 << 24)),
                                      static_cast<int>(random() % 60) - 40);
        char text[64];
        const auto end = std::to_chars(text, text + sizeof text, static_cast<double>(load),
                                       std::chars_format::fixed, static_cast<int>(random() % 10));
        texts.emplace_back(text, end.ptr);
    }
    for (const std::string& text : texts) {
        float expected = 0;
        std::from_chars(text.data(), text.data() + text.size(), expected);
        float value = 42;
        ASSERT_EQ(tamsor::parseLoad(text, value), LoadParse::kOk) << text;
        EXPECT_EQ(std::bit_cast<std::uint32_t>(value), std::bit_cast<std::uint32_t>(expected))
            << text;
    }
}

TEST(ParseLoad, RejectsEverythingElse) {
    for (const char* text :
         {"",      "+",   "-",   ".",     "-.",     "e5",        "1e",   "1e+",   "1E-",
          "250kN", "kN",  "nan", "NaN",   "inf",    "-infinity", "0x10", "1.2.3", "1,5",
          "1d3",   "--1", "+-1", "1e5.5", "3.5e38", "-3.5e38",   "1e-50"}) {
        float value = 42;
        EXPECT_NE(tamsor::parseLoad(text, value), LoadParse::kOk) << text;
        EXPECT_EQ(value, 42.0f) << text;
    }
    // Numbers beyond single precision are told apart from text.
    float value = 0;
    EXPECT_EQ(tamsor::parseLoad("3.5e38", value), LoadParse::kOutOfRange);
    EXPECT_EQ(tamsor::parseLoad("1e-50", value), LoadParse::kOutOfRange);
    EXPECT_EQ(tamsor::parseLoad("250kN", value), LoadParse::kNotANumber);
}

struct Read {
    bool ok = false;
    tamsor::LoadFault fault;
    std::vector<float> loads;
    std::vector<std::int64_t> lines;
    std::vector<std::string> labels;
    std::vector<std::string> decimalCommas;
};

class Collect final : public tamsor::LoadSink {
  public:
    explicit Collect(Read& read) : read_(read) {}
    void onLoad(const tamsor::LoadLine& load) override {
        read_.loads.push_back(load.load);
        read_.lines.push_back(load.line);
        read_.labels.emplace_back(load.label);
        read_.decimalCommas.emplace_back(load.decimalComma);
    }

  private:
    Read& read_;
};

// Feeds the text in pieces of `piece` bytes, as a file is read in chunks.
Read readText(const std::string& text, std::size_t piece = 4096, std::size_t maxLoads = 100) {
    Read read;
    Collect sink(read);
    tamsor::LoadFileReader reader(sink, maxLoads);
    bool fed = true;
    for (std::size_t start = 0; fed && start < text.size(); start += piece)
        fed = reader.feed(text.data() + start, std::min(piece, text.size() - start));
    read.ok = fed && reader.finish();
    read.fault = reader.fault();
    return read;
}

TEST(LoadFileReader, TakesTheFirstNumberOfEveryNonBlankLineWithItsLineAndLabel) {
    const std::string text =
        "\xEF\xBB\xBF"  // byte order mark of an editor's UTF-8
        "1250.5   kN  axis B/4\r\n"
        "\r\n"
        "   \t  \r\n"
        "\t-3,4,5\r\n"
        "7e1 8e1\n"
        "  .5";  // last line without a line end
    for (const std::size_t piece : {std::size_t{1}, std::size_t{2}, std::size_t{4096}}) {
        const auto read = readText(text, piece);
        EXPECT_TRUE(read.ok) << piece;
        EXPECT_EQ(read.loads, (std::vector<float>{1250.5f, -3.0f, 70.0f, 0.5f})) << piece;
        EXPECT_EQ(read.lines, (std::vector<std::int64_t>{1, 4, 5, 6})) << piece;
        EXPECT_EQ(read.labels, (std::vector<std::string>{"kN  axis B/4", ",4,5", "8e1", ""}))
            << piece;
        // "-3,4" reads as -3 but was probably meant as -3.4.
        EXPECT_EQ(read.decimalCommas, (std::vector<std::string>{"", "-3,4,5", "", ""})) << piece;
    }
}

// A number read again gives its load again; numbers alike in their first bytes, in all
// but their sign or their last byte, or longer than any kept, each give their own.
TEST(LoadFileReader, TellsRepeatedNumbersApart) {
    const std::string text =
        "12\n13\n12\n1\n12.\n-0\n0\n-0\n12345678\n12345679\n100000000\n100000008\n"
        "12345678\n12\n1\n";
    const Read read = readText(text);
    ASSERT_TRUE(read.ok);
    const std::vector<float> expected = {12,       13,    12,       1,        12,   -0.0f,
                                         0,        -0.0f, 12345678, 12345679, 1e8f, 100000008.0f,
                                         12345678, 12,    1};
    ASSERT_EQ(read.loads.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(std::bit_cast<std::uint32_t>(read.loads[i]),
                  std::bit_cast<std::uint32_t>(expected[i]))
            << i;
}

TEST(LoadFileReader, WarnsOnlyWhereADigitFollowsTheComma) {
    const auto read = readText("150,75 kN\n150, 75\n150,\n1,250.5 t\n150 ,75\n");
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.loads, (std::vector<float>{150, 150, 150, 1, 150}));
    EXPECT_EQ(read.decimalCommas, (std::vector<std::string>{"150,75", "", "", "1,250.5", ""}));
    EXPECT_EQ(read.labels[0], ",75 kN");
}

TEST(LoadFileReader, CutsALongLabelAtAWholeCharacter) {
    // 255 bytes of "x", then a two-byte character across the 256-byte limit.
    const std::string label = std::string(254, 'x') + "\xC3\xA9" + "tail";
    const auto read = readText("100 " + label + "\n");
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.labels[0], std::string(254, 'x'));
    EXPECT_EQ(readText("100 " + std::string(253, 'x') + "\xC3\xA9" + "tail\n").labels[0],
              std::string(253, 'x') + "\xC3\xA9");
}

TEST(LoadFileReader, EndsCleanlyOnEmptyOrBlankText) {
    EXPECT_TRUE(readText("").ok);
    EXPECT_TRUE(readText("").loads.empty());
    EXPECT_TRUE(readText("\n\n  \r\n\t").loads.empty());
    EXPECT_EQ(readText("5\n").loads, std::vector<float>{5.0f});
}

TEST(LoadFileReader, RefusesTheFirstLineThatDoesNotStartWithANumberAndSaysWhere) {
    struct Case {
        std::string text;
        LoadFaultKind kind;
        std::int64_t line;
        std::string shown;
    };
    const Case cases[] = {
        {"10\n20\nwall B/4\n30\n", LoadFaultKind::kNotANumber, 3, "wall"},
        {"10\n\n# comment\n", LoadFaultKind::kNotANumber, 3, "#"},
        {"10\n,20\n", LoadFaultKind::kNotANumber, 2, ","},
        {"10\r\n250kN\r\n", LoadFaultKind::kNotANumber, 2, "250kN"},
        {"10\n1e+\n", LoadFaultKind::kNotANumber, 2, "1e+"},
        {"10\nnan\n", LoadFaultKind::kNotANumber, 2, "nan"},
        {"\xEF\xBB"
         "5\n",
         LoadFaultKind::kNotANumber, 1,
         "\xEF\xBB"
         "5"},
        {"\xEF\xBB", LoadFaultKind::kNotANumber, 1, "\xEF\xBB"},
        {"10\n\x01\n", LoadFaultKind::kNotANumber, 2, "\x01"},
        {"10\n20\n1e39 kN\n", LoadFaultKind::kOutOfRange, 3, "1e39"},
    };
    for (const auto& c : cases) {
        const auto read = readText(c.text, 1);
        EXPECT_FALSE(read.ok) << c.text;
        EXPECT_EQ(read.fault.kind, c.kind) << c.text;
        EXPECT_EQ(read.fault.line, c.line) << c.text;
        EXPECT_EQ(read.fault.text(), c.shown) << c.text;
    }
    // A number longer than any sensible load is refused, not cut; its text is.
    const auto long_number = readText("1." + std::string(200, '0') + "\n");
    EXPECT_EQ(long_number.fault.kind, LoadFaultKind::kNotANumber);
    EXPECT_EQ(long_number.fault.text().size(), tamsor::LoadFault::kTextCapacity);
    EXPECT_TRUE(long_number.fault.textCut);
    EXPECT_EQ(tamsor::describeLoadFault(readText("10\n\"a\tb\"\n").fault),
              "\"\\x22a\" is not a number");
}

TEST(LoadFileReader, HoldsAtMostTheLoadsItIsGiven) {
    std::string hundred;
    for (int i = 0; i < 100; ++i)
        hundred += "250\n";
    EXPECT_TRUE(readText(hundred).ok);
    EXPECT_EQ(readText(hundred).loads.size(), 100u);
    EXPECT_TRUE(readText(hundred + "\n  \n").ok);
    const auto one_more = readText(hundred + "\n260");
    EXPECT_EQ(one_more.fault.kind, LoadFaultKind::kTooManyLoads);
    EXPECT_EQ(one_more.fault.line, 102);
    EXPECT_TRUE(readText(hundred + "260", 4096, 101).ok);
    EXPECT_EQ(readText(hundred + hundred, 4096, 1000000).loads.size(), 200u);
}

TEST(LoadFile, ReadsAWholeFileWithLabelsAndWarnings) {
    ScratchFolder folder;
    write_file(folder.file("b.DAT"), "1250.5 kN axis B/4\r\n\r\n980,5\r\n1100\r\n");
    const auto file = tamsor::readLoadFile(folder.file("b.DAT").string(), 100);
    ASSERT_TRUE(file.ok());
    ASSERT_EQ(file.loads.size(), 3u);
    EXPECT_EQ(file.loads[0].line, 1);
    EXPECT_EQ(file.loads[0].label, "kN axis B/4");
    EXPECT_EQ(file.loads[1].line, 3);
    EXPECT_EQ(file.loads[1].load, 980.0f);
    EXPECT_EQ(file.loads[2].line, 4);
    ASSERT_EQ(file.warnings.size(), 1u);
    EXPECT_EQ(file.warnings[0].line, 3);
    EXPECT_EQ(file.warnings[0].text, "980,5");
    EXPECT_EQ(file.warnings[0].readAs, "980");

    const auto missing = tamsor::readLoadFile(folder.file("none.DAT").string(), 100);
    EXPECT_EQ(missing.fault.kind, LoadFaultKind::kCannotOpen);
    EXPECT_EQ(tamsor::describeLoadFault(missing.fault),
              "cannot be opened: No such file or directory");
    EXPECT_EQ(tamsor::readLoadFile(folder.path().string(), 100).fault.kind,
              LoadFaultKind::kNotARegularFile);
}

TEST(DataFile, RefusesAFifoAtOnceInsteadOfWaitingForAWriter) {
    ScratchFolder folder;
    const auto fifo = folder.file("pipe.DAT");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    // An ordinary open would wait for ever for a writer; the child is
    // stopped after a few seconds if it does.
    const auto end = tamsor::testing::runInChild(
        [&] {
            tamsor::DataFile file;
            return !file.open(fifo.c_str()) && file.fault() == LoadFaultKind::kNotARegularFile ? 0
                                                                                               : 1;
        },
        {.fileSizeLimit = {}, .patience = std::chrono::seconds(5)});
    EXPECT_FALSE(end.timedOut);
    EXPECT_EQ(end.exitStatus, 0);
}

}  // namespace
