#pragma once

// Helpers over ANSI byte strings (code page 932): characters are one byte, or a lead byte
// and the byte after it. Searches match only where a character starts, so the second byte
// of a double-byte character never counts as a delimiter or as the start of a match.

#include <cstddef>
#include <string>
#include <string_view>

namespace vesk {

class TextPlatform;

// Lead byte of the current text platform's code page.
bool IsLeadByte(unsigned char byte);

// Size in bytes of the character that starts at pos: 2 for a lead byte that has a byte
// after it, else 1.
std::size_t CharSize(std::string_view text, std::size_t pos);

// Number of characters; a lead byte at the very end counts as one character.
std::size_t CountChars(std::string_view text);

// Whether a character starts at pos (pos == text.size() counts as a start).
bool IsCharStart(std::string_view text, std::size_t pos);

// First character start at or after from (from must be a character start) whose byte is
// one of bytes; npos when there is none.
std::size_t FindAnyByte(std::string_view text, std::string_view bytes, std::size_t from = 0);

// First character start at or after from at which needle occurs byte for byte; npos when
// there is none. An empty needle matches at from.
std::size_t FindText(std::string_view text, std::string_view needle, std::size_t from = 0);

inline bool ContainsText(std::string_view text, std::string_view needle) {
    return FindText(text, needle) != std::string_view::npos;
}

// Removes every byte of value 0x00 to 0x20 (blanks and control characters) from both
// ends. The full-width space is a double-byte character and stays.
std::string_view TrimBlanks(std::string_view text);

// Replaces every occurrence of from, scanning left to right without overlap, at any byte
// position (for byte sequences that cannot occur inside a double-byte character).
std::string ReplaceBytes(std::string_view text, std::string_view from, std::string_view to);

// Where the file name of a path begins: after its last "\", "/" or ":" that starts a
// character (a backslash can be the second byte of a double-byte character). The folder
// part, with its separator, is everything before.
std::size_t FileNameStart(std::string_view path);

// Locale-aware equality of the current text platform.
bool TextEqual(std::string_view a, std::string_view b, bool ignoreCase);

// The access key of a caption, as the dialog manager reads it: the ASCII character after
// the first single "&" ("&&" stands for "&" itself), in upper case; 0 when there is none.
char AccessKeyOf(std::string_view caption);

namespace detail {
void RefreshLeadByteTable(const TextPlatform& platform);
}

}  // namespace vesk
