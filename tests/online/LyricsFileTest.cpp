#include "online/LyricsFile.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "MemoryFileSystem.h"
#include "TestText.h"
#include "lyrics/untTLyricsList.h"

namespace vesk {
namespace {

using test::Ansi;

const std::string kMark = "\xEF\xBB\xBF";

// What the lyrics window shows of the file saved at path.
std::string ShownText(const std::string& path, const std::string& bytes) {
    test::MemoryFileSystem files;
    files.files[path] = bytes;
    const ScopedFileSystem scoped(files);
    return LyricsFileDisplayText(path, 0, 0);
}

// nlohmann/json refuses to write text that is not UTF-8.
bool IsWellFormedUtf8(const std::string& bytes) {
    try {
        static_cast<void>(nlohmann::json(bytes).dump());
        return true;
    } catch (const nlohmann::json::exception&) {
        return false;
    }
}

TEST(OnlineLyricsFile, BytesAreUtf8WithCrLfWithinTheWindowLimit) {
    const auto limit = static_cast<std::size_t>(kLyricsFileMaxBytes);
    const std::string kana = "あ";                         // 3 bytes in UTF-8
    const std::string line = std::string(98, 'x') + "\n";  // 100 bytes in the file
    std::string manyLines;
    for (int i = 0; i < 700; ++i) {
        manyLines += line;
    }
    struct Row {
        std::string lyrics;
        std::string bytes;  // empty: only the size and the start are checked
        std::size_t size;
    };
    const Row rows[] = {
        {"la", kMark + "la\r\n", 0},
        {"[00:01.00]one\n[00:02.50]two\n", kMark + "[00:01.00]one\r\n[00:02.50]two\r\n", 0},
        {"one\r\ntwo\rthree\n\nfour", kMark + "one\r\ntwo\r\nthree\r\n\r\nfour\r\n", 0},
        {"夏の雨\n", kMark + "夏の雨\r\n", 0},
        {"one\ntwo", kMark + "one\r\ntwo\r\n", 0},
        // A NUL ends the text; bytes that are not UTF-8 become U+FFFD.
        {std::string("one\ntw\0o\nthree", 14), kMark + "one\r\ntw\r\n", 0},
        {"a\xFF"
         "b\xE3\x81",
         kMark + "a\xEF\xBF\xBD"
                 "b\xEF\xBF\xBD\xEF\xBF\xBD\r\n",
         0},
        // A surrogate and an overlong NUL are no characters; other overlong forms are
        // written short.
        {"\xED\xA0\x80\xC0\x80\xC1\xA1",
         kMark + "\xEF\xBF\xBD\xEF\xBF\xBD"
                 "a\r\n",
         0},
        // Too long: the lines that fit whole.
        {manyLines, "", 3 + 655 * 100},
        {std::string(limit - 5, 'x') + "\nnext", kMark + std::string(limit - 5, 'x') + "\r\n", 0},
        {std::string(limit - 4, 'x') + "\nnext", kMark + std::string(limit - 5, 'x') + "\r\n", 0},
        // A first line too long alone: the characters that fit, none cut in half.
        {std::string(limit, 'x'), kMark + std::string(limit - 5, 'x') + "\r\n", 0},
        {"xx" +
             [&] {
                 std::string s;
                 for (int i = 0; i < 30000; ++i) {
                     s += kana;
                 }
                 return s;
             }(),
         "", 3 + 2 + 3 * ((limit - 3 - 2 - 2) / 3) + 2},
    };
    for (const Row& row : rows) {
        const std::string bytes = OnlineLyricsFileBytes(row.lyrics);
        SCOPED_TRACE(row.lyrics.substr(0, 40));
        if (!row.bytes.empty()) {
            EXPECT_EQ(bytes, row.bytes);
        } else {
            EXPECT_EQ(bytes.size(), row.size);
            EXPECT_TRUE(bytes.starts_with(kMark));
        }
        EXPECT_LE(bytes.size(), limit);
        EXPECT_TRUE(bytes.size() <= 3 || bytes.ends_with("\r\n"));
        EXPECT_TRUE(IsWellFormedUtf8(bytes));
    }
}

TEST(OnlineLyricsFile, FileIsNamedAfterTheTitleAndShows) {
    struct Row {
        std::string title;
        std::string name;
        std::string lyrics;
        std::string shown;  // UTF-8
    };
    const Row rows[] = {
        {"Rain", "Rain.lrc", "[00:01.00]la\n[00:02.00]夏の雨\n", "la\r\n夏の雨"},
        {"a/b:c?", "a／b：c？.lrc", "one\n\ntwo", "one\r\n\r\ntwo"},
        {"..\\..\\x", "..￥..￥x.lrc", "la", "la"},
        {"CON", "CON_.lrc", "la", "la"},
        {"表", "表.lrc", "ｱｲ", "ｱｲ"},  // 表 ends in 0x5C: one character, no separator
    };
    for (const Row& row : rows) {
        const std::string name = OnlineLyricsFileName(Ansi(row.title));
        EXPECT_EQ(name, Ansi(row.name)) << row.title;
        EXPECT_EQ(ShownText("C:\\Lyrics\\" + name, OnlineLyricsFileBytes(row.lyrics)),
                  Ansi(row.shown))
            << row.title;
    }
    // The longest file still shows, and in full characters.
    const std::string longest =
        OnlineLyricsFileBytes(std::string(40000, 'x') + "\n" + std::string(40000, 'y'));
    EXPECT_EQ(ShownText("C:\\L\\x.lrc", longest), std::string(40000, 'x'));
}

}  // namespace
}  // namespace vesk
