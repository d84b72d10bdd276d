#include "load_reader.h"

#include <charconv>
#include <system_error>

#include "tamsor/decimal_syntax.h"

namespace engine {
namespace {

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}
bool ends_number(char c) {
    return is_blank(c) || c == ',' || c == '\n';
}

// Editors on the engineer's desk may save with a UTF-8 byte order mark.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

bool parse_load(std::string_view text, Real& value) {
    if (!tamsor::is_decimal_number(text)) return false;

    // from_chars takes a leading minus but no plus; it rounds to nearest and
    // ignores the locale, which the desktop program may have changed.
    const std::size_t start = text[0] == '+' ? 1 : 0;
    Real parsed = 0;
    const auto [end, error] =
        std::from_chars(text.data() + start, text.data() + text.size(), parsed);
    if (error != std::errc{} || end != text.data() + text.size()) return false;
    value = parsed;
    return true;
}

LoadTextReader::LoadTextReader(EngineState& state) : state_(state) {
    state_.load_count = 0;
}

bool LoadTextReader::end_number() {
    Real value = 0;
    if (!parse_load({number_.data(), number_length_}, value)) {
        failure_ = ReadOutcome::kNotANumber;
        return false;
    }
    if (state_.load_count == kMaxLoads) {
        failure_ = ReadOutcome::kTooManyLoads;
        return false;
    }
    state_.loads[++state_.load_count] = value;
    number_length_ = 0;
    return true;
}

bool LoadTextReader::take(char c) {
    switch (mode_) {
        case Mode::kFileStart:
            if (c == kByteOrderMark[byte_order_mark_matched_]) {
                if (++byte_order_mark_matched_ == static_cast<int>(kByteOrderMark.size()))
                    mode_ = Mode::kSeekingNumber;
                return true;
            }
            if (byte_order_mark_matched_ > 0) {
                failure_ = ReadOutcome::kNotANumber;
                return false;
            }
            mode_ = Mode::kSeekingNumber;
            return take(c);
        case Mode::kSeekingNumber:
            if (is_blank(c) || c == '\n') return true;
            mode_ = Mode::kInNumber;
            return take(c);
        case Mode::kInNumber:
            if (ends_number(c)) {
                if (!end_number()) return false;
                mode_ = c == '\n' ? Mode::kSeekingNumber : Mode::kRestOfLine;
                return true;
            }
            if (number_length_ == kMaxNumberLength) {
                failure_ = ReadOutcome::kNotANumber;
                return false;
            }
            number_[number_length_++] = c;
            return true;
        case Mode::kRestOfLine:
            if (c == '\n') mode_ = Mode::kSeekingNumber;
            return true;
        case Mode::kFailed:
            return false;
    }
    return false;
}

bool LoadTextReader::feed(const char* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        if (!take(data[i])) {
            mode_ = Mode::kFailed;
            return false;
        }
    }
    return true;
}

ReadOutcome LoadTextReader::finish() {
    if (mode_ == Mode::kFailed) return failure_;
    if (mode_ == Mode::kFileStart && byte_order_mark_matched_ > 0) return ReadOutcome::kNotANumber;
    if (mode_ == Mode::kInNumber && !end_number()) return failure_;
    return ReadOutcome::kOk;
}

ReadOutcome read_loads(std::FILE* file, EngineState& state) {
    // Read straight into the chunk below, not through a second stdio buffer.
    std::setvbuf(file, nullptr, _IONBF, 0);
    LoadTextReader reader(state);
    std::array<char, 4096> chunk;
    for (;;) {
        const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), file);
        if (got > 0 && !reader.feed(chunk.data(), got)) return reader.finish();
        if (got < chunk.size()) break;
    }
    if (std::ferror(file)) return ReadOutcome::kInputError;
    return reader.finish();
}

}  // namespace engine
