// Vesk.csv and Vesk.ini edited by another program while the built Vesk.exe runs: what the
// other program wrote is shown at once and never lost, whatever Vesk saves meanwhile.
// Arguments: Vesk.exe, fake_player.exe, close_window.exe.

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "TestText.h"
#include "app/win32/LyricsPictures.h"
#include "app/win32/TrayMenus.h"
#include "app/win32/VeskDriver.h"
#include "common/FileSystem.h"
#include "editing/win32/FileSelectFormRes.h"
#include "settings/win32/SettingFormRes.h"
#include "title/win32/FakePlayerProcess.h"

namespace vesk {
namespace {

using test::Ansi;
using test::PumpUntil;

constexpr char kPlayerClass[] = "VeskE2E.Outside";

void Command(HWND window, int id) {
    PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(id), 0);
}

// A program folder with a list, a lyrics file per song and the player playing 夏の雨.
class Outside : public testing::Test {
protected:
    Outside() {
        folder.Write("Vesk.ini",
                     std::string("[TitleGet]\r\nGetClassName=") + kPlayerClass +
                         "\r\nTopCut=0\r\nDelimiters=-\r\nCheckTime=100\r\n[LyricsForm]\r\n" +
                         test::kLyricsWindowKeys + "FormClientPos.X=40\r\nFormClientPos.Y=560\r\n");
        WriteList(Entry("星の歌", star));
    }

    std::string Entry(const char* utf8Title, const std::string& path) const {
        return "\"" + Ansi(utf8Title) + "\",\"" + path + "\",0,0\r\n";
    }
    // The other program replaces the list in one step, as editors and sync tools do.
    void WriteList(const std::string& bytes) const {
        ASSERT_TRUE(CurrentFileSystem().ReplaceFile(folder.List(), bytes));
    }
    void ExpectList(const std::string& bytes) const {
        PumpUntil([&] { return folder.Read("Vesk.csv") == bytes; }, 5000);
        EXPECT_EQ(folder.Read("Vesk.csv"), bytes);
    }
    HWND OpenAssignment() const {
        Command(vesk->MainForm(), mitThisLyric);
        return test::WaitVeskDialog(*vesk, Ansi("歌詞ファイル割り当て"));
    }
    void Start() {
        vesk.emplace(folder.Program());
        ASSERT_TRUE(vesk->WaitReady());
    }

    const test::ProgramFolder folder;
    const std::string rain = folder.Write("rain.txt", "雨の音が\r\n窓をたたく\r\n");
    const std::string star = folder.Write("star.txt", "星がひとつ\r\n");
    test::FakePlayerProcess player{test::FakePlayerProgram(), kPlayerClass, Ansi("夏の雨 - 青空")};
    std::optional<test::VeskProcess> vesk;
};

TEST_F(Outside, AnEntryAddedOutsideShowsAtOnceAndStaysAfterTheExit) {
    const test::ScreenPicture rainPicture =
        test::ReferenceLyrics::Instance().Show("雨の音が\r\n窓をたたく");
    Start();
    const std::string edited = Entry("星の歌", star) + Entry("夏の雨", rain);
    WriteList(edited);
    EXPECT_TRUE(PumpUntil(
        [&] { return test::SamePicture(test::PictureOf(vesk->LyricsWindow()), rainPicture); },
        2000))
        << "the playing song's new entry is not shown within 2 s";
    EXPECT_EQ(vesk->Exit(), std::optional<DWORD>(0));
    EXPECT_EQ(folder.Read("Vesk.csv"), edited);
}

// The assignment dialog's loop holds Vesk's own: no notice of the change is handled before
// the save, which reads the file again itself.
TEST_F(Outside, AnAssignmentOverAnOutsideEditKeepsBoth) {
    Start();
    const HWND dialog = OpenAssignment();
    ASSERT_NE(dialog, nullptr);
    const std::string moon = folder.Write("moon.txt", "月\r\n");
    WriteList(Entry("星の歌", star) + Entry("月の歌", moon));
    test::SetControlText(dialog, IDC_FS_FILE, rain);
    Command(dialog, IDOK);
    ExpectList(Entry("星の歌", star) + Entry("月の歌", moon) + Entry("夏の雨", rain));
    EXPECT_EQ(vesk->Exit(), std::optional<DWORD>(0));
}

TEST_F(Outside, TheExitAtOnceAfterAnOutsideEditKeepsEveryEntryWritten) {
    Start();
    const HWND dialog = OpenAssignment();
    ASSERT_NE(dialog, nullptr);
    // In a form of the other program's: the exit writes the same entries in Vesk's.
    WriteList("\"" + Ansi("星の歌") + "\",\"" + star + "\", 0, 0\n\"" + Ansi("夏の雨") + "\",\"" +
              rain + "\",1,2\n");
    EXPECT_EQ(vesk->Exit(), std::optional<DWORD>(0));
    EXPECT_EQ(folder.Read("Vesk.csv"),
              Entry("星の歌", star) + "\"" + Ansi("夏の雨") + "\",\"" + rain + "\",1,2\r\n");
}

TEST_F(Outside, TheEditorFilledBeforeAnOutsideEditAsksBeforeReplacingIt) {
    Start();
    Command(vesk->MainForm(), mitEditList);
    const HWND editor = test::WaitVeskDialog(*vesk, Ansi("歌詞リスト"));
    ASSERT_NE(editor, nullptr);
    const std::string edited = "\"" + Ansi("夏の雨") + "\",\"" + rain + "\",0,0\n";
    WriteList(edited);

    auto no = test::AnswerBox("Vesk", IDNO);
    Command(editor, IDOK);
    const test::BoxSeen asked = no.get();
    EXPECT_EQ(asked.text, Ansi("歌詞リストは他のプログラムで変更されています。上書きしますか？"));
    test::Pump(300);
    EXPECT_TRUE(IsWindowVisible(editor)) << "No keeps the editor open";
    EXPECT_EQ(folder.Read("Vesk.csv"), edited) << "No keeps the file byte for byte";

    auto yes = test::AnswerBox("Vesk", IDYES);
    Command(editor, IDOK);
    EXPECT_TRUE(yes.get().found);
    ExpectList(Entry("星の歌", star));
    EXPECT_EQ(vesk->Exit(), std::optional<DWORD>(0));
}

// Vesk writes single keys: a key it does not own, edited outside, survives the settings
// dialog's apply and the exit; the dialog shows what the file holds when it opens.
TEST_F(Outside, SettingsEditedOutsideAreShownAndKept) {
    Start();
    const std::string ini = folder.Read("Vesk.ini");
    const std::string classLine = std::string("GetClassName=") + kPlayerClass + "\r\n";
    std::string edited = ini;
    edited.replace(edited.find(classLine), classLine.size(),
                   std::string("GetClassName=") + kPlayerClass + "2\r\n");
    ASSERT_TRUE(CurrentFileSystem().ReplaceFile(folder.Ini(), edited + "[Other]\r\nKept=yes\r\n"));

    Command(vesk->MainForm(), mitSetting);
    const HWND dialog = test::WaitVeskDialog(*vesk, Ansi("Veskの設定"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(test::ControlText(dialog, IDC_LED_GETCLASSNAME), std::string(kPlayerClass) + "2");
    Command(dialog, IDOK);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(dialog); }, 10000));
    EXPECT_EQ(vesk->Exit(), std::optional<DWORD>(0));
    EXPECT_EQ(folder.IniValue("Other", "Kept"), "yes");
    EXPECT_EQ(folder.IniValue("TitleGet", "GetClassName"), std::string(kPlayerClass) + "2");
}

}  // namespace
}  // namespace vesk
