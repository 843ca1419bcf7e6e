// "Assign lyrics to this title" in the built Vesk.exe: the tray command opens the assignment
// dialog for the playing song, the test works the dialog from outside as a user would, and
// checks Vesk.csv and what the lyrics window shows. Arguments: Vesk.exe, fake_player.exe,
// close_window.exe.

#include <windows.h>

#include <dlgs.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "ScreenCapture.h"
#include "TestText.h"
#include "app/win32/LyricsPictures.h"
#include "app/win32/TrayMenus.h"
#include "app/win32/VeskDriver.h"
#include "editing/win32/FileSelectFormRes.h"
#include "title/win32/FakePlayerProcess.h"

namespace vesk {
namespace {

using test::Ansi;
using test::ControlText;
using test::ExpectShows;
using test::PumpUntil;
using test::ScreenPicture;
using test::SetControlText;

void Post(HWND window, UINT message, WPARAM wParam) {
    const LPARAM keyState = message == WM_KEYUP ? 0xC0000001 : 1;
    PostMessageA(window, message, wParam, message == WM_COMMAND ? 0 : keyState);
}

// The first visible dialog (#32770) of Vesk whose caption is (or, named false, is not) the
// assignment dialog's; waits for it.
HWND WaitDialog(const test::VeskProcess& vesk, bool named = true) {
    HWND found = nullptr;
    PumpUntil(
        [&] {
            for (HWND window : test::WindowsOfClass("#32770")) {
                if (test::ProcessOf(window) == vesk.Id() && IsWindowVisible(window) &&
                    (test::CaptionOf(window) == Ansi("歌詞ファイル割り当て")) == named) {
                    found = window;
                }
            }
            return found != nullptr;
        },
        20000);
    return found;
}

HWND Open(const test::VeskProcess& vesk) {
    Post(vesk.MainForm(), WM_COMMAND, mitThisLyric);
    return WaitDialog(vesk);
}

void End(HWND dialog, int button) {
    Post(dialog, WM_COMMAND, button);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(dialog); }, 10000));
}

// The arrow key on a number field until it shows the number.
void Arrow(HWND dialog, int field, UINT key, int presses, const std::string& number) {
    for (int i = 0; i < presses; ++i) {
        Post(GetDlgItem(dialog, field), WM_KEYDOWN, key);
        Post(GetDlgItem(dialog, field), WM_KEYUP, key);
    }
    EXPECT_TRUE(PumpUntil([&] { return ControlText(dialog, field) == number; }));
}

// The list as Vesk writes it once the dialog has gone.
void ExpectList(const test::ProgramFolder& folder, const std::string& list) {
    PumpUntil([&] { return folder.Read("Vesk.csv") == list; }, 5000);
    EXPECT_EQ(folder.Read("Vesk.csv"), list);
}

