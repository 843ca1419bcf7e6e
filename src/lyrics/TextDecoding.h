#pragma once

// The encodings of the text files the program reads (lyrics files and list files). Files
// in the ANSI code page (Shift_JIS) are read byte for byte, as they always were; files in
// UTF-8 and UTF-16, as today's lyrics tools write them, are turned into the ANSI code page.

#include <string>
#include <string_view>

namespace vesk {

enum class TextEncoding { kAnsi, kUtf8, kUtf16Le, kUtf16Be };

// Which encoding bytes are in:
// - a byte-order mark says it: EF BB BF UTF-8, FF FE UTF-16 little-endian, FE FF UTF-16
//   big-endian;
// - without one, UTF-8 when the text (up to a NUL) is valid UTF-8 (no overlong forms, no
//   surrogates, nothing beyond U+10FFFF), holds a character of three or four bytes, as
//   every kana and kanji is, and is not Shift_JIS in form (single bytes, or lead and trail
//   bytes). Japanese UTF-8 text almost never has that form over a whole file (a kana's
//   three bytes leave a lead byte before the next quote, line break, blank or comma); text
//   in that form, as every list file this program wrote, reads as it always did. Two-byte sequences alone are not enough, since
//   half-width katakana in pairs, or a double-byte character cut in half, can form them;
// - anything else is the ANSI code page (Shift_JIS), byte for byte, ASCII alone included.
TextEncoding DetectTextEncoding(std::string_view bytes);

struct DecodedText {
    // The text in the ANSI code page, without its byte-order mark. Characters the code page
    // lacks are the platform's best fit (TextPlatform::FromUtf16); a byte sequence that is
    // not valid in the encoding the mark names is one U+FFFD (so "?") per byte.
    std::string ansi;
    TextEncoding encoding = TextEncoding::kAnsi;
    // Every character came over as itself: reading ansi back gives the same characters.
    // Always true for the ANSI code page.
    bool exact = true;
};

// The bytes of a file as ANSI text (DetectTextEncoding, then the conversion of the
// current text platform).
DecodedText DecodeText(std::string bytes);

}  // namespace vesk
