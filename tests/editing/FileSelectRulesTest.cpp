#include "editing/FileSelectRules.h"

#include <gtest/gtest.h>

#include "MemoryFileSystem.h"
#include "TestText.h"
#include "common/FileSystem.h"

namespace vesk {
namespace {

using test::Ansi;

std::string Lines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) {
        text += "line " + std::to_string(i) + "\r\n";
    }
    return text;
}

TEST(PreviewText, NumbersTheLinesOfTheRangeOrOfTheWholeFile) {
    test::MemoryFileSystem files;
    files.files["three.txt"] = Ansi("一行目\r\n  二行目  \r\n三行目\r\n");
    files.files["long.txt"] = Lines(1200);
    files.files["max.txt"] = std::string(65533, 'x') + "\r\n";
    files.files["over.txt"] = std::string(65534, 'x') + "\r\n";
    files.files["cr.txt"] = "a\rb\r";
    files.files["lf.txt"] = "a\nb\n\nc";
    files.files["unsized.txt"] = "one\r\n";
    files.sizes["unsized.txt"] = std::nullopt;
    files.files["grown.txt"] = std::string(70000, 'x');
    files.sizes["grown.txt"] = 10;
    files.files["held.txt"] = "x";
    files.unreadable.insert("held.txt");
    files.folders.insert("folder");
    files.devices.insert("CON");
    const ScopedFileSystem scope(files);

    const std::string three = Ansi("  1|一行目\r\n  2|  二行目  \r\n  3|三行目\r\n");
    const std::string tooLarge = Ansi("ファイルサイズが大きすぎます");
    const std::string notRead = Ansi("未読み込み");
    struct Row {
        std::string path;
        std::int32_t start;
        std::int32_t end;
        std::string preview;
    };
    const Row rows[] = {
        {"", 0, 0, notRead},
        {"missing.txt", 0, 0, notRead},
        {"folder", 0, 0, notRead},
        {"CON", 0, 0, notRead},  // a device is never opened
        {"held.txt", 0, 0, notRead},
        {"three.txt", 0, 0, three},
        {"three.txt", 2, 3, Ansi("  2|  二行目  \r\n  3|三行目\r\n")},  // nothing trimmed
        {"three.txt", 2, 5, three},
        {"three.txt", 3, 2, three},
        {"three.txt", -1, 2, three},
        {"three.txt", 1, 1, Ansi("  1|一行目\r\n")},
        {"long.txt", 9, 10, "  9|line 9\r\n 10|line 10\r\n"},
        {"long.txt", 999, 1000, "999|line 999\r\n1000|line 1000\r\n"},
        {"long.txt", 1200, 1200, "1200|line 1200\r\n"},
        {"max.txt", 0, 0, "  1|" + std::string(65533, 'x') + "\r\n"},
        {"over.txt", 0, 0, tooLarge},
        {"cr.txt", 0, 0, "  1|a\r\n  2|b\r\n"},
        {"lf.txt", 0, 0, "  1|a\r\n  2|b\r\n  3|\r\n  4|c\r\n"},
        {"unsized.txt", 0, 0, "  1|one\r\n"},
        {"grown.txt", 0, 0, tooLarge},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(PreviewText(row.path, row.start, row.end), row.preview)
            << row.path << " " << row.start << ".." << row.end;
    }
    files.throwOnRead = true;
    EXPECT_EQ(PreviewText("three.txt", 0, 0), notRead);
}

TEST(LineFieldPosition, ShowsNumbersOutsideTheFieldAtItsNearerEnd) {
    const std::int32_t rows[][2] = {
        {0, 0},  {1, 1},        {3000, 3000},   {3001, 3000},
        {-1, 0}, {70000, 3000}, {INT32_MIN, 0}, {INT32_MAX, 3000},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(LineFieldPosition(row[0]), row[1]) << row[0];
    }
}

}  // namespace
}  // namespace vesk
