// "Assign lyrics to this title" in the built Vesk.exe: the tray command opens the assignment
// dialog for the playing song, the test works the dialog from outside as a user would, and
// checks Vesk.csv and what the lyrics window shows. Arguments: Vesk.exe, fake_player.exe,
// close_window.exe.

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

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
using test::ExpectShows;
using test::PumpUntil;
using test::ScreenPicture;

// The program's visible dialogs (#32770) whose caption is or is not the given one.
std::vector<HWND> Dialogs(const test::VeskProcess& vesk, const std::string& caption, bool named) {
    std::vector<HWND> found;
    for (HWND window : test::WindowsOfClass("#32770")) {
        if (test::ProcessOf(window) == vesk.Id() && IsWindowVisible(window) &&
            (test::CaptionOf(window) == caption) == named) {
            found.push_back(window);
        }
    }
    return found;
}

// A control's text in another process (WM_GETTEXT is carried across; GetWindowText is not).
std::string TextOf(HWND control) {
    char text[4096] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(control, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text),
                        SMTO_NORMAL, 5000, &ignored);
    return text;
}

void SetTextOf(HWND control, const std::string& text) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL,
                        5000, &ignored);
}

class AssignRun {
public:
    explicit AssignRun(test::VeskProcess& vesk) : vesk_(vesk) {}

    // The tray command; the dialog it opens.
    HWND Open() {
        PostMessageA(vesk_.MainForm(), WM_COMMAND, mitThisLyric, 0);
        HWND dialog = nullptr;
        EXPECT_TRUE(PumpUntil(
            [&] {
                const std::vector<HWND> open = Dialogs(vesk_, caption_, true);
                dialog = open.empty() ? nullptr : open.front();
                return dialog != nullptr;
            },
            10000))
            << "no assignment dialog";
        return dialog;
    }

    // Presses a button of the dialog and waits until the dialog is gone.
    void End(HWND dialog, int button) {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
        EXPECT_TRUE(PumpUntil([&] { return !IsWindow(dialog); }, 10000));
    }

    // The arrow key pressed on a number field, count times.
    void Arrow(HWND dialog, int field, UINT key, int count) {
        const HWND edit = GetDlgItem(dialog, field);
        const std::string before = TextOf(edit);
        for (int i = 0; i < count; ++i) {
            PostMessageA(edit, WM_KEYDOWN, key, 1);
            PostMessageA(edit, WM_KEYUP, key, 0xC0000001);
        }
        const int expected = std::stoi(before) + (key == VK_UP ? count : -count);
        EXPECT_TRUE(PumpUntil([&] { return TextOf(edit) == std::to_string(expected); }));
    }

    // The file chosen in the file-open dialog that "開く(&O)" opens.
    void ChooseFile(HWND dialog, const std::string& path) {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_FS_FILE_OPEN, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_FS_FILE_OPEN)));
        HWND open = nullptr;
        ASSERT_TRUE(PumpUntil(
            [&] {
                const std::vector<HWND> others = Dialogs(vesk_, caption_, false);
                open = others.empty() ? nullptr : others.front();
                return open != nullptr;
            },
            20000))
            << "no file-open dialog";
        // The file name box: a combo box in the explorer style, an edit in the old one.
        HWND name = GetDlgItem(open, 0x47C);  // cmb13
        if (name == nullptr) {
            name = GetDlgItem(open, 0x480);  // edt1
        }
        ASSERT_NE(name, nullptr);
        SetTextOf(name, path);
        PostMessageA(open, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        EXPECT_TRUE(
            PumpUntil([&] { return TextOf(GetDlgItem(dialog, IDC_FS_FILE)) == path; }, 20000));
    }

private:
    test::VeskProcess& vesk_;
    const std::string caption_ = Ansi("歌詞ファイル割り当て");
};

