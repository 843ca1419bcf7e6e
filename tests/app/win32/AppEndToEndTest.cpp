// The built Vesk.exe under Wine, driven from outside: each test gives it a program folder of
// its own with the files a user would write there, starts it, talks to it through its
// windows, a fake player and Wine's tray, and checks what it shows and what it writes.
// Arguments: Vesk.exe, fake_player.exe, close_window.exe.

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ScreenCapture.h"
#include "TestFolder.h"
#include "TestText.h"
#include "app/untMain.h"
#include "app/win32/LyricsPictures.h"
#include "app/win32/LyricsWindowSink.h"
#include "app/win32/TrayMenus.h"
#include "app/win32/VeskDriver.h"
#include "common/FileSystem.h"
#include "common/win32/WinHandles.h"
#include "lyrics/untTLyricsList.h"
#include "settings/win32/SettingFormRes.h"
#include "title/untTitleGet.h"
#include "title/win32/FakePlayerProcess.h"
#include "tools/WineTray.h"

namespace vesk {
namespace {

using test::Ansi;
using test::ExpectShows;
using test::FakePlayerProcess;
using test::kLyricsWindowKeys;
using test::ProgramFolder;
using test::PumpUntil;
using test::ReferenceLyrics;
using test::ScreenPicture;
using test::VeskProcess;

constexpr std::optional<DWORD> kEndedWell = 0;

// The user's list as typed by hand: blanks after the commas, LF line ends, a title whose
// second byte is a backslash in Shift_JIS (表).
constexpr char kHandMadeList[] =
    "夏の雨, C:\\歌詞\\雨.txt, 0, 0\n"
    "\"星の歌\",\"C:\\歌詞\\星.txt\",2,5\n"
    "表の歌, C:\\歌詞\\表.txt, 1, 3\n";
// The same list as the program writes it.
constexpr char kWrittenList[] =
    "\"夏の雨\",\"C:\\歌詞\\雨.txt\",0,0\r\n"
    "\"星の歌\",\"C:\\歌詞\\星.txt\",2,5\r\n"
    "\"表の歌\",\"C:\\歌詞\\表.txt\",1,3\r\n";

HWND g_control = nullptr;
BOOL CALLBACK FindControl(HWND window, LPARAM id) {
    if (GetDlgCtrlID(window) == static_cast<int>(id)) {
        g_control = window;
        return FALSE;
    }
    return TRUE;
}

// A control of any page of the settings dialog, and its text.
HWND SettingControl(HWND dialog, int id) {
    g_control = nullptr;
    EnumChildWindows(dialog, FindControl, id);
    return g_control;
}
std::string SettingText(HWND dialog, int id) {
    // Asked of the control itself: GetWindowText does not for another process's window.
    char text[512] = {};
    SendMessageA(SettingControl(dialog, id), WM_GETTEXT, sizeof(text),
                 reinterpret_cast<LPARAM>(text));
    return text;
}

// The first start's settings dialog shows the title tab with the defaults, and the live
// test follows what the user types: a player of the class typed is found at once.
void ExpectFirstStartTitleTab(HWND dialog) {
    EXPECT_EQ(SendMessageA(SettingControl(dialog, IDC_SETTING_TABS), TCM_GETCURSEL, 0, 0), 4);
    EXPECT_TRUE(IsWindowVisible(GetParent(SettingControl(dialog, IDC_LED_GETCLASSNAME))));
    EXPECT_EQ(SettingText(dialog, IDC_LED_GETCLASSNAME), "Lilith");
    EXPECT_EQ(SettingText(dialog, IDC_LED_DELIMITERS), "-<>");
    EXPECT_EQ(SettingText(dialog, IDC_LED_TITLEPOS), "1");
    EXPECT_EQ(SettingText(dialog, IDC_LED_TOPCUT), "8");
    EXPECT_EQ(SettingText(dialog, IDC_LED_BOTTOMCUT), "0");
    EXPECT_EQ(SettingText(dialog, IDC_LED_CHECKTIME), "1000");
    EXPECT_EQ(SendMessageA(SettingControl(dialog, IDC_CBX_SENSITIVE), BM_GETCHECK, 0, 0),
              BST_CHECKED);
    EXPECT_EQ(SettingText(dialog, IDC_LBL_WINDOWTITLE), "PlayerNotFound");

    FakePlayerProcess player(test::FakePlayerProgram(), "VeskE2E.First",
                             "Playing: Summer Rain - Blue Sky");
    ASSERT_TRUE(player.Started());
    const HWND edit = SettingControl(dialog, IDC_LED_GETCLASSNAME);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    for (const char c : std::string("VeskE2E.First")) {
        PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
    }
    EXPECT_TRUE(PumpUntil(
        [&] {
            return SettingText(dialog, IDC_LBL_WINDOWTITLE) == "Playing: Summer Rain - Blue Sky";
        },
        10000))
        << SettingText(dialog, IDC_LBL_WINDOWTITLE);
    EXPECT_EQ(SettingText(dialog, IDC_LED_GETCLASSNAME), "VeskE2E.First");
    EXPECT_EQ(SettingText(dialog, IDC_LBL_SONGTITLE), "Summer Rain");
}

TEST(VeskRun, FirstStartSecondStartAndTheWindowStateAcrossRuns) {
    ASSERT_TRUE(test::TrayIconWindows().empty()) << "an icon is in the tray already";
    ProgramFolder folder;
    folder.Write("Vesk.csv", kHandMadeList);

    VeskProcess first(folder.Program());
    ASSERT_TRUE(first.WaitReady());
    // No Vesk.ini: the lyrics window opens, and the settings dialog on its title tab.
    const HWND lyrics = first.LyricsWindow();
    ASSERT_NE(lyrics, nullptr);
    EXPECT_TRUE(IsWindowVisible(lyrics));
    EXPECT_EQ(test::CaptionOf(lyrics), Ansi("歌詞"));
    EXPECT_EQ(test::TrayTips(), std::vector<std::wstring>{test::kReadyTip});
    EXPECT_EQ(test::CaptionOf(first.Window("VeskApplication")), "Vesk");
    const HWND setting = first.Window("#32770");
    ASSERT_NE(setting, nullptr);
    EXPECT_EQ(test::CaptionOf(setting), Ansi("Veskの設定"));
    EXPECT_TRUE(IsWindowVisible(setting));
    // No task-bar button: every window that shows is a tool window.
    for (HWND window : {first.Window("VeskApplication"), first.MainForm(), lyrics, setting}) {
        EXPECT_TRUE(!IsWindowVisible(window) ||
                    (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0);
    }
    EXPECT_EQ(first.Windows("#32770"), std::vector<HWND>{setting}) << "a message box";
    EXPECT_FALSE(folder.Exists("Vesk.ini")) << "made before anything was written to it";
    ExpectFirstStartTitleTab(setting);

    // A second start ends at once and silently; the first goes on.
    {
        VeskProcess second(folder.Program());
        ASSERT_TRUE(second.Started());
        EXPECT_EQ(second.WaitEnd(20000), kEndedWell);
    }
    EXPECT_EQ(test::OtherProcessesWindows("TfrmMain"), std::vector<HWND>{first.MainForm()});
    EXPECT_EQ(test::OtherProcessesWindows("TfrmLyrics"), std::vector<HWND>{lyrics});
    EXPECT_TRUE(IsWindowVisible(lyrics));
    EXPECT_EQ(test::TrayTips(), std::vector<std::wstring>{test::kReadyTip});

    // Exit with the window open, as the demonstration's script ends it: the state is
    // written, and the list although nothing in it changed, in the strict form.
    EXPECT_EQ(test::RunProgram("\"" + test::CloseWindowProgram() + "\" TfrmMain", 30000),
              kEndedWell);
    EXPECT_EQ(first.WaitEnd(1000), kEndedWell);
    EXPECT_TRUE(test::TrayIconWindows().empty());
    EXPECT_EQ(folder.IniValue("MainForm", "LyricShow"), "1");
    EXPECT_EQ(folder.IniValue("LyricsForm", "FormClientPos.X"), "205") << "the window's keys";
    EXPECT_EQ(folder.IniValue("TitleGet", "GetClassName"), "(none)") << "the dialog's, unapplied";
    EXPECT_EQ(folder.Read("Vesk.csv"), Ansi(kWrittenList));

    // Open at the last exit: open again. The tray's "表示(&V)" closes it.
    {
        VeskProcess again(folder.Program());
        ASSERT_TRUE(again.WaitReady());
        ASSERT_NE(again.LyricsWindow(), nullptr);
        EXPECT_TRUE(IsWindowVisible(again.LyricsWindow()));
        PostMessageA(again.MainForm(), WM_COMMAND, mitVisible, 0);
        EXPECT_TRUE(PumpUntil([&] { return again.LyricsWindow() == nullptr; }, 10000));
        EXPECT_EQ(again.Exit(), kEndedWell);
    }
    EXPECT_EQ(folder.IniValue("MainForm", "LyricShow"), "0");

    // Closed at the last exit: it stays closed.
    {
        VeskProcess closed(folder.Program());
        ASSERT_TRUE(closed.WaitReady());
        EXPECT_EQ(closed.LyricsWindow(), nullptr);
        EXPECT_EQ(closed.Exit(), kEndedWell);
    }
    EXPECT_EQ(folder.IniValue("MainForm", "LyricShow"), "0");
    EXPECT_EQ(folder.Read("Vesk.csv"), Ansi(kWrittenList));
}

TEST(VeskRun, LyricsFollowThePlayersCaption) {
    ProgramFolder folder;
    const std::string path = folder.Path();  // ASCII
    folder.Write("夏の雨.txt", "雨の音が\r\n窓をたたく\r\n");
    folder.Write("星の歌.txt",
                 "前奏\r\n星がひとつ\r\n夜空に光る\r\n願いをのせて\r\n遠くまで\r\n後奏\r\n");
    folder.Write("Vesk.csv", "\"夏の雨\",\"" + path + "夏の雨.txt\",0,0\r\n\"星の歌\",\"" + path +
                                 "星の歌.txt\",2,5\r\n");
    auto settings = [&](const char* checkTime) {
        folder.Write("Vesk.ini", std::string("[TitleGet]\r\nGetClassName=VeskE2E.Songs\r\n"
                                             "TopCut=0\r\nDelimiters=-\r\nCheckTime=") +
                                     checkTime + "\r\n[LyricsForm]\r\n" + kLyricsWindowKeys +
                                     "FormClientPos.X=40\r\nFormClientPos.Y=560\r\n");
    };
    // The starting caption goes through an ANSI command line; the later ones are UTF-8.
    FakePlayerProcess player(test::FakePlayerProgram(), "VeskE2E.Songs", Ansi("夏の雨 - 青空"));
    ASSERT_TRUE(player.Started());
    ReferenceLyrics& reference = ReferenceLyrics::Instance();
    const ScreenPicture rain = reference.Show("雨の音が\r\n窓をたたく");
    const ScreenPicture star =
        reference.Show("星がひとつ\r\n夜空に光る\r\n願いをのせて\r\n遠くまで");
    // The window fits its height to the text and keeps its width.
    EXPECT_GT(star.height, rain.height);
    EXPECT_EQ(star.width, 360);
    EXPECT_EQ(rain.width, 360);

    // With the check stopped (0) only the check of the start-up runs: the window opens with
    // the song's lyrics, and a new caption changes nothing.
    settings("0");
    {
        VeskProcess vesk(folder.Program());
        ASSERT_TRUE(vesk.WaitReady());
        ASSERT_NE(vesk.LyricsWindow(), nullptr);
        ExpectShows(vesk.LyricsWindow(), rain, "rain_at_start");
        ASSERT_TRUE(player.SetCaption("星の歌 - 青空"));
        test::Pump(2500);  // more than two ticks of the default interval
        EXPECT_TRUE(test::SamePicture(test::PictureOf(vesk.LyricsWindow()), rain));
        EXPECT_EQ(vesk.Exit(), kEndedWell);
        ASSERT_TRUE(player.SetCaption("夏の雨 - 青空"));
    }

    settings("100");
    VeskProcess vesk(folder.Program());
    ASSERT_TRUE(vesk.WaitReady());
    const HWND window = vesk.LyricsWindow();
    ASSERT_NE(window, nullptr);
    ExpectShows(window, rain, "rain");
    const ScreenPicture firstRain = test::PictureOf(window);

    ASSERT_TRUE(player.SetCaption("星の歌 - 青空"));
    ExpectShows(window, star, "star");
    EXPECT_FALSE(test::SamePicture(test::PictureOf(window), firstRain));

    ASSERT_TRUE(player.SetCaption("夏の雨 - 別の歌手"));
    ExpectShows(window, rain, "rain_again");
    EXPECT_TRUE(test::SamePicture(test::PictureOf(window), firstRain));

    ASSERT_TRUE(player.SetCaption("風の道 - 青空"));
    ExpectShows(window, reference.Show("■Title Not Found：風の道"), "not_in_list");

    ASSERT_TRUE(player.Command("quit"));
    ASSERT_TRUE(player.Ended(10000));
    ExpectShows(window, reference.Show("■Player Not Found"), "no_player");

    EXPECT_EQ(vesk.Exit(), kEndedWell);
    EXPECT_EQ(folder.IniValue("LyricsForm", "FormClientPos.X"), "40");
    EXPECT_EQ(folder.IniValue("MainForm", "LyricShow"), "1");
}

TEST(VeskRun, ConnectionOnStartsExactlyThePlayerWhenNoneRuns) {
    ProgramFolder folder;
    // A player in a folder with a blank, and a program named after the path's first word.
    ASSERT_TRUE(CreateDirectoryA((folder / "Media Player").c_str(), nullptr));
    const std::string player = folder / "Media Player\\player.exe";
    ASSERT_TRUE(CopyFileA(test::FakePlayerProgram().c_str(), player.c_str(), TRUE));
    ASSERT_TRUE(CopyFileA(test::FakePlayerProgram().c_str(), (folder / "Media.exe").c_str(), TRUE));
    ASSERT_TRUE(test::ProcessesNamed("player.exe").empty());
    auto settings = [&](const char* on) {
        // The path as a user types it: no quotes.
        folder.Write("Vesk.ini",
                     std::string("[TitleGet]\r\nGetClassName=player\r\n[Connection]\r\nOn=") + on +
                         "\r\nPlayer=" + player + "\r\n[MainForm]\r\nLyricShow=0\r\n");
    };

    settings("1");
    {
        VeskProcess vesk(folder.Program());
        ASSERT_TRUE(vesk.WaitReady());
        EXPECT_EQ(vesk.ProgramsStarted(), 1u);
        // The decoy would end at once (its arguments do not suit it), so the player is
        // known by its window.
        EXPECT_TRUE(PumpUntil([] { return !test::WindowsOfClass("player").empty(); }, 20000))
            << "the player did not start";
        EXPECT_EQ(test::ProcessesNamed("player.exe").size(), 1u);
        for (HWND window : test::WindowsOfClass("player")) {
            EXPECT_EQ(test::CaptionOf(window), player);
        }
        EXPECT_EQ(vesk.Exit(), kEndedWell);
    }
    // The player runs: no second one.
    {
        VeskProcess vesk(folder.Program());
        ASSERT_TRUE(vesk.WaitReady());
        EXPECT_EQ(vesk.ProgramsStarted(), 0u);
        EXPECT_EQ(vesk.Exit(), kEndedWell);
    }
    EXPECT_EQ(test::WindowsOfClass("player").size(), 1u);
    test::EndProcesses(test::ProcessesNamed("player.exe"));

    // Off: nothing is started.
    settings("0");
    {
        VeskProcess vesk(folder.Program());
        ASSERT_TRUE(vesk.WaitReady());
        EXPECT_EQ(vesk.ProgramsStarted(), 0u);
        EXPECT_EQ(vesk.Exit(), kEndedWell);
    }
    EXPECT_TRUE(test::ProcessesNamed("player.exe").empty());
    test::EndProcesses(test::ProcessesNamed("player.exe"));
    test::EndProcesses(test::ProcessesNamed("Media.exe"));
}

// Runs Vesk in the folder until it is ready, then ends it; how long the exit took.
// Starts Vesk, runs whileRunning, and ends it through its exit, which must end within 30 s.
void RunAndExit(const ProgramFolder& folder, const std::function<void()>& whileRunning = {}) {
    VeskProcess vesk(folder.Program());
    EXPECT_TRUE(vesk.WaitReady());
    if (whileRunning) {
        whileRunning();
    }
    EXPECT_EQ(vesk.Exit(30000), kEndedWell);
}

TEST(VeskRun, CloseAtExitClosesExactlyThePlayersWindowAndNeverHangs) {
    ProgramFolder folder;
    auto settings = [&](const std::string& className, const std::string& filter) {
        folder.Write("Vesk.ini", "[TitleGet]\r\nGetClassName=" + className +
                                     "\r\nGetTitle=" + filter +
                                     "\r\n[Connection]\r\nClose=1\r\n[MainForm]\r\n"
                                     "LyricShow=0\r\n");
    };
    const std::string fakePlayer = test::FakePlayerProgram();
    {
        FakePlayerProcess player(fakePlayer, "VeskE2E.Player", "Song - One");
        FakePlayerProcess other(fakePlayer, "VeskE2E.Other", "Song - Two");
        ASSERT_TRUE(player.Started() && other.Started());
        settings("VeskE2E.Player", "");
        RunAndExit(folder);
        EXPECT_TRUE(player.Ended(10000));
        EXPECT_FALSE(other.Ended(0));
    }
    {
        // Two of one class; the one the filter names lies behind the other.
        FakePlayerProcess beta(fakePlayer, "VeskE2E.Twin", "Beta - twin");
        FakePlayerProcess alpha(fakePlayer, "VeskE2E.Twin", "Alpha - twin");
        ASSERT_TRUE(beta.Started() && alpha.Started());
        settings("VeskE2E.Twin", "Beta");
        RunAndExit(folder);
        EXPECT_TRUE(beta.Ended(10000));
        EXPECT_FALSE(alpha.Ended(0));
    }
    {
        // A player that stops answering: the exit waits for it ten seconds at most and
        // saves everything all the same.
        FakePlayerProcess hung(fakePlayer, "VeskE2E.Hung", "Song - Hung");
        ASSERT_TRUE(hung.Started());
        settings("VeskE2E.Hung", "");
        ASSERT_TRUE(DeleteFileA(folder.List().c_str()) || !folder.Exists("Vesk.csv"));
        // Ending within RunAndExit's 30 s is the check: the player hangs for 60 s.
        RunAndExit(folder, [&] { ASSERT_TRUE(hung.Command("hang 60000")); });
        EXPECT_FALSE(hung.Ended(0));
        EXPECT_TRUE(folder.Exists("Vesk.csv"));
        EXPECT_EQ(folder.IniValue("MainForm", "LyricShow"), "0");
    }
}

TEST(VeskRun, ListHeldByAnotherProgramIsNeverLost) {
    ProgramFolder folder;
    folder.Write("Vesk.ini", "[MainForm]\r\nLyricShow=0\r\n");
    folder.Write("Vesk.csv", kHandMadeList);
    const std::string userList = folder.Read("Vesk.csv");
    const std::vector<std::string> files = folder.Files();

    // Held for the whole run.
    {
        const FileHandle holder(CreateFileA(folder.List().c_str(), GENERIC_READ, 0, nullptr,
                                            OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(holder);
        RunAndExit(folder);
    }
    EXPECT_EQ(folder.Read("Vesk.csv"), userList);
    EXPECT_EQ(folder.Files(), files) << "nothing left beside it";

    // Released while the program runs: written at exit with every entry.
    {
        FileHandle holder(CreateFileA(folder.List().c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(holder);
        RunAndExit(folder, [&] { holder.Reset(); });
    }
    EXPECT_EQ(folder.Read("Vesk.csv"), Ansi(kWrittenList));
}

}  // namespace
}  // namespace vesk
