#include "lyrics/LrcText.h"

#include "common/AnsiText.h"

namespace vesk {

namespace {

constexpr std::string_view kLrcExtension = ".lrc";
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

// The size of the time tag that opens at pos ("[" or "<"); 0 when there is none.
std::size_t TimeTagSize(std::string_view s, std::size_t pos) {
    const char open = s[pos];
    const char close = open == '[' ? ']' : open == '<' ? '>' : '\0';
    if (close == '\0') {
        return 0;
    }
    std::size_t at = pos + 1;
    const std::size_t minutes = DigitsAt(s, at);
    if (minutes == 0 || at + minutes >= s.size() || s[at + minutes] != ':') {
        return 0;
    }
    at += minutes + 1;
    const std::size_t seconds = DigitsAt(s, at);
    if (seconds == 0 || seconds > 2) {
        return 0;
    }
    at += seconds;
    if (at < s.size() && (s[at] == '.' || s[at] == ':')) {
        const std::size_t fraction = DigitsAt(s, at + 1);
        if (fraction == 0) {
            return 0;
        }
        at += 1 + fraction;
    }
    return at < s.size() && s[at] == close ? at + 1 - pos : 0;
}

// The size of the header tag that opens at pos; 0 when there is none. Its value runs to the
// first "]" that starts a character (a double-byte character's second byte can be one).
std::size_t HeaderTagSize(std::string_view s, std::size_t pos) {
    if (s[pos] != '[') {
        return 0;
    }
    const std::size_t colon = s.find(':', pos + 1);
    if (colon == std::string_view::npos) {
        return 0;
    }
    const std::string_view name = s.substr(pos + 1, colon - pos - 1);
    bool known = false;
    for (const std::string_view tag : kHeaderTagNames) {
        known = known || EqualIgnoringAsciiCase(name, tag);
    }
    if (!known) {
        return 0;
    }
    for (std::size_t at = colon + 1; at < s.size(); at += CharSize(s, at)) {
        if (s[at] == ']') {
            return at + 1 - pos;
        }
    }
    return 0;
}

}  // namespace

bool IsLrcFile(std::string_view path) {
    return path.size() >= kLrcExtension.size() &&
           EqualIgnoringAsciiCase(path.substr(path.size() - kLrcExtension.size()), kLrcExtension);
}

std::optional<std::string> LrcShownLine(std::string_view line) {
    std::string shown;
    shown.reserve(line.size());
    bool timed = false;
    bool header = false;
    bool leading = true;  // nothing but tags and blanks so far
    for (std::size_t pos = 0; pos < line.size();) {
        if (const std::size_t size = TimeTagSize(line, pos)) {
            timed = true;
            pos += size;
            continue;
        }
        if (const std::size_t size = leading ? HeaderTagSize(line, pos) : 0) {
            header = true;
            pos += size;
            continue;
        }
        const std::size_t size = CharSize(line, pos);
        leading = leading && size == 1 && static_cast<unsigned char>(line[pos]) <= ' ';
        shown.append(line.substr(pos, size));
        pos += size;
    }
    if (header && !timed && TrimBlanks(shown).empty()) {
        return std::nullopt;
    }
    return shown;
}

}  // namespace vesk
