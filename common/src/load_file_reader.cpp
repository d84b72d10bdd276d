// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/load_file_reader.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <optional>
#include <system_error>

#include "tamsor/decimal_syntax.h"

namespace tamsor {
namespace {

// Editors on the engineer's desk may save with a UTF-8 byte order mark.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// A CR is a blank, so CR LF line ends need no case of their own.
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}
bool endsNumber(char c) {
    return isBlank(c) || c == ',' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Drops a UTF-8 sequence that the cut of a long label left incomplete.
std::string_view wholeCharacters(std::string_view text) {
    std::size_t start = text.size();
    while (start > 0 && text.size() - start < 4 &&
           (static_cast<unsigned char>(text[start - 1]) & 0xC0) == 0x80)
        --start;
    if (start == 0) return text;
    const auto lead = static_cast<unsigned char>(text[start - 1]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return text.size() - (start - 1) < length ? text.substr(0, start - 1) : text;
}

// The load of a plain decimal of at most 15 digits, 8 of them after the point ("1250.5",
// "-0.25"), computed exactly: its digits as an integer below 2^53 and 10^decimals are
// exact in double, their quotient is rounded once, and it never lies on the midpoint
// between two floats unless the decimal does, so rounding it to float gives the float
// nearest the decimal, as from_chars does. Nothing for any other text.
std::optional<float> plainDecimal(std::string_view text) {
    static constexpr std::array<double, 9> kPowersOfTen = {1e0, 1e1, 1e2, 1e3, 1e4,
                                                           1e5, 1e6, 1e7, 1e8};
    std::size_t i = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    const bool negative = i == 1 && text[0] == '-';
    std::uint64_t digits = 0;
    std::size_t count = 0;
    std::size_t decimals = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
            ++count;
            decimals += point ? 1 : 0;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (count == 0 || count > 15 || decimals >= kPowersOfTen.size()) return std::nullopt;
    const double magnitude = static_cast<double>(digits) / kPowersOfTen[decimals];
    return static_cast<float>(negative ? -magnitude : magnitude);
}

}  // namespace

void LoadFault::setText(std::string_view text) {
    textLength = std::min(text.size(), kTextCapacity);
    std::memcpy(textBuffer.data(), text.data(), textLength);
    textCut = text.size() > kTextCapacity;
}

LoadParse parseLoad(std::string_view text, float& value) {
    // The loads of most data files, without the general conversion.
    if (const std::optional<float> plain = plainDecimal(text)) {
        value = *plain;
        return LoadParse::kOk;
    }
    // from_chars reads the decimal syntax where the number starts, after its sign, with a
    // digit or a point; only there can it take all of a text that the syntax refuses
    // ("inf", "nan").
    const std::size_t signs = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    const bool digitFirst = text.size() > signs && (isDigit(text[signs]) || text[signs] == '.');
    if (!digitFirst && !isDecimalNumber(text)) return LoadParse::kNotANumber;
    // from_chars takes a leading minus but no plus; it rounds to nearest and
    // ignores the locale, which the desktop program may have changed.
    const std::size_t start = text[0] == '+' ? 1 : 0;
    float parsed = 0;
    const auto [end, error] =
        std::from_chars(text.data() + start, text.data() + text.size(), parsed);
    // A text that goes on past the number is none, even where the number is too large.
    if (end != text.data() + text.size()) return LoadParse::kNotANumber;
    if (error == std::errc::result_out_of_range) return LoadParse::kOutOfRange;
    if (error != std::errc{}) return LoadParse::kNotANumber;
    value = parsed;
    return LoadParse::kOk;
}

LoadFileReader::LoadFileReader(LoadSink& sink, std::size_t maxLoads)
    : sink_(sink), maxLoads_(maxLoads) {}

bool LoadFileReader::fail(LoadFaultKind kind, std::string_view text) {
    fault_.kind = kind;
    fault_.line = line_;
    fault_.setText(text);
    mode_ = Mode::kFailed;
    return false;
}

bool LoadFileReader::endNumber() {
    const std::string_view number{text_.data(), numberLength_};
    // A line that starts with a comma holds no number at all.
    const std::string_view shown = number.empty() ? std::string_view{","} : number;
    float value = 0;
    switch (parseLoad(number, value)) {
        case LoadParse::kNotANumber:
            return fail(LoadFaultKind::kNotANumber, shown);
        case LoadParse::kOutOfRange:
            return fail(LoadFaultKind::kOutOfRange, shown);
        case LoadParse::kOk:
            break;
    }
    if (loadCount_ == maxLoads_) return fail(LoadFaultKind::kTooManyLoads, number);
    ++loadCount_;
    pendingLoad_ = value;
    pendingLine_ = line_;
    return true;
}

// `number` and `rest` stand side by side, in the reader's buffer or in the text fed.
void LoadFileReader::deliver(std::string_view number, std::string_view rest, bool restCut) {
    if (restCut) rest = wholeCharacters(rest);
    LoadLine load;
    load.line = pendingLine_;
    load.load = pendingLoad_;
    load.number = number;
    load.label = trimmed(rest);
    if (rest.size() >= 2 && rest[0] == ',' && isDigit(rest[1])) {
        const std::size_t wordEnd = std::min(rest.find_first_of(" \t\r"), rest.size());
        load.decimalComma = {number.data(), number.size() + wordEnd};
    }
    sink_.onLoad(load);
}

void LoadFileReader::deliverHeld() {
    deliver({text_.data(), numberLength_}, {text_.data() + numberLength_, restLength_}, restCut_);
}

// A line that lies whole in the text fed, starts with its number and is read as it stands
// (the usual line: "1250.5\n", "1250.5  kN axis B/4\r\n"), without copying it. Returns
// the bytes taken, its line end included; 0 where the line goes on past the text fed, or
// holds anything that the character-by-character reading must look at (a fault, a number
// or label too long, a line that starts with a comma).
std::size_t LoadFileReader::takeWholeLine(const char* data, std::size_t size) {
    // The number first: what ends it mostly ends the line too ("1250.5\n", "1250.5\r\n").
    const std::size_t scanned = std::min(size, kMaxNumberLength + 1);
    std::size_t numberEnd = 0;
    while (numberEnd < scanned && !endsNumber(data[numberEnd]))
        ++numberEnd;
    if (numberEnd == 0 || numberEnd > kMaxNumberLength || numberEnd == size ||
        loadCount_ == maxLoads_)
        return 0;
    std::size_t lineEnd = numberEnd;
    if (data[numberEnd] != '\n') {
        const void* const found = std::memchr(data + numberEnd, '\n', size - numberEnd);
        if (found == nullptr) return 0;
        lineEnd = static_cast<std::size_t>(static_cast<const char*>(found) - data);
        if (lineEnd - numberEnd > kLabelCapacity) return 0;
    }
    const std::string_view number{data, numberEnd};
    float value = 0;
    if (!parseRepeated(data, numberEnd, size, value)) return 0;
    ++loadCount_;
    pendingLoad_ = value;
    pendingLine_ = line_;
    deliver(number, {data + numberEnd, lineEnd - numberEnd}, false);
    ++line_;
    return lineEnd + 1;
}

// Parses the number of `length` bytes at `data`, where `size` bytes can be read, as
// parseLoad does; true when it is a load. A number of 8 bytes or fewer is looked up among
// those read lately first, and kept there.
bool LoadFileReader::parseRepeated(const char* data, std::size_t length, std::size_t size,
                                   float& value) {
    constexpr std::size_t kWidth = sizeof(std::uint64_t);
    if (length > kWidth || size < kWidth) return parseLoad({data, length}, value) == LoadParse::kOk;
    // The number's bytes alone, the bytes after it masked off.
    std::uint64_t text = 0;
    std::memcpy(&text, data, kWidth);
    if (length < kWidth) {
        text &= std::endian::native == std::endian::little
                    ? (std::uint64_t{1} << (8 * length)) - 1
                    : ~std::uint64_t{0} << (8 * (kWidth - length));
    }
    RecentLoad& recent = recentLoads_[(text * 0x9E3779B97F4A7C15u) >> 58];
    if (recent.length == length && recent.text == text) {
        value = recent.load;
        return true;
    }
    if (parseLoad({data, length}, value) != LoadParse::kOk) return false;
    recent = {text, length, value};
    return true;
}

bool LoadFileReader::takeInNumber(char c) {
    if (endsNumber(c)) {
        if (!endNumber()) return false;
        if (c == '\n') {
            deliverHeld();
            ++line_;
            mode_ = Mode::kSeekingNumber;
        } else {
            text_[numberLength_] = c;
            restLength_ = 1;
            mode_ = Mode::kRestOfLine;
        }
        return true;
    }
    // A longer token than any sensible number is refused rather than cut.
    if (numberLength_ == kMaxNumberLength) {
        fail(LoadFaultKind::kNotANumber, {text_.data(), numberLength_});
        fault_.textCut = true;
        return false;
    }
    text_[numberLength_++] = c;
    return true;
}

bool LoadFileReader::feed(const char* data, std::size_t size) {
    std::size_t i = 0;
    while (i < size) {
        switch (mode_) {
            case Mode::kFailed:
                return false;
            case Mode::kFileStart:
                if (data[i] == kByteOrderMark[byteOrderMarkMatched_]) {
                    ++i;
                    if (++byteOrderMarkMatched_ == kByteOrderMark.size())
                        mode_ = Mode::kSeekingNumber;
                } else {
                    // An incomplete mark is text of the first line, never a number.
                    numberLength_ = byteOrderMarkMatched_;
                    std::memcpy(text_.data(), kByteOrderMark.data(), numberLength_);
                    restLength_ = 0;
                    restCut_ = false;
                    mode_ = numberLength_ > 0 ? Mode::kInNumber : Mode::kSeekingNumber;
                }
                break;
            case Mode::kSeekingNumber:
                if (isBlank(data[i])) {
                    ++i;
                } else if (data[i] == '\n') {
                    ++line_;
                    ++i;
                } else if (const std::size_t taken = takeWholeLine(data + i, size - i)) {
                    i += taken;
                } else {
                    numberLength_ = 0;
                    restLength_ = 0;
                    restCut_ = false;
                    mode_ = Mode::kInNumber;
                }
                break;
            case Mode::kInNumber: {
                // The number's characters up to its end in one step, the end itself as
                // any character: a million loads pass here.
                std::size_t end = i;
                while (end < size && !endsNumber(data[end]))
                    ++end;
                const std::size_t room = kMaxNumberLength - numberLength_;
                const std::size_t taken = std::min(end - i, room);
                std::memcpy(text_.data() + numberLength_, data + i, taken);
                numberLength_ += taken;
                i += taken;
                if (i < size && !takeInNumber(data[i++])) return false;
                break;
            }
            case Mode::kRestOfLine: {
                const void* lineEnd = std::memchr(data + i, '\n', size - i);
                const std::size_t stop =
                    lineEnd != nullptr ? static_cast<const char*>(lineEnd) - data : size;
                const std::size_t room = kLabelCapacity - restLength_;
                const std::size_t kept = std::min(stop - i, room);
                std::memcpy(text_.data() + numberLength_ + restLength_, data + i, kept);
                restLength_ += kept;
                if (stop - i > room) restCut_ = true;
                i = stop;
                if (lineEnd != nullptr) {
                    ++i;
                    deliverHeld();
                    ++line_;
                    mode_ = Mode::kSeekingNumber;
                }
                break;
            }
        }
    }
    return mode_ != Mode::kFailed;
}

bool LoadFileReader::finish() {
    switch (mode_) {
        case Mode::kFailed:
            return false;
        case Mode::kFileStart:
            if (byteOrderMarkMatched_ > 0)
                return fail(LoadFaultKind::kNotANumber,
                            kByteOrderMark.substr(0, byteOrderMarkMatched_));
            break;
        case Mode::kInNumber:
            if (!endNumber()) return false;
            deliverHeld();
            break;
        case Mode::kRestOfLine:
            deliverHeld();
            break;
        case Mode::kSeekingNumber:
            break;
    }
    mode_ = Mode::kSeekingNumber;
    return true;
}

bool LoadFileReader::readFrom(int descriptor) {
    std::array<char, 16384> chunk;
    for (;;) {
        const ssize_t got = ::read(descriptor, chunk.data(), chunk.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            fault_.systemError = errno;
            return fail(LoadFaultKind::kReadError, {});
        }
        if (got == 0) return finish();
        if (!feed(chunk.data(), static_cast<std::size_t>(got))) return false;
    }
}

}  // namespace tamsor
