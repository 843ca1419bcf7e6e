#include "lyrics/TextDecoding.h"

#include <utility>

#include "common/Cp932Table.h"
#include "common/TextPlatform.h"

namespace vesk {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr char32_t kReplacement = 0xFFFD;

struct Utf8Char {
    char32_t character = kReplacement;
    std::size_t size = 0;  // 0: no valid sequence starts here
};

// The strict UTF-8 sequence at pos: no overlong forms, no surrogates, nothing beyond
// U+10FFFF.
Utf8Char NextUtf8Char(std::string_view s, std::size_t pos) {
    const auto first = static_cast<unsigned char>(s[pos]);
    if (first < 0x80) {
        return {first, 1};
    }
    std::size_t size = 0;
    char32_t c = 0;
    unsigned char low = 0x80;  // the range of the second byte
    unsigned char high = 0xBF;
    if (first >= 0xC2 && first <= 0xDF) {
        size = 2;
        c = first & 0x1F;
    } else if (first >= 0xE0 && first <= 0xEF) {
        size = 3;
        c = first & 0x0F;
        low = first == 0xE0 ? 0xA0 : low;
        high = first == 0xED ? 0x9F : high;
    } else if (first >= 0xF0 && first <= 0xF4) {
        size = 4;
        c = first & 0x07;
        low = first == 0xF0 ? 0x90 : low;
        high = first == 0xF4 ? 0x8F : high;
    } else {
        return {};
    }
    if (s.size() - pos < size) {
        return {};
    }
    for (std::size_t i = 1; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(s[pos + i]);
        const unsigned char from = i == 1 ? low : 0x80;
        const unsigned char to = i == 1 ? high : 0xBF;
        if (byte < from || byte > to) {
            return {};
        }
        c = (c << 6) | (byte & 0x3F);
    }
    return {c, size};
}

struct Utf8Scan {
    bool valid = true;
    bool longSequence = false;  // a sequence of three or four bytes
};

Utf8Scan ScanUtf8(std::string_view s) {
    Utf8Scan scan;
    for (std::size_t pos = 0; pos < s.size();) {
        const Utf8Char next = NextUtf8Char(s, pos);
        if (next.size == 0) {
            scan.valid = false;
            return scan;
        }
        scan.longSequence = scan.longSequence || next.size > 2;
        pos += next.size;
    }
    return scan;
}

void AppendUtf16(std::u16string& out, char32_t c) {
    if (c > 0xFFFF) {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (c >> 10));
        out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
        out += static_cast<char16_t>(c);
    }
}

std::u16string Utf16OfUtf8(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    for (std::size_t pos = 0; pos < s.size();) {
        const Utf8Char next = NextUtf8Char(s, pos);
        AppendUtf16(out, next.character);
        pos += next.size == 0 ? 1 : next.size;
    }
    return out;
}

std::u16string Utf16OfBytes(std::string_view s, bool bigEndian) {
    std::u16string out;
    out.reserve(s.size() / 2 + 1);
    std::size_t pos = 0;
    for (; pos + 1 < s.size(); pos += 2) {
        const auto a = static_cast<unsigned char>(s[pos]);
        const auto b = static_cast<unsigned char>(s[pos + 1]);
        out += static_cast<char16_t>(bigEndian ? (a << 8 | b) : (b << 8 | a));
    }
    if (pos < s.size()) {
        out += static_cast<char16_t>(kReplacement);  // half a unit at the end
    }
    return out;
}

// Whether every byte is a character of code page 932 by its form: a single byte (ASCII or
// half-width katakana), or a lead byte and a trail byte.
bool IsShiftJisForm(std::string_view s) {
    for (std::size_t pos = 0; pos < s.size(); ++pos) {
        const auto byte = static_cast<unsigned char>(s[pos]);
        if (cp932::IsLeadByte(byte)) {
            if (++pos == s.size()) {
                return false;
            }
            const auto trail = static_cast<unsigned char>(s[pos]);
            if (trail < 0x40 || trail == 0x7F || trail > 0xFC) {
                return false;
            }
        } else if (byte == 0x80 || byte == 0xA0 || byte > 0xDF) {
            return false;
        }
    }
    return true;
}

bool StartsWith(std::string_view bytes, std::string_view mark) {
    return bytes.substr(0, mark.size()) == mark;
}

}  // namespace

TextEncoding DetectTextEncoding(std::string_view bytes) {
    if (StartsWith(bytes, kUtf8Mark)) {
        return TextEncoding::kUtf8;
    }
    if (StartsWith(bytes, kUtf16LeMark)) {
        return TextEncoding::kUtf16Le;
    }
    if (StartsWith(bytes, kUtf16BeMark)) {
        return TextEncoding::kUtf16Be;
    }
    // A NUL byte ends the text: what follows it is never read.
    const std::string_view text = bytes.substr(0, bytes.find('\0'));
    const Utf8Scan scan = ScanUtf8(text);
    // Text the program may have written itself reads as it always did.
    if (scan.valid && scan.longSequence && !IsShiftJisForm(text)) {
        return TextEncoding::kUtf8;
    }
    return TextEncoding::kAnsi;
}

DecodedText DecodeText(std::string bytes) {
    DecodedText decoded;
    decoded.encoding = DetectTextEncoding(bytes);
    std::u16string utf16;
    switch (decoded.encoding) {
        case TextEncoding::kAnsi:
            decoded.ansi = std::move(bytes);
            return decoded;
        case TextEncoding::kUtf8: {
            const std::string_view text(bytes);
            const std::size_t skip = StartsWith(text, kUtf8Mark) ? kUtf8Mark.size() : 0;
            utf16 = Utf16OfUtf8(text.substr(skip));
            break;
        }
        case TextEncoding::kUtf16Le:
        case TextEncoding::kUtf16Be:
            utf16 = Utf16OfBytes(std::string_view(bytes).substr(kUtf16LeMark.size()),
                                 decoded.encoding == TextEncoding::kUtf16Be);
            break;
    }
    const TextPlatform& platform = CurrentTextPlatform();
    decoded.ansi = platform.FromUtf16(utf16);
    decoded.exact = platform.ToUtf8(decoded.ansi) == cp932::Utf8OfUtf16(utf16);
    return decoded;
}

}  // namespace vesk
