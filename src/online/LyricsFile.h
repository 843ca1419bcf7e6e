#pragma once

// The file that lyrics found online are saved as: in the lyrics folder, named after the
// title by the rule every lyrics file named after a title follows, so that the lyrics-folder
// look-up shows it; UTF-8 with a byte-order mark, which the lyrics reader recognises.

#include <string>
#include <string_view>

namespace vesk {

// SafeFileName(title) + ".lrc": a name without separators, never one outside the folder.
std::string OnlineLyricsFileName(std::string_view title);

// The file's bytes for lyrics in UTF-8: the byte-order mark, then every line (lines end at
// CR LF, a lone CR or a lone LF) followed by CR LF, up to a NUL if there is one. Byte
// sequences that are not UTF-8 become U+FFFD. The lyrics window shows files of at most
// kLyricsFileMaxBytes as they are, so longer lyrics keep the lines that fit whole; a
// first line that alone is too long keeps the characters that fit. Each character of the
// file takes at least as many bytes in UTF-8 as in the ANSI code page, so the text the
// window shows stays within that limit too.
std::string OnlineLyricsFileBytes(std::string_view utf8Lyrics);

}  // namespace vesk
