// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/free_form_reader.h"

#include <gtest/gtest.h>

#include "scratch_folder.h"

namespace {

using tamsor::FreeFormReader;
using tamsor::ReadError;
using tamsor::testing::ScratchFolder;
using tamsor::testing::write_file;

class FreeFormReaderTest : public ::testing::Test {
  protected:
    FreeFormReader reader_for(const std::string& text) {
        write_file(folder_.file("numbers"), text);
        return FreeFormReader(folder_.file("numbers").string());
    }
    ReadError::Kind error_reading(const std::string& text, int numbers_before = 0) {
        auto reader = reader_for(text);
        try {
            for (int i = 0; i < numbers_before; ++i)
                reader.readSingle();
            reader.readSingle();
        } catch (const ReadError& error) {
            return error.kind();
        }
        ADD_FAILURE() << "no error reading: " << text;
        return ReadError::Kind::kCannotOpen;
    }
    ScratchFolder folder_;
};

TEST_F(FreeFormReaderTest, ReadsAReportLineByLineAcrossLineEnds) {
    auto reader = reader_for(
        "   2      250.00      237         1         6        12\r\n"
        "                         30.00      85.00\r\n");
    EXPECT_EQ(reader.readInteger(), 2);
    EXPECT_EQ(reader.readSingle(), 250.0f);
    EXPECT_EQ(reader.readLong(), 237);
    for (const float position : {1.0f, 6.0f, 12.0f})
        EXPECT_EQ(reader.readSingle(), position);
    EXPECT_EQ(reader.readSingle(), 30.0f);
    EXPECT_FALSE(reader.atEnd());
    EXPECT_EQ(reader.readSingle(), 85.0f);
    // The line end after the last number goes with it.
    EXPECT_TRUE(reader.atEnd());
    EXPECT_THROW(reader.readSingle(), ReadError);
}

TEST_F(FreeFormReaderTest, ReadsEveryFormTheEngineWrites) {
    auto reader = reader_for(
        "          1      123.456800\r\n          2    5.000000E-01\r\n"
        "  .50 -.13  -1.234568E+07,7\n8");
    for (const float value : {1.0f, 123.4568f, 2.0f, 0.5f, 0.5f, -0.13f, -12345680.0f, 7.0f, 8.0f})
        EXPECT_EQ(reader.readSingle(), value);
    EXPECT_TRUE(reader.atEnd());
}

TEST_F(FreeFormReaderTest, RoundsIntegersHalfToEvenAndChecksTheirRange) {
    auto reader = reader_for("2.5 3.5 -2.5 32767 -32768 2147483647 1e-60\n");
    EXPECT_EQ(reader.readInteger(), 2);
    EXPECT_EQ(reader.readInteger(), 4);
    EXPECT_EQ(reader.readInteger(), -2);
    EXPECT_EQ(reader.readInteger(), 32767);
    EXPECT_EQ(reader.readInteger(), -32768);
    EXPECT_EQ(reader.readLong(), 2147483647);
    EXPECT_EQ(reader.readInteger(), 0);

    auto too_large = reader_for("32768 2147483648 1e39 -1e400 1e-50\n");
    EXPECT_THROW(too_large.readInteger(), ReadError);
    EXPECT_THROW(too_large.readLong(), ReadError);
    EXPECT_THROW(too_large.readSingle(), ReadError);
    EXPECT_THROW(too_large.readSingle(), ReadError);
    EXPECT_EQ(too_large.readSingle(), 0.0f);  // below the smallest float: zero
}

TEST_F(FreeFormReaderTest, ReportsEachKindOfFault) {
    EXPECT_EQ(error_reading(""), ReadError::Kind::kPastEnd);
    EXPECT_EQ(error_reading("1 2\r\n\r\n", 2), ReadError::Kind::kPastEnd);
    EXPECT_EQ(error_reading("   1**********\r\n", 0), ReadError::Kind::kNotANumber);
    EXPECT_EQ(error_reading("   1 ********** 3\r\n", 1), ReadError::Kind::kNotANumber);
    EXPECT_EQ(error_reading("12abc"), ReadError::Kind::kNotANumber);
    EXPECT_EQ(error_reading("nan"), ReadError::Kind::kNotANumber);
    EXPECT_EQ(error_reading("0x1A"), ReadError::Kind::kNotANumber);
    EXPECT_EQ(error_reading("1e+"), ReadError::Kind::kNotANumber);
    EXPECT_EQ(error_reading(std::string(100, '7')), ReadError::Kind::kOverflow);
    EXPECT_EQ(error_reading(std::string(5000, '7')), ReadError::Kind::kNotANumber);
    try {
        FreeFormReader missing(folder_.file("missing.out").string());
        ADD_FAILURE() << "a missing file was opened";
    } catch (const ReadError& error) {
        EXPECT_EQ(error.kind(), ReadError::Kind::kCannotOpen);
    }
}

}  // namespace
