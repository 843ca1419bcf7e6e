#pragma once

// Random song titles (ANSI, code page 932) that often compare equal in ways other than
// byte for byte: letter case, full-width and half-width forms, hiragana and katakana, the
// duplicate codes of one character (NEC and IBM rows), the long vowel and iteration marks,
// sound marks, control and user-defined characters, unassigned codes and a lead byte cut
// from its pair. Short titles from few pieces, so that many of them meet.

#include <cstddef>
#include <random>
#include <string>
#include <vector>

namespace vesk::test {

inline std::vector<std::string> RandomTitles(std::size_t count, unsigned seed) {
    // Each group holds spellings that are, or nearly are, the same character.
    static const std::vector<std::vector<std::string>> kGroups = {
        {"a", "A", "\x82\x81", "\x82\x60"},  // a A ａ Ａ
        {"b", "B"},
        {"\x82\xA0", "\x83\x41", "\xB1", "\x82\x9F", "\x83\x40"},  // あ ア ｱ ぁ ァ
        {"\x82\xA9", "\x82\xAA", "\x83\x4A", "\x83\x4B", "\xB6"},  // か が カ ガ ｶ
        {"\x81\x5B", "\x81\x5C", "\xB0", "\x81\x54", "\x81\x58"},  // ー ― ｰ ゝ 々
        {"\xDE", "\x81\x4A"},                                      // ﾞ ゛
        {"\x87\x54", "\xFA\x4A", "\xEE\xEF", "\xFA\x40"},          // Ⅰ Ⅰ ⅰ ⅰ (NEC, IBM)
        {"\x81\xE6", "\x87\x9A", "\xFA\x5B"},                      // ∵ three times
        {"\x83\xBF", "\x83\x9F", "\x84\x91", "\x84\x61"},          // α Α я Я
        {"\x89\x4A", " ", "-", "'", "1"},                          // 雨 and ASCII marks
        {"\x81\x9B", "\x81\x9C", "\x81\x9D", "\x87\x40", "\x81\x5A", "0"},  // ○ ● ◎ ① 〇
        {"\x01", "\t", "\xF0\x40", "\xA0", "\x85\x40", "\x81\x45"},  // control, user-defined,
                                                                     // unassigned, ・
    };
    constexpr char kCutLeadByte = '\x82';
    std::mt19937 random(seed);
    std::vector<std::string> titles;
    titles.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        std::string title;
        const std::size_t pieces = random() % 4;
        for (std::size_t p = 0; p < pieces; ++p) {
            const std::vector<std::string>& group = kGroups[random() % kGroups.size()];
            title += group[random() % group.size()];
        }
        if (random() % 40 == 0) {
            title += kCutLeadByte;
        }
        titles.push_back(title);
    }
    return titles;
}

// The rule as written: for each row from the top, every row below it whose title equals
// its title is removed, looking from the bottom up. Slow on purpose, as a reference.
template <class Equal>
std::vector<std::string> WithoutRepeatedTitlesPairwise(std::vector<std::string> titles,
                                                       Equal equal) {
    for (std::size_t i = 0; i < titles.size(); ++i) {
        for (std::size_t j = titles.size() - 1; j > i; --j) {
            if (equal(titles[j], titles[i])) {
                titles.erase(titles.begin() + static_cast<std::ptrdiff_t>(j));
            }
        }
    }
    return titles;
}

}  // namespace vesk::test
