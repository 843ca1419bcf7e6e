#include "common/PortableTextPlatform.h"

#include <cstdint>

#include "common/Cp932Table.h"

namespace vesk {

namespace {

// The Unicode character at pos, advancing pos. Bytes that form no character give a value
// beyond Unicode that stands for the byte itself.
char32_t NextCharacter(std::string_view s, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(s[pos]);
    if (!cp932::IsLeadByte(lead)) {
        ++pos;
        return cp932::DecodeSingle(lead);
    }
    if (pos + 1 < s.size()) {
        const char32_t c = cp932::DecodeDouble(lead, static_cast<unsigned char>(s[pos + 1]));
        if (c != cp932::kNoCharacter) {
            pos += 2;
            return c;
        }
    }
    ++pos;
    return 0x110000 + lead;
}

}  // namespace

bool Cp932TextPlatform::IsLeadByte(unsigned char byte) const {
    return cp932::IsLeadByte(byte);
}

bool Cp932TextPlatform::Equal(std::string_view a, std::string_view b, bool ignoreCase) const {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        char32_t x = NextCharacter(a, i);
        char32_t y = NextCharacter(b, j);
        if (ignoreCase) {
            x = cp932::FoldCase(x);
            y = cp932::FoldCase(y);
        }
        if (x != y) {
            return false;
        }
    }
    return i == a.size() && j == b.size();
}

// Character by character, capitals and small letters first taken as one: texts that differ
// only in case sort next to each other, and the case-sensitive form tells them apart last.
int Cp932TextPlatform::Compare(std::string_view a, std::string_view b, bool ignoreCase) const {
    int caseOrder = 0;  // the first difference of case, for the case-sensitive form
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const char32_t x = NextCharacter(a, i);
        const char32_t y = NextCharacter(b, j);
        const char32_t foldedX = cp932::FoldCase(x);
        const char32_t foldedY = cp932::FoldCase(y);
        if (foldedX != foldedY) {
            return foldedX < foldedY ? -1 : 1;
        }
        if (caseOrder == 0 && x != y) {
            caseOrder = x < y ? -1 : 1;
        }
    }
    if (i < a.size() || j < b.size()) {
        return i < a.size() ? 1 : -1;  // the shorter text first
    }
    return ignoreCase ? 0 : caseOrder;
}

std::string Cp932TextPlatform::FromUtf8(std::string_view utf8) const {
    std::string ansi;
    ansi.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::string code = cp932::Encode(cp932::NextUtf8(utf8, pos));
        ansi += code.empty() ? std::string("?") : code;
    }
    return ansi;
}

std::string Cp932TextPlatform::ToUtf8(std::string_view ansi) const {
    constexpr char32_t kKatakanaMiddleDot = 0x30FB;  // what Windows makes of invalid bytes
    std::string utf8;
    utf8.reserve(ansi.size() * 3 / 2);
    for (std::size_t pos = 0; pos < ansi.size();) {
        const auto lead = static_cast<unsigned char>(ansi[pos]);
        if (!cp932::IsLeadByte(lead)) {
            cp932::AppendUtf8(utf8, cp932::DecodeSingle(lead));
            ++pos;
            continue;
        }
        char32_t c = cp932::kNoCharacter;
        if (pos + 1 < ansi.size()) {
            c = cp932::DecodeDouble(lead, static_cast<unsigned char>(ansi[pos + 1]));
        }
        pos += pos + 1 < ansi.size() ? 2 : 1;
        cp932::AppendUtf8(utf8, c == cp932::kNoCharacter ? kKatakanaMiddleDot : c);
    }
    return utf8;
}

std::string Cp932TextPlatform::FromUtf16(std::u16string_view utf16) const {
    std::string ansi;
    ansi.reserve(utf16.size() * 2);
    for (const char16_t unit : utf16) {
        // A surrogate is half a character the code page cannot have: "?" each, as Windows.
        const bool surrogate = unit >= 0xD800 && unit <= 0xDFFF;
        const std::string code = surrogate ? std::string() : cp932::Encode(unit);
        ansi += code.empty() ? std::string("?") : code;
    }
    return ansi;
}

const TextPlatform& PortableTextPlatform() {
    static const Cp932TextPlatform platform;
    return platform;
}

}  // namespace vesk
