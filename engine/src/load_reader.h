// Reading the sustained loads from an input data file: the first number of
// each non-blank line, whatever follows it on the line ignored.
#ifndef VORBECK1_LOAD_READER_H
#define VORBECK1_LOAD_READER_H

#include <array>
#include <cstddef>
#include <cstdio>
#include <string_view>

#include "engine_state.h"

namespace engine {

enum class ReadOutcome {
    kOk,            // end of file reached; loads(1..N) and N stored
    kNotANumber,    // text that is not a number where a number is expected
    kTooManyLoads,  // more than the table's 100 loads
    kInputError,    // the file could not be read
};

// A number is an optionally signed decimal integer or fraction with an
// optional exponent ("250", "-.5", "1.5E+3"), converted from its text to the
// nearest single-precision value. Anything else (nan, inf, hexadecimal, "1e+",
// digits glued to text) and values beyond the range of a float are rejected.
bool parse_load(std::string_view text, Real& value);

// Incremental reader, fed the file in chunks of any size so that a file of
// any length is read with a fixed buffer.
class LoadTextReader {
  public:
    explicit LoadTextReader(EngineState& state);
    // Returns false once the text is known to be unreadable.
    bool feed(const char* data, std::size_t size);
    // Ends the text (a last line without a line end included).
    ReadOutcome finish();

  private:
    enum class Mode { kFileStart, kSeekingNumber, kInNumber, kRestOfLine, kFailed };
    bool take(char c);
    bool end_number();

    EngineState& state_;
    Mode mode_ = Mode::kFileStart;
    int byte_order_mark_matched_ = 0;
    ReadOutcome failure_ = ReadOutcome::kOk;
    // A longer token than any sensible number is refused rather than truncated.
    static constexpr std::size_t kMaxNumberLength = 128;
    std::array<char, kMaxNumberLength> number_{};
    std::size_t number_length_ = 0;
};

// Reads the whole file into state.loads / state.load_count.
ReadOutcome read_loads(std::FILE* file, EngineState& state);

}  // namespace engine

#endif
