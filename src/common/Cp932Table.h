#pragma once

// Microsoft's code page 932 mapping, for text handling that does not ask the system.

#include <cstdint>
#include <string>
#include <string_view>

namespace vesk::cp932 {

constexpr char32_t kNoCharacter = 0;

bool IsLeadByte(unsigned char byte);

// Unicode of a single byte, or kNoCharacter for a lead byte.
char32_t DecodeSingle(unsigned char byte);

// Unicode of a double-byte code, or kNoCharacter when the code is unassigned.
char32_t DecodeDouble(unsigned char lead, unsigned char trail);

// The code page 932 bytes of a character (1 or 2), or an empty string when it has none.
// Characters with several codes get the one Windows produces.
std::string Encode(char32_t character);

// Small letters to capitals, for the scripts of code page 932 that have letter case: ASCII,
// full-width Latin, Greek, Cyrillic and the Roman numerals.
char32_t FoldCase(char32_t c);

constexpr char32_t kInvalidUtf8 = 0xFFFFFFFF;

// Decodes the UTF-8 sequence at pos and advances pos past it; kInvalidUtf8 (advancing one
// byte) for a broken sequence.
char32_t NextUtf8(std::string_view utf8, std::size_t& pos);

void AppendUtf8(std::string& out, char32_t character);

// The characters of UTF-16 text as UTF-8; a lone surrogate is U+FFFD.
std::string Utf8OfUtf16(std::u16string_view utf16);

}  // namespace vesk::cp932
