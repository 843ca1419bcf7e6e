#include "online/LyricsFile.h"

#include <cstddef>
#include <vector>

#include "common/Cp932Table.h"
#include "common/SafeFileName.h"
#include "lyrics/TextLines.h"
#include "lyrics/untTLyricsList.h"

namespace vesk {

namespace {

constexpr std::string_view kExtension = ".lrc";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";
constexpr char32_t kReplacementCharacter = 0xFFFD;
constexpr char32_t kLastCharacter = 0x10FFFF;
constexpr auto kMaxFileBytes = static_cast<std::size_t>(kLyricsFileMaxBytes);

bool IsSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

// The text up to its first NUL as well-formed UTF-8: a broken sequence, a surrogate, a
// code beyond U+10FFFF or an overlong NUL becomes U+FFFD; overlong forms are written short.
std::string WellFormedUtf8(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        char32_t c = cp932::NextUtf8(text, pos);
        if (c == cp932::kInvalidUtf8 || c == 0 || c > kLastCharacter || IsSurrogate(c)) {
            c = kReplacementCharacter;
        }
        cp932::AppendUtf8(out, c);
    }
    return out;
}

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The longest start of well-formed UTF-8 text of at most size bytes that ends after a
// whole character.
std::string_view WholeCharacters(std::string_view text, std::size_t size) {
    if (size >= text.size()) {
        return text;
    }
    while (size > 0 && IsContinuationByte(text[size])) {
        --size;
    }
    return text.substr(0, size);
}

}  // namespace

std::string OnlineLyricsFileName(std::string_view title) {
    return SafeFileName(title) + std::string(kExtension);
}

std::string OnlineLyricsFileBytes(std::string_view utf8Lyrics) {
    const std::string text = WellFormedUtf8(utf8Lyrics);
    std::string bytes(kUtf8Mark);
    bytes.reserve(kUtf8Mark.size() + text.size() + text.size() / 16);
    bool firstLine = true;
    for (const std::string_view line : SplitTextLines(text)) {
        const std::size_t used = bytes.size() + kLineEnd.size();
        const std::size_t room = used < kMaxFileBytes ? kMaxFileBytes - used : 0;
        if (line.size() > room) {
            if (firstLine) {
                bytes.append(WholeCharacters(line, room)).append(kLineEnd);
            }
            break;
        }
        bytes.append(line).append(kLineEnd);
        firstLine = false;
    }
    return bytes;
}

}  // namespace vesk
