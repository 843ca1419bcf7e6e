#pragma once

// A hash of an ANSI (code page 932) text that any two texts the locale comparison finds
// equal share, with or without regard to case, so that a search for equal texts among
// many need ask the system only about texts whose hashes meet. It follows the first level
// of a collation, the letters without case, width or marks, and is coarser still, on
// purpose: a collation weighs some characters by their neighbours or gives them no weight
// of their own, and the hash must not depend on that. It keeps the order of the
// characters, but
// - decodes each code to its Unicode character, so that the duplicate codes of one
//   character (NEC and IBM rows) are one, and folds letter case (as Cp932TextPlatform
//   does) and full-width ASCII;
// - leaves out what a collation may ignore or weigh by position only: control and
//   user-defined characters, hyphens and apostrophes (the "word sort" marks);
// - leaves out the sound marks (ﾞ゛ﾟ゜), which a collation may add to a kana before or
//   after them, and takes every kana as its plain full-size hiragana (ガ, ｶ and が are
//   か; ッ is つ);
// - leaves out the vowels あいうえお and the long vowel and repetition marks
//   (ー ｰ ― ゝ ゞ ヽ ヾ 々 〃), which may stand for the vowel or the whole character
//   before them;
// - takes a run of one character as that character once ("aー" and "Ａゝ" may equal "aa").
// A text with a lead byte that starts no assigned character (cut in two, or an unassigned
// code), or with a unit of measure that stands for two letters (㎜), has no reliable hash:
// the system may read its bytes in more than one way.

#include <cstdint>
#include <string_view>

namespace vesk {

struct TextFingerprint {
    std::uint32_t hash = 0;
    // false: the text holds a byte sequence that is no character; hash promises nothing.
    bool reliable = true;

    bool operator==(const TextFingerprint&) const = default;
};

TextFingerprint FingerprintOf(std::string_view text);

}  // namespace vesk
