#include "lyrics/TextDecoding.h"

#include <gtest/gtest.h>

#include "LyricsTestSupport.h"
#include "TestText.h"
#include "common/TextPlatform.h"

namespace vesk {
namespace {

using test::Ansi;
using namespace std::string_literals;

std::string Utf16(std::u16string_view text, bool bigEndian) {
    return test::Utf16File(text, bigEndian);
}

TEST(TextDecoding, EncodingsAreToldApartAndReadInTheCodePage) {
    struct Row {
        const char* what;
        std::string bytes;
        TextEncoding encoding;
        std::string ansi;  // as the current platform converts it
        bool exact;
    };
    const Row rows[] = {
        {"Shift_JIS, byte for byte", Ansi("夏の雨\r\n窓"), TextEncoding::kAnsi,
         Ansi("夏の雨\r\n窓"), true},
        {"ASCII alone", "Rain\r\n", TextEncoding::kAnsi, "Rain\r\n", true},
        {"empty", "", TextEncoding::kAnsi, "", true},
        {"Shift_JIS valid as UTF-8 only in its ASCII", Ansi("Rain 雨 - ソ表"), TextEncoding::kAnsi,
         Ansi("Rain 雨 - ソ表"), true},
        {"invalid bytes stay as they are", "\x81\x7F\xFF\x80", TextEncoding::kAnsi,
         "\x81\x7F\xFF\x80", true},
        {"half-width katakana pairs that look like UTF-8", "\xC3\xBD\xC3\xA9", TextEncoding::kAnsi,
         "\xC3\xBD\xC3\xA9", true},
        {"UTF-8 with a mark", "\xEF\xBB\xBF夏の雨\r\n", TextEncoding::kUtf8, Ansi("夏の雨\r\n"),
         true},
        {"UTF-8 without a mark", "星の歌", TextEncoding::kUtf8, Ansi("星の歌"), true},
        {"two-byte UTF-8 alone, no mark", "voil\xC3\xA0", TextEncoding::kAnsi, "voil\xC3\xA0",
         true},
        {"a cut double-byte character", "\"\xC6\x9B\",0,0", TextEncoding::kAnsi, "\"\xC6\x9B\",0,0",
         true},
        {"two-byte UTF-8 with a mark", "\xEF\xBB\xBFvoil\xC3\xA0", TextEncoding::kUtf8,
         CurrentTextPlatform().FromUtf8("voil\xC3\xA0"), false},
        {"valid as both, so Shift_JIS", "\xE3\x81\x82`", TextEncoding::kAnsi, "\xE3\x81\x82`",
         true},
        {"UTF-8 titles in quotes, the last byte of each a Shift_JIS lead byte",
         "\"\xE3\x81\x82\",\"a\xE3\x81\x82\",0,0\r\n", TextEncoding::kUtf8,
         "\"" + Ansi("あ") + "\",\"a" + Ansi("あ") + "\",0,0\r\n", true},
        {"a cut character before anything but a quote is no Shift_JIS",
         "\"\xE3\x81\x82\",\"\xE3\x81\x82,\",0,0\r\n", TextEncoding::kUtf8,
         "\"" + Ansi("あ") + "\",\"" + Ansi("あ") + ",\",0,0\r\n", true},
        {"a character beyond the basic plane", "歌 ♪🎵", TextEncoding::kUtf8, Ansi("歌 ♪") + "??",
         false},
        {"an overlong form is no UTF-8", "\xC0\xAF\xE3\x81\x82", TextEncoding::kAnsi,
         "\xC0\xAF\xE3\x81\x82", true},
        {"a surrogate is no UTF-8", "\xED\xA0\x80\xE3\x81\x82", TextEncoding::kAnsi,
         "\xED\xA0\x80\xE3\x81\x82", true},
        {"what follows a NUL is not looked at", "歌\0\xFF"s, TextEncoding::kUtf8,
         Ansi("歌") + "\0?"s, false},
        {"a broken sequence after a UTF-8 mark",
         "\xEF\xBB\xBF\xE3\x81"
         "a",
         TextEncoding::kUtf8, "??a", false},
        {"UTF-16 little-endian", Utf16(u"夏の雨\r\n", false), TextEncoding::kUtf16Le,
         Ansi("夏の雨\r\n"), true},
        {"UTF-16 big-endian", Utf16(u"星の歌", true), TextEncoding::kUtf16Be, Ansi("星の歌"), true},
        {"UTF-16 beyond the basic plane", Utf16(u"歌🎵", false), TextEncoding::kUtf16Le,
         Ansi("歌") + "??", false},
        {"UTF-16 with half a unit at the end", Utf16(u"A", false) + "B", TextEncoding::kUtf16Le,
         "A?", false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(DetectTextEncoding(row.bytes), row.encoding) << row.what;
        const DecodedText decoded = DecodeText(row.bytes);
        EXPECT_EQ(decoded.encoding, row.encoding) << row.what;
        EXPECT_EQ(decoded.ansi, row.ansi) << row.what;
        EXPECT_EQ(decoded.exact, row.exact) << row.what;
    }
}

}  // namespace
}  // namespace vesk
