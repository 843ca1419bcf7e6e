#include "lyrics/LrcText.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "common/AnsiText.h"

namespace vesk {

namespace {

constexpr std::string_view kLrcExtension = ".lrc";
constexpr std::string_view kOffsetTagName = "offset";
constexpr std::string_view kHeaderTagNames[] = {"ar",     "ti",     "al", "by",
                                                "offset", "length", "re", "ve"};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

// The number of digits from pos on.
std::size_t DigitsAt(std::string_view s, std::size_t pos) {
    std::size_t count = 0;
    while (pos + count < s.size() && IsDigit(s[pos + count])) {
        ++count;
    }
    return count;
}

// Minutes beyond this are read as this many: the time stays far from overflow, and no song
// is that long.
constexpr std::int64_t kMaxTagMinutes = 1'000'000;
constexpr std::int64_t kSecondsPerMinute = 60;
constexpr std::int64_t kMaxTagSeconds = 99;  // two digits
constexpr std::size_t kFractionDigits = 3;   // milliseconds; further digits are dropped

struct TimeTag {
    std::size_t size = 0;  // 0 when there is no tag
    std::int64_t ms = 0;
};

// The number that decimal digits stand for, no greater than limit.
std::int64_t DigitsValue(std::string_view digits, std::int64_t limit) {
    std::int64_t value = 0;
    for (const char c : digits) {
        value = std::min(limit, value * 10 + (c - '0'));
    }
    return value;
}

// The time tag that opens at pos ("[" or "<").
TimeTag ReadTimeTag(std::string_view s, std::size_t pos) {
    const char open = s[pos];
    const char close = open == '[' ? ']' : open == '<' ? '>' : '\0';
    if (close == '\0') {
        return {};
    }
    std::size_t at = pos + 1;
    const std::size_t minuteDigits = DigitsAt(s, at);
    if (minuteDigits == 0 || at + minuteDigits >= s.size() || s[at + minuteDigits] != ':') {
        return {};
    }
    const std::int64_t minutes = DigitsValue(s.substr(at, minuteDigits), kMaxTagMinutes);
    at += minuteDigits + 1;
    const std::size_t secondDigits = DigitsAt(s, at);
    if (secondDigits == 0 || secondDigits > 2) {
        return {};
    }
    // Seconds, then milliseconds once the fraction's three places are taken in.
    std::int64_t time =
        minutes * kSecondsPerMinute + DigitsValue(s.substr(at, secondDigits), kMaxTagSeconds);
    at += secondDigits;
    std::size_t fractionDigits = 0;
    if (at < s.size() && (s[at] == '.' || s[at] == ':')) {
        fractionDigits = DigitsAt(s, at + 1);
        if (fractionDigits == 0) {
            return {};
        }
        ++at;
    }
    // ".5", ".50" and ".500" are all half a second.
    for (std::size_t i = 0; i < kFractionDigits; ++i) {
        time = time * 10 + (i < fractionDigits ? s[at + i] - '0' : 0);
    }
    at += fractionDigits;
    if (at >= s.size() || s[at] != close) {
        return {};
    }
    return {at + 1 - pos, time};
}

struct HeaderTag {
    std::size_t size = 0;  // 0 when there is none
    std::string_view name;
    std::string_view value;
};

// The header tag that opens at pos. Its value runs to the first "]" that starts a character
// (a double-byte character's second byte can be one).
HeaderTag ReadHeaderTag(std::string_view s, std::size_t pos) {
    if (s[pos] != '[') {
        return {};
    }
    const std::size_t colon = s.find(':', pos + 1);
    if (colon == std::string_view::npos) {
        return {};
    }
    const std::string_view name = s.substr(pos + 1, colon - pos - 1);
    bool known = false;
    for (const std::string_view tag : kHeaderTagNames) {
        known = known || EqualIgnoringAsciiCase(name, tag);
    }
    if (!known) {
        return {};
    }
    for (std::size_t at = colon + 1; at < s.size(); at += CharSize(s, at)) {
        if (s[at] == ']') {
            return {at + 1 - pos, name, s.substr(colon + 1, at - colon - 1)};
        }
    }
    return {};
}

// An offset's value: blanks, an optional sign, decimal digits that fit 32 bits, blanks.
std::optional<std::int32_t> OffsetValue(std::string_view value) {
    value = TrimBlanks(value);
    const bool negative = !value.empty() && value.front() == '-';
    if (!value.empty() && (value.front() == '-' || value.front() == '+')) {
        value.remove_prefix(1);
    }
    if (value.empty() || DigitsAt(value, 0) != value.size()) {
        return std::nullopt;
    }
    // Enough to tell every value beyond 32 bits, either sign.
    constexpr std::int64_t kBeyond = std::int64_t{INT32_MAX} + 2;
    const std::int64_t magnitude = DigitsValue(value, kBeyond);
    const std::int64_t ms = negative ? -magnitude : magnitude;
    if (ms < INT32_MIN || ms > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(ms);
}

}  // namespace

bool IsLrcFile(std::string_view path) {
    return path.size() >= kLrcExtension.size() &&
           EqualIgnoringAsciiCase(path.substr(path.size() - kLrcExtension.size()), kLrcExtension);
}

LrcLine ReadLrcLine(std::string_view line) {
    LrcLine read;
    std::string shown;
    shown.reserve(line.size());
    bool timed = false;
    bool header = false;
    bool leading = true;  // nothing but tags and blanks so far
    for (std::size_t pos = 0; pos < line.size();) {
        if (const TimeTag tag = ReadTimeTag(line, pos); tag.size != 0) {
            timed = true;
            // Word time tags ("<...>") time words within the line, not the line.
            if (line[pos] == '[') {
                read.timesMs.push_back(tag.ms);
            }
            pos += tag.size;
            continue;
        }
        if (const HeaderTag tag = leading ? ReadHeaderTag(line, pos) : HeaderTag{}; tag.size != 0) {
            header = true;
            if (!read.offsetMs && EqualIgnoringAsciiCase(tag.name, kOffsetTagName)) {
                read.offsetMs = OffsetValue(tag.value);
            }
            pos += tag.size;
            continue;
        }
        const std::size_t size = CharSize(line, pos);
        leading = leading && size == 1 && static_cast<unsigned char>(line[pos]) <= ' ';
        shown.append(line.substr(pos, size));
        pos += size;
    }
    if (!(header && !timed && TrimBlanks(shown).empty())) {
        read.shown = std::move(shown);
    }
    return read;
}

std::optional<std::string> LrcShownLine(std::string_view line) {
    return ReadLrcLine(line).shown;
}

}  // namespace vesk