TEST(AssignFromTray, StoresTheEntryOfTheTitleTheDialogEndsWithAndShowsThePlayingSong) {
    const test::ProgramFolder folder;
    const std::string rain =
        folder.Write("rain.txt", "前奏\r\n雨の音が\r\n窓をたたく\r\n夜が明ける\r\n後奏\r\n");
    const std::string star = folder.Write("star.txt", "星がひとつ\r\n夜空に光る\r\n");
    auto entry = [](const char* utf8Title, const std::string& path, const char* range) {
        return "\"" + Ansi(utf8Title) + "\",\"" + path + "\"," + range + "\r\n";
    };
    folder.Write("Vesk.csv", test::Utf8(entry("星の歌", star, "0,0")));
    folder.Write("Vesk.ini", std::string("[TitleGet]\r\nGetClassName=VeskE2E.Assign\r\nTopCut=0\r\n"
                                         "Delimiters=-\r\nCheckTime=100\r\n[LyricsForm]\r\n") +
                                 test::kLyricsWindowKeys +
                                 "FormClientPos.X=40\r\nFormClientPos.Y=560\r\n");
    test::FakePlayerProcess player(test::FakePlayerProgram(), "VeskE2E.Assign",
                                   Ansi("夏の雨 - 青空"));
    ASSERT_TRUE(player.Started());
    // Every picture first: the dialog stays above all windows, the reference one included.
    test::ReferenceLyrics& reference = test::ReferenceLyrics::Instance();
    const ScreenPicture rain2to4 = reference.Show("雨の音が\r\n窓をたたく\r\n夜が明ける");
    const ScreenPicture rain1to4 = reference.Show("前奏\r\n雨の音が\r\n窓をたたく\r\n夜が明ける");
    const ScreenPicture starWhole = reference.Show("星がひとつ\r\n夜空に光る");

    test::VeskProcess vesk(folder.Program());
    ASSERT_TRUE(vesk.WaitReady());
    const HWND lyrics = vesk.LyricsWindow();

    // A song without entry: a file chosen in the file-open dialog, lines 2 to 4, OK.
    HWND dialog = Open(vesk);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ControlText(dialog, IDC_FS_TITLE) + "|" + ControlText(dialog, IDC_FS_FILE),
              Ansi("夏の雨|"));
    Post(dialog, WM_COMMAND, IDC_FS_FILE_OPEN);
    const HWND open = WaitDialog(vesk, false);
    ASSERT_NE(open, nullptr);
    // The file name box: a combo box in the explorer style, an edit in the old one.
    SetControlText(open, GetDlgItem(open, cmb13) != nullptr ? cmb13 : edt1, rain);
    Post(open, WM_COMMAND, IDOK);
    EXPECT_TRUE(PumpUntil([&] { return ControlText(dialog, IDC_FS_FILE) == rain; }, 20000));
    Arrow(dialog, IDC_FS_START_LINE, VK_UP, 2, "2");
    Arrow(dialog, IDC_FS_END_LINE, VK_UP, 4, "4");
    EXPECT_EQ(ControlText(dialog, IDC_FS_PREVIEW),
              Ansi("  2|雨の音が\r\n  3|窓をたたく\r\n  4|夜が明ける\r\n"));
    End(dialog, IDOK);
    ExpectList(folder, entry("星の歌", star, "0,0") + entry("夏の雨", rain, "2,4"));
    ExpectShows(lyrics, rain2to4, "rain_2_to_4");

    // The title edited to another song's: that entry changes, the song's own stays, and the
    // window goes on showing the song.
    dialog = Open(vesk);
    ASSERT_NE(dialog, nullptr);
    SetControlText(dialog, IDC_FS_TITLE, Ansi("星の歌"));
    Arrow(dialog, IDC_FS_START_LINE, VK_DOWN, 1, "1");
    End(dialog, IDOK);
    const std::string edited = entry("星の歌", rain, "1,4") + entry("夏の雨", rain, "2,4");
    ExpectList(folder, edited);
    ExpectShows(lyrics, rain2to4, "rain_still");

    // Cancel changes nothing.
    dialog = Open(vesk);
    SetControlText(dialog, IDC_FS_FILE, star);
    End(dialog, IDCANCEL);
    test::Pump(300);  // time for a save that must not come
    EXPECT_EQ(folder.Read("Vesk.csv"), edited);

    // The song changes while the dialog is open: the window follows it, and OK stores the
    // dialog's title without changing what the window shows.
    dialog = Open(vesk);
    ASSERT_TRUE(player.SetCaption("星の歌 - 青空"));
    ExpectShows(lyrics, rain1to4, "song_changed");
    SetControlText(dialog, IDC_FS_FILE, star);
    End(dialog, IDOK);
    const std::string last = entry("星の歌", rain, "1,4") + entry("夏の雨", star, "2,4");
    ExpectList(folder, last);
    ExpectShows(lyrics, rain1to4, "song_changed_after_ok");
    ASSERT_TRUE(player.SetCaption("夏の雨 - 青空"));
    ExpectShows(lyrics, starWhole, "star_file_for_rain");

    // The program ends while the dialog is open: the dialog ends as cancelled first.
    dialog = Open(vesk);
    SetControlText(dialog, IDC_FS_FILE, rain);
    EXPECT_EQ(vesk.Exit(), std::optional<DWORD>(0));
    EXPECT_EQ(folder.Read("Vesk.csv"), last);
}

}  // namespace
}  // namespace vesk