TEST(AssignFromTray, StoresTheEntryOfTheTitleTheDialogEndsWithAndShowsThePlayingSong) {
    const test::ProgramFolder folder;
    const std::string rain =
        folder.Write("rain.txt", "前奏\r\n雨の音が\r\n窓をたたく\r\n夜が明ける\r\n後奏\r\n");
    const std::string star = folder.Write("star.txt", "星がひとつ\r\n夜空に光る\r\n");
    const std::string starEntry = "\"" + Ansi("星の歌") + "\",\"" + star + "\",0,0\r\n";
    folder.Write("Vesk.csv", test::Utf8(starEntry));
    folder.Write("Vesk.ini", std::string("[TitleGet]\r\nGetClassName=VeskE2E.Assign\r\nTopCut=0\r\n"
                                         "Delimiters=-\r\nCheckTime=100\r\n[LyricsForm]\r\n") +
                                 test::kLyricsWindowKeys +
                                 "FormClientPos.X=40\r\nFormClientPos.Y=560\r\n");
    test::FakePlayerProcess player(test::FakePlayerProgram(), "VeskE2E.Assign",
                                   Ansi("夏の雨 - 青空"));
    ASSERT_TRUE(player.Started());
    // Every picture first: the dialog stays above all windows, the reference one included.
    test::ReferenceLyrics& reference = test::ReferenceLyrics::Instance();
    const ScreenPicture notFound = reference.Show("■Title Not Found：夏の雨");
    const ScreenPicture rain2to4 = reference.Show("雨の音が\r\n窓をたたく\r\n夜が明ける");
    const ScreenPicture rain1to4 = reference.Show("前奏\r\n雨の音が\r\n窓をたたく\r\n夜が明ける");
    const ScreenPicture starWhole = reference.Show("星がひとつ\r\n夜空に光る");

    test::VeskProcess vesk(folder.Program());
    ASSERT_TRUE(vesk.WaitReady());
    const HWND lyrics = vesk.LyricsWindow();
    ASSERT_NE(lyrics, nullptr);
    ExpectShows(lyrics, notFound, "not_found");
    AssignRun run(vesk);
    const std::string rainTitle = Ansi("夏の雨");
    const std::string rainEntry = "\"" + rainTitle + "\",\"" + rain;

    // A song without entry: a file chosen, lines 2 to 4, OK. A second command meanwhile
    // opens nothing.
    HWND dialog = run.Open();
    ASSERT_NE(dialog, nullptr);
    PostMessageA(vesk.MainForm(), WM_COMMAND, mitThisLyric, 0);
    test::Pump(500);
    EXPECT_EQ(Dialogs(vesk, test::CaptionOf(dialog), true).size(), 1u);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_FS_TITLE)), rainTitle);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_FS_FILE)), "");
    run.ChooseFile(dialog, rain);
    run.Arrow(dialog, IDC_FS_START_LINE, VK_UP, 2);
    run.Arrow(dialog, IDC_FS_END_LINE, VK_UP, 4);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_FS_PREVIEW)),
              Ansi("  2|雨の音が\r\n  3|窓をたたく\r\n  4|夜が明ける\r\n"));
    run.End(dialog, IDOK);
    EXPECT_EQ(folder.Read("Vesk.csv"), starEntry + rainEntry + "\",2,4\r\n");
    ExpectShows(lyrics, rain2to4, "rain_2_to_4");

    // The title edited to another song's: that entry changes, the song's own stays, and the
    // window goes on showing the song.
    dialog = run.Open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_FS_START_LINE)), "2");
    SetTextOf(GetDlgItem(dialog, IDC_FS_TITLE), Ansi("星の歌"));
    run.Arrow(dialog, IDC_FS_START_LINE, VK_DOWN, 1);
    run.End(dialog, IDOK);
    const std::string edited =
        "\"" + Ansi("星の歌") + "\",\"" + rain + "\",1,4\r\n" + rainEntry + "\",2,4\r\n";
    EXPECT_EQ(folder.Read("Vesk.csv"), edited);
    ExpectShows(lyrics, rain2to4, "rain_still");

    // Cancel changes nothing.
    dialog = run.Open();
    ASSERT_NE(dialog, nullptr);
    SetTextOf(GetDlgItem(dialog, IDC_FS_FILE), star);
    run.End(dialog, IDCANCEL);
    EXPECT_EQ(folder.Read("Vesk.csv"), edited);

    // The song changes while the dialog is open: the window follows it, and OK stores the
    // dialog's title without changing what the window shows.
    dialog = run.Open();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(player.SetCaption("星の歌 - 青空"));
    ExpectShows(lyrics, rain1to4, "song_changed");
    SetTextOf(GetDlgItem(dialog, IDC_FS_FILE), star);
    run.End(dialog, IDOK);
    EXPECT_EQ(folder.Read("Vesk.csv"), "\"" + Ansi("星の歌") + "\",\"" + rain + "\",1,4\r\n\"" +
                                           rainTitle + "\",\"" + star + "\",2,4\r\n");
    ExpectShows(lyrics, rain1to4, "song_changed_after_ok");
    ASSERT_TRUE(player.SetCaption("夏の雨 - 青空"));
    ExpectShows(lyrics, starWhole, "star_file_for_rain");
    const std::string last = folder.Read("Vesk.csv");

    // The program ends while the dialog is open: the dialog ends as cancelled first.
    dialog = run.Open();
    ASSERT_NE(dialog, nullptr);
    SetTextOf(GetDlgItem(dialog, IDC_FS_FILE), rain);
    EXPECT_EQ(vesk.Exit(), std::optional<DWORD>(0));
    EXPECT_EQ(folder.Read("Vesk.csv"), last);
}

}  // namespace
}  // namespace vesk
