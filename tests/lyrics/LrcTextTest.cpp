#include "lyrics/LrcText.h"

#include <gtest/gtest.h>

#include <optional>

#include "TestText.h"

namespace vesk {
namespace {

using test::Ansi;

TEST(LrcText, TimeTagsGoAndHeaderLinesAreLeftOut) {
    struct Row {
        const char* line;
        std::optional<std::string> shown;  // UTF-8; nullopt: left out
    };
    const Row rows[] = {
        {"[00:12.34]雨の音が", "雨の音が"},
        {"[00:12.34][01:02.50][02:00.00]繰り返し", "繰り返し"},
        {"[1:02]短い形", "短い形"},
        {"[01:02.500]ミリ秒", "ミリ秒"},
        {"[01:02:50]コロン", "コロン"},
        {"[00:12.34]", ""},  // a timed empty line stays, as a break
        {"[00:01.00]<00:01.00>言<00:01.50>葉", "言葉"},
        {"[ar:歌手]", std::nullopt},
        {"[ti:夏の雨]", std::nullopt},
        {"[al:アルバム]", std::nullopt},
        {"[by:作成者]", std::nullopt},
        {"[offset:+250]", std::nullopt},
        {"[length: 3:45]", std::nullopt},
        {"[re:ツール]", std::nullopt},
        {"[ve:1.0]", std::nullopt},
        {"  [TI:Upper] ", std::nullopt},
        {"[ar:A][ti:B]", std::nullopt},
        {"[ti:ゾ]", std::nullopt},  // the second byte of ゾ is "]", which ends nothing
        {"[ti:ゾ", "[ti:ゾ"},
        {"[ti:題]本文", "本文"},
        {"本文[ti:題]", "本文[ti:題]"},  // a header tag only begins a line
        {"[au:誰か]", "[au:誰か]"},      // not a header tag of the list
        {"[chorus]", "[chorus]"},
        {"[00:1a.00]歌", "[00:1a.00]歌"},
        {"[00:123.00]歌", "[00:123.00]歌"},
        {"[00:12.]歌", "[00:12.]歌"},
        {"[:12.00]歌", "[:12.00]歌"},
        {"[00:12.00", "[00:12.00"},
        {"", ""},
        {"ただの行", "ただの行"},
    };
    for (const Row& row : rows) {
        const std::optional<std::string> expected =
            row.shown ? std::optional<std::string>(Ansi(*row.shown)) : std::nullopt;
        EXPECT_EQ(LrcShownLine(Ansi(row.line)), expected) << row.line;
    }
}

TEST(LrcText, LrcFilesAreKnownByTheirName) {
    EXPECT_TRUE(IsLrcFile("C:\\L\\song.lrc"));
    EXPECT_TRUE(IsLrcFile("C:\\L\\SONG.LRC"));
    EXPECT_TRUE(IsLrcFile(Ansi("C:\\歌詞\\表.Lrc")));
    EXPECT_FALSE(IsLrcFile("C:\\L\\song.txt"));
    EXPECT_FALSE(IsLrcFile("C:\\L\\song.lrc.txt"));
    EXPECT_FALSE(IsLrcFile("lrc"));
    EXPECT_FALSE(IsLrcFile(""));
}

}  // namespace
}  // namespace vesk
