// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the sustained loads of an input data file: the first number of each
// non-blank line; the rest of the line is the engineer's note on that isolator
// (`1250.5   kN  axis B/4`) and takes no part in the load.
//
// The reader owns no memory beyond its fixed buffers, so the engine can read
// straight into its load table without any heap allocation: each load goes to
// a sink as soon as its line is complete, with views into the reader's
// buffers that stay valid for that one call.
#ifndef TAMSOR_LOAD_FILE_READER_H
#define TAMSOR_LOAD_FILE_READER_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tamsor {

// A number is an optionally signed decimal integer or fraction with an
// optional exponent ("250", "-.5", "1.5E+3"), converted from its text to the
// nearest single-precision value, independent of the locale.
enum class LoadParse { kOk, kNotANumber, kOutOfRange };
LoadParse parseLoad(std::string_view text, float& value);

// One load as read, handed to the sink when its line is complete.
struct LoadLine {
    std::int64_t line = 0;  // 1-based line number in the file
    float load = 0;
    std::string_view number;  // the number as written ("150")
    // The rest of the line after the number, blanks trimmed at both ends
    // ("kN  axis B/4"); its first 256 bytes, cut at a whole UTF-8 character.
    std::string_view label;
    // "150,75" when the number is directly followed by a comma and a digit:
    // the load is read as 150, as the rules say, but a decimal comma was
    // probably meant. Empty otherwise.
    std::string_view decimalComma;
};

class LoadSink {
  public:
    virtual void onLoad(const LoadLine& load) = 0;

  protected:
    ~LoadSink() = default;
};

enum class LoadFaultKind {
    kNone,
    kCannotOpen,       // the data file does not exist or cannot be opened
    kNotARegularFile,  // a folder, FIFO, device or socket
    kReadError,        // the system failed to read the file
    kNotANumber,       // text that is not a number where a load is expected
    kOutOfRange,       // a number beyond the range of a single-precision load
    kTooManyLoads,     // more loads than the maximum given to the reader
};

// Why a data file was refused and where.
struct LoadFault {
    static constexpr std::size_t kTextCapacity = 128;

    LoadFaultKind kind = LoadFaultKind::kNone;
    std::int64_t line = 0;  // line of the offending text or load; 0 for the whole file
    int systemError = 0;    // errno for kCannotOpen and kReadError
    bool textCut = false;   // the offending text was longer than kTextCapacity
    std::array<char, kTextCapacity> textBuffer{};
    std::size_t textLength = 0;

    std::string_view text() const { return {textBuffer.data(), textLength}; }
    void setText(std::string_view text);
};

// Reads the text of a data file fed in chunks of any size, so that a file of
// any length is read with fixed buffers. Reading rules: an optional UTF-8 byte
// order mark; lines end at LF (a CR before it is a blank); blank lines are
// passed over; each other line must start, after blanks, with a number, which
// ends at a blank, a comma or the line end.
class LoadFileReader {
  public:
    // At most `maxLoads` loads are accepted; one more is a kTooManyLoads fault.
    LoadFileReader(LoadSink& sink, std::size_t maxLoads);

    // Returns false once the text is refused.
    bool feed(const char* data, std::size_t size);
    // Ends the text (a last line without a line end included); returns false
    // when the text is refused.
    bool finish();
    // Feeds everything that can be read from `descriptor` and finishes.
    bool readFrom(int descriptor);

    std::size_t loadCount() const { return loadCount_; }
    const LoadFault& fault() const { return fault_; }

  private:
    enum class Mode { kFileStart, kSeekingNumber, kInNumber, kRestOfLine, kFailed };
    static constexpr std::size_t kMaxNumberLength = 128;
    static constexpr std::size_t kLabelCapacity = 256;

    std::size_t takeWholeLine(const char* data, std::size_t size);
    bool parseRepeated(const char* data, std::size_t length, std::size_t size, float& value);
    bool takeInNumber(char c);
    bool endNumber();
    void deliver(std::string_view number, std::string_view rest, bool restCut);
    void deliverHeld();
    bool fail(LoadFaultKind kind, std::string_view text);

    LoadSink& sink_;
    std::size_t maxLoads_;
    std::size_t loadCount_ = 0;
    std::int64_t line_ = 1;
    Mode mode_ = Mode::kFileStart;
    std::size_t byteOrderMarkMatched_ = 0;
    LoadFault fault_;

    // The number, then the rest of its line, as they stand in the file.
    std::array<char, kMaxNumberLength + kLabelCapacity> text_{};
    std::size_t numberLength_ = 0;
    std::size_t restLength_ = 0;
    bool restCut_ = false;
    float pendingLoad_ = 0;
    std::int64_t pendingLine_ = 0;

    // The loads of numbers read lately, by their text of at most 8 bytes: buildings
    // repeat their loads (typical bays, standard columns), and a number read before is
    // not converted again.
    struct RecentLoad {
        std::uint64_t text = 0;
        std::size_t length = 0;  // 0: none yet
        float load = 0;
    };
    std::array<RecentLoad, 64> recentLoads_{};
};

}  // namespace tamsor

#endif
