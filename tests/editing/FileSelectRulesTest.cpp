#include "editing/FileSelectRules.h"

#include <gtest/gtest.h>

#include "MemoryFileSystem.h"
#include "TestText.h"
#include "common/FileSystem.h"

namespace vesk {
namespace {

using test::Ansi;

TEST(PreviewText, NumbersTheLinesOfTheRangeOrOfTheWholeFile) {
    test::MemoryFileSystem files;
    files.files["three.txt"] = Ansi("一行目\r\n  二行目  \r\n三行目\r\n");
    for (int i = 1; i <= 1000; ++i) {
        files.files["long.txt"] += "line " + std::to_string(i) + "\r\n";
    }
    files.files["max.txt"] = std::string(65533, 'x') + "\r\n";
    files.files["over.txt"] = std::string(65534, 'x') + "\r\n";
    files.files["cr.txt"] = "a\rb\r";
    files.files["lf.txt"] = "a\nb\n\nc";
    files.files["grown.txt"] = std::string(70000, 'x');  // larger than its size said
    files.sizes["grown.txt"] = 10;
    files.folders.insert("folder");
    files.devices.insert("CON");
    // As the lyrics window shows them: UTF-8 in the code page, an LRC file without its tags
    // and header lines, numbered as the file's lines.
    files.files["utf8.txt"] = "\xEF\xBB\xBF一行目\r\n二行目";
    files.files["song.lrc"] = "[ti:題]\r\n[00:01.00]一\r\n[00:02.00]\r\n[00:03.00]三\r\n";
    const ScopedFileSystem scope(files);

    const std::string three = Ansi("  1|一行目\r\n  2|  二行目  \r\n  3|三行目\r\n");
    const std::string tooLarge = Ansi("ファイルサイズが大きすぎます");
    const std::string notRead = Ansi("未読み込み");
    struct Row {
        std::string path;
        std::int32_t start;
        std::int32_t end;
        std::string preview;
    } const rows[] = {
        {"", 0, 0, notRead},
        {"missing.txt", 0, 0, notRead},
        {"folder", 0, 0, notRead},
        {"CON", 0, 0, notRead},  // a device is never opened
        {"three.txt", 0, 0, three},
        {"three.txt", 2, 3, Ansi("  2|  二行目  \r\n  3|三行目\r\n")},  // nothing trimmed
        {"three.txt", 2, 5, three},
        {"long.txt", 999, 1000, "999|line 999\r\n1000|line 1000\r\n"},
        {"max.txt", 0, 0, "  1|" + std::string(65533, 'x') + "\r\n"},
        {"over.txt", 0, 0, tooLarge},
        {"grown.txt", 0, 0, tooLarge},
        {"cr.txt", 0, 0, "  1|a\r\n  2|b\r\n"},
        {"lf.txt", 0, 0, "  1|a\r\n  2|b\r\n  3|\r\n  4|c\r\n"},
        {"utf8.txt", 0, 0, Ansi("  1|一行目\r\n  2|二行目\r\n")},
        {"song.lrc", 0, 0, Ansi("  2|一\r\n  3|\r\n  4|三\r\n")},
        {"song.lrc", 1, 2, Ansi("  2|一\r\n")},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(PreviewText(row.path, row.start, row.end), row.preview)
            << row.path << " " << row.start << ".." << row.end;
    }
}

TEST(LineFieldPosition, ShowsNumbersOutsideTheFieldAtItsNearerEnd) {
    const std::int32_t rows[][2] = {{0, 0}, {3000, 3000}, {3001, 3000}, {-1, 0}, {INT32_MAX, 3000}};
    for (const auto& row : rows) {
        EXPECT_EQ(LineFieldPosition(row[0]), row[1]) << row[0];
    }
}

}  // namespace
}  // namespace vesk
