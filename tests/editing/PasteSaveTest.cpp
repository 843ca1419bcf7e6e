#include "editing/untPasteSave.h"

#include <gtest/gtest.h>

#include "MemoryFileSystem.h"
#include "TestFolder.h"
#include "TestText.h"
#include "common/FileSystem.h"

namespace vesk {
namespace {

using test::Ansi;

TEST(SafeFileName, ReplacesForbiddenCharactersByFullWidthForms) {
    struct Row {
        std::string title;
        std::string name;
    };
    const Row rows[] = {
        {"Rain/Sun: Live?", Ansi("Rain／Sun： Live？")},
        {"a\\b,c;d*e<f>g|h\"i", Ansi("a￥b，c；d＊e＜f＞g｜h”i")},
        {"", ""},
        {"Summer Rain", "Summer Rain"},
        {" spaced . ", " spaced . "},      // no trimming
        {Ansi("表示"), Ansi("表示")},      // 表 ends in 0x5C: part of the character
        {Ansi("ポップ"), Ansi("ポップ")},  // ポ ends in 0x7C
        {Ansi("夏の雨/青空"), Ansi("夏の雨／青空")},
        {std::string(300, 'x'), std::string(300, 'x')},  // no length limit
        // Control characters would make the name unusable.
        {"Rain\tSun\x01", "Rain_Sun_"},
        // Reserved device names become names of real files.
        {"CON", "CON_"},
        {"con", "con_"},
        {"Nul.mp3", "Nul_.mp3"},
        {"COM1", "COM1_"},
        {"lpt9", "lpt9_"},
        {"AUX ", "AUX_ "},
        {"CONSOLE", "CONSOLE"},
        {"COM10", "COM10"},
        {"Icon", "Icon"},
        {"PRN: Live", Ansi("PRN： Live")},
        // A title cut in the middle of a character: its lone lead byte is dropped.
        {Ansi("曲名").substr(0, 3), Ansi("曲")},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(TPasteSave::SafeFileName(row.title), row.name) << test::Utf8(row.title);
    }
    EXPECT_EQ(TPasteSave::PathOf("C:\\Lyrics\\", ""), "C:\\Lyrics\\.txt");
    EXPECT_EQ(TPasteSave::PathOf("C:\\Lyrics\\", "a/b"), Ansi("C:\\Lyrics\\a／b.txt"));
    EXPECT_EQ(TPasteSave::PathOf("C:\\", Ansi("名").substr(0, 1)), "C:\\.txt");
}

TEST(PasteSave, FileContentEndsEveryLineWithCrLf) {
    struct Row {
        std::string clipboard;
        std::string file;
    };
    const Row rows[] = {
        {"", ""},
        {"one", "one\r\n"},
        {"one\ntwo\n", "one\r\ntwo\r\n"},
        {"one\rtwo", "one\r\ntwo\r\n"},
        {"one\r\ntwo\r\n", "one\r\ntwo\r\n"},
        {"one\n\ntwo", "one\r\n\r\ntwo\r\n"},
        {"\n", "\r\n"},
        {"one\n\r", "one\r\n\r\n"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(TPasteSave::FileContent(row.clipboard), row.file);
    }
}

TEST(PasteSave, ConfirmationShowsPathAndExcerpt) {
    const std::string rule(36, '-');
    const std::string text(300, 'a');
    EXPECT_EQ(TPasteSave::ConfirmationText("C:\\L\\x.txt", text),
              "\"C:\\L\\x.txt" + Ansi("\" として") + "\r" + rule + "\r" + std::string(100, 'a') +
                  Ansi("……") + "\r" + rule + "\r" + Ansi("を保存します．"));
    EXPECT_EQ(TPasteSave::ConfirmationText("p", "a\r\nb"),
              "\"p" + Ansi("\" として") + "\r" + rule + "\ra\r\nb" + Ansi("……") + "\r" + rule +
                  "\r" + Ansi("を保存します．"));
}

TEST(PasteSave, ConfirmationExcerptEndsOnAWholeCharacter) {
    const std::string rule(36, '-');
    const std::string a = Ansi("あ");
    std::string fifty;
    for (int i = 0; i < 50; ++i) {
        fifty += a;
    }
    const struct {
        std::string clipboard;
        std::string excerpt;
    } rows[] = {
        {std::string(100, 'a'), std::string(100, 'a')},
        {std::string(98, 'a') + a + "b", std::string(98, 'a') + a},
        {std::string(99, 'a') + a, std::string(99, 'a')},
        {"x" + fifty, "x" + fifty.substr(0, 98)},
        {"ab\x82", "ab"},  // a lead byte without its second byte
        {"", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(TPasteSave::ConfirmationText("p", row.clipboard),
                  "\"p" + Ansi("\" として") + "\r" + rule + "\r" + row.excerpt + Ansi("……") + "\r" +
                      rule + "\r" + Ansi("を保存します．"))
            << test::Utf8(row.clipboard);
    }
}

class FakeUi : public PasteUi {
public:
    bool hasText = true;
    std::optional<std::string> text = "";
    bool answer = true;
    mutable std::vector<std::pair<std::string, std::string>> shown;
    mutable std::vector<std::string> asked;

    bool ClipboardHasText() const override { return hasText; }
    std::optional<std::string> ClipboardText() const override { return text; }
    void ShowMessage(const std::string& message, const std::string& caption) const override {
        shown.emplace_back(message, caption);
    }
    bool Confirm(const std::string& message, const std::string&) const override {
        asked.push_back(message);
        return answer;
    }
};

TEST(PasteSave, ExecuteSavesOnlyWhatTheUserConfirms) {
    test::TestFolder folder;
    FakeUi ui;
    const TPasteSave paste(ui);
    const std::string path = folder / "Rain.txt";

    ui.hasText = false;
    EXPECT_FALSE(paste.Execute(folder.Path(), "Rain"));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].first, Ansi("貼り付けられる形式じゃありません"));
    EXPECT_EQ(ui.shown[0].second, Ansi("貼り付け割り当て"));
    EXPECT_TRUE(ui.asked.empty());
    EXPECT_EQ(CurrentFileSystem().KindOf(path), FileSystem::Kind::Missing);

    ui.hasText = true;
    ui.text = "la\nla";
    ui.answer = false;
    EXPECT_FALSE(paste.Execute(folder.Path(), "Rain"));
    EXPECT_EQ(ui.asked.size(), 1u);
    EXPECT_EQ(CurrentFileSystem().KindOf(path), FileSystem::Kind::Missing);

    ui.answer = true;
    EXPECT_TRUE(paste.Execute(folder.Path(), "Rain"));
    EXPECT_EQ(CurrentFileSystem().ReadFile(path), "la\r\nla\r\n");

    ui.text = "";  // an empty text is a 0-byte file, replacing the old one
    EXPECT_TRUE(paste.Execute(folder.Path(), "Rain"));
    EXPECT_EQ(CurrentFileSystem().ReadFile(path), "");

    // Text offered but not readable (another program holds the clipboard): the old file
    // stays, and the user hears that there is nothing to paste.
    ASSERT_TRUE(CurrentFileSystem().ReplaceFile(path, "old words\r\n"));
    ui.text = std::nullopt;
    ui.shown.clear();
    ui.asked.clear();
    EXPECT_FALSE(paste.Execute(folder.Path(), "Rain"));
    EXPECT_TRUE(ui.asked.empty());
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].first, Ansi("貼り付けられる形式じゃありません"));
    EXPECT_EQ(CurrentFileSystem().ReadFile(path), "old words\r\n");

    // A folder that does not exist: no file, false, and the user is told where.
    ui.text = "words";
    ui.shown.clear();
    EXPECT_FALSE(paste.Execute(folder / "missing/", "Rain"));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].first, Ansi("歌詞を保存できません：") + folder / "missing/Rain.txt");
    EXPECT_EQ(ui.shown[0].second, Ansi("貼り付け割り当て"));
}

TEST(PasteSave, ExecuteReportsAFailedWrite) {
    test::MemoryFileSystem failing;
    failing.failWrites = true;
    ScopedFileSystem scoped(failing);
    FakeUi ui;
    ui.text = "words";
    EXPECT_FALSE(TPasteSave(ui).Execute("C:\\", "Rain"));
}

}  // namespace
}  // namespace vesk
