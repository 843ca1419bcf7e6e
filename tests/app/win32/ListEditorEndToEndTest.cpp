// The lyrics list editor in the built Vesk.exe: the tray command opens it on the list, OK
// stores the rows in Vesk.csv and the lyrics window follows, Cancel and the program's exit
// store nothing, and the command ends an open assignment dialog first. Arguments: Vesk.exe,
// fake_player.exe, close_window.exe.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "TestText.h"
#include "app/win32/LyricsPictures.h"
#include "app/win32/TrayMenus.h"
#include "app/win32/VeskDriver.h"
#include "editing/win32/FileSelectFormRes.h"
#include "editing/win32/LyricsListFormRes.h"
#include "title/win32/FakePlayerProcess.h"

namespace vesk {
namespace {

using test::Ansi;
using test::PumpUntil;

void Command(HWND window, int id) {
    PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(id), 0);
}

// Vesk's visible dialog with this caption (UTF-8), once it shows; nullptr when it does not.
HWND WaitDialog(const test::VeskProcess& vesk, const char* caption) {
    HWND found = nullptr;
    PumpUntil(
        [&] {
            for (HWND window : test::WindowsOfClass("#32770")) {
                if (test::ProcessOf(window) == vesk.Id() && IsWindowVisible(window) &&
                    test::CaptionOf(window) == Ansi(caption)) {
                    found = window;
                }
            }
            return found != nullptr;
        },
        20000);
    return found;
}

HWND OpenEditor(const test::VeskProcess& vesk) {
    Command(vesk.MainForm(), mitEditList);
    return WaitDialog(vesk, "歌詞リスト");
}

void Close(HWND editor, int button) {
    Command(editor, button);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(editor); }, 10000));
}

TEST(ListEditorFromTray, OkStoresTheRowsAndTheLyricsWindowFollowsCancelAndExitStoreNothing) {
    const test::ProgramFolder folder;
    const std::string rain = folder.Write("rain.txt", "雨の音が\r\n窓をたたく\r\n");
    const std::string gone = folder / "gone.txt";
    // Written by hand, not as Vesk writes it: any save would change the bytes.
    const std::string list = "\"" + Ansi("夏の雨") + "\",\"" + gone + "\", 0, 0\n\"" +
                             Ansi("夏の雨") + "\",\"" + rain + "\",0,0\n";
    ASSERT_TRUE(CurrentFileSystem().ReplaceFile(folder.List(), list));
    folder.Write("Vesk.ini", std::string("[TitleGet]\r\nGetClassName=VeskE2E.Editor\r\nTopCut=0\r\n"
                                         "Delimiters=-\r\nCheckTime=100\r\n[LyricsForm]\r\n") +
                                 test::kLyricsWindowKeys +
                                 "FormClientPos.X=40\r\nFormClientPos.Y=560\r\n");
    test::FakePlayerProcess player(test::FakePlayerProgram(), "VeskE2E.Editor",
                                   Ansi("夏の雨 - 青空"));
    ASSERT_TRUE(player.Started());
    test::ReferenceLyrics& reference = test::ReferenceLyrics::Instance();
    const test::ScreenPicture notFound = reference.Show("■File Not Found：" + gone);
    const test::ScreenPicture rainWhole = reference.Show("雨の音が\r\n窓をたたく");

    test::VeskProcess vesk(folder.Program());
    ASSERT_TRUE(vesk.WaitReady());
    const HWND lyrics = vesk.LyricsWindow();
    test::ExpectShows(lyrics, notFound, "editor_before");

    // The row of the missing file removed, then Cancel: the file stays byte for byte.
    HWND editor = OpenEditor(vesk);
    ASSERT_NE(editor, nullptr);
    Command(editor, IDC_LL_FILE_NOT_EXISTS_DELETE);
    Close(editor, IDCANCEL);
    test::Pump(300);  // time for a save that must not come
    EXPECT_EQ(folder.Read("Vesk.csv"), list);

    // The same with OK: the list is saved, and the window shows the song's lyrics at once.
    editor = OpenEditor(vesk);
    ASSERT_NE(editor, nullptr);
    Command(editor, IDC_LL_FILE_NOT_EXISTS_DELETE);
    Close(editor, IDOK);
    const std::string saved = "\"" + Ansi("夏の雨") + "\",\"" + rain + "\",0,0\r\n";
    PumpUntil([&] { return folder.Read("Vesk.csv") == saved; }, 5000);
    EXPECT_EQ(folder.Read("Vesk.csv"), saved);
    test::ExpectShows(lyrics, rainWhole, "editor_ok");

    // A new row through the assignment dialog, which the editor opens over itself.
    editor = OpenEditor(vesk);
    ASSERT_NE(editor, nullptr);
    Command(editor, IDC_LL_NEW);
    HWND assignment = WaitDialog(vesk, "歌詞ファイル割り当て");
    ASSERT_NE(assignment, nullptr);
    EXPECT_FALSE(IsWindowEnabled(editor));
    const std::string star = Ansi("星");
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(GetDlgItem(assignment, IDC_FS_TITLE), WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>(star.c_str()), SMTO_NORMAL, 5000, &ignored);
    Close(assignment, IDOK);
    EXPECT_TRUE(PumpUntil([&] { return IsWindowEnabled(editor) != FALSE; }));
    Close(editor, IDOK);
    const std::string withStar = saved + "\"" + star + "\",\"\",0,0\r\n";
    PumpUntil([&] { return folder.Read("Vesk.csv") == withStar; }, 5000);
    EXPECT_EQ(folder.Read("Vesk.csv"), withStar);

    // The command while the assignment dialog is open ends that dialog first.
    Command(vesk.MainForm(), mitThisLyric);
    assignment = WaitDialog(vesk, "歌詞ファイル割り当て");
    ASSERT_NE(assignment, nullptr);
    editor = OpenEditor(vesk);
    EXPECT_NE(editor, nullptr);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(assignment); }, 10000));

    // The program ends with the editor open, its rows changed: nothing of them is stored.
    Command(editor, IDC_LL_ALL_DELETE);
    EXPECT_EQ(vesk.Exit(), std::optional<DWORD>(0));
    EXPECT_EQ(folder.Read("Vesk.csv"), withStar);
}

}  // namespace
}  // namespace vesk
