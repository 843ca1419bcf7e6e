#include "common/AnsiText.h"

#include <array>

#include "common/TextPlatform.h"

namespace vesk {

namespace {

std::array<bool, 256> g_leadBytes{};
bool g_leadBytesReady = false;

const std::array<bool, 256>& LeadBytes() {
    if (!g_leadBytesReady) {
        CurrentTextPlatform();  // fills the table when it puts the platform in place
    }
    return g_leadBytes;
}

}  // namespace

namespace detail {

void RefreshLeadByteTable(const TextPlatform& platform) {
    for (int b = 0; b < 256; ++b) {
        g_leadBytes[b] = platform.IsLeadByte(static_cast<unsigned char>(b));
    }
    g_leadBytesReady = true;
}

}  // namespace detail

bool IsLeadByte(unsigned char byte) {
    return LeadBytes()[byte];
}

std::size_t CharSize(std::string_view text, std::size_t pos) {
    return (pos + 1 < text.size() && IsLeadByte(static_cast<unsigned char>(text[pos]))) ? 2 : 1;
}

std::size_t CountChars(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += CharSize(text, pos)) {
        ++count;
    }
    return count;
}

bool IsCharStart(std::string_view text, std::size_t pos) {
    std::size_t at = 0;
    while (at < pos && at < text.size()) {
        at += CharSize(text, at);
    }
    return at == pos;
}

std::size_t FindAnyByte(std::string_view text, std::string_view bytes, std::size_t from) {
    for (std::size_t pos = from; pos < text.size(); pos += CharSize(text, pos)) {
        if (bytes.find(text[pos]) != std::string_view::npos) {
            return pos;
        }
    }
    return std::string_view::npos;
}

std::size_t FindText(std::string_view text, std::string_view needle, std::size_t from) {
    if (needle.empty()) {
        return from <= text.size() ? from : std::string_view::npos;
    }
    for (std::size_t pos = from; pos + needle.size() <= text.size(); pos += CharSize(text, pos)) {
        if (text.compare(pos, needle.size(), needle) == 0) {
            return pos;
        }
    }
    return std::string_view::npos;
}

std::string_view TrimBlanks(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= 0x20) {
        ++first;
    }
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= 0x20) {
        --last;
    }
    return text.substr(first, last - first);
}

std::string ReplaceBytes(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) {
        return std::string(text);
    }
    std::string result;
    result.reserve(text.size());
    std::size_t pos = 0;
    for (std::size_t hit = text.find(from); hit != std::string_view::npos;
         hit = text.find(from, pos)) {
        result.append(text, pos, hit - pos).append(to);
        pos = hit + from.size();
    }
    result.append(text, pos);
    return result;
}

std::size_t FileNameStart(std::string_view path) {
    std::size_t start = 0;
    for (std::size_t pos = 0; pos < path.size(); pos += CharSize(path, pos)) {
        if (path[pos] == '\\' || path[pos] == '/' || path[pos] == ':') {
            start = pos + 1;
        }
    }
    return start;
}

bool TextEqual(std::string_view a, std::string_view b, bool ignoreCase) {
    return CurrentTextPlatform().Equal(a, b, ignoreCase);
}

char AccessKeyOf(std::string_view caption) {
    // "&" is below every trail byte of the code page: it is never half of a character.
    for (std::size_t pos = caption.find('&');
         pos != std::string_view::npos && pos + 1 < caption.size();
         pos = caption.find('&', pos + 2)) {
        const char key = caption[pos + 1];
        if (key == '&') {
            continue;
        }
        const auto byte = static_cast<unsigned char>(key);
        if (byte >= 0x80) {
            return 0;
        }
        return key >= 'a' && key <= 'z' ? static_cast<char>(key - 'a' + 'A') : key;
    }
    return 0;
}

}  // namespace vesk
