// Vesk.exe showing an LRC file in sync: the lit line, found in pictures of the lyrics window
// by its colour, follows the time since the title showed, moves with the user's correction,
// and with Windows Media Player follows the player's position (the tests' automation
// server), holding while that position stands still.
// Arguments: Vesk.exe, fake_player.exe, close_window.exe, fake_wmp_server.dll.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "ScreenCapture.h"
#include "TestText.h"
#include "app/win32/LyricsPictures.h"
#include "app/win32/TrayMenus.h"
#include "app/win32/VeskDriver.h"
#include "title/win32/FakePlayerProcess.h"
#include "title/win32/FakeWmpServer.h"

namespace vesk {
namespace {

using test::Ansi;
using test::PumpUntil;
using Clock = std::chrono::steady_clock;

constexpr std::uint32_t kBackground = 0x00FFFFFF;
constexpr std::uint32_t kLitColor = 0x00CC6600;  // SyncColor's default
constexpr DWORD kShowTimeout = 5000;

// Lines at 0.0, 1.5, 3.0 and 4.5 s.
constexpr char kLrc[] =
    "[ti:四行]\r\n[00:00.00]一行目の歌\r\n[00:01.50]二行目の歌\r\n[00:03.00]三行目の歌\r\n"
    "[00:04.50]四行目の歌\r\n";

// The lines (from 1) of a picture of the lyrics window that show pixels of the lit colour;
// a line is a band of rows that hold anything but the background.
std::vector<int> LitLines(const test::ScreenPicture& picture) {
    std::vector<int> lit;
    int line = 0;
    bool inLine = false;
    for (int y = 0; y < picture.height; ++y) {
        bool ink = false;
        bool litRow = false;
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t pixel = picture.At(x, y);
            ink = ink || pixel != kBackground;
            litRow = litRow || pixel == kLitColor;
        }
        if (ink && !inLine) {
            ++line;
        }
        inLine = ink;
        if (litRow && (lit.empty() || lit.back() != line)) {
            lit.push_back(line);
        }
    }
    return lit;
}

std::vector<int> LitLinesOf(HWND window) {
    return LitLines(test::PictureOf(window));
}

// A program folder whose Vesk.ini shows synced lyrics, checking the player every 100 ms.
std::string SyncSettings(const std::string& titleGet) {
    return "[TitleGet]\r\n" + titleGet + "CheckTime=100\r\n[LyricsForm]\r\n" +
           test::kLyricsWindowKeys +
           "FormClientPos.X=40\r\nFormClientPos.Y=400\r\n[Extension]\r\nSyncLyrics=1\r\n";
}

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

TEST(VeskSync, TheLitLineFollowsTheTitlesClockAndTheCorrection) {
    test::ProgramFolder folder;
    const std::string lrc = folder.Write("four.lrc", kLrc);
    folder.Write("Vesk.csv", "\"四行\",\"" + test::Utf8(lrc) + "\",0,0\r\n");
    folder.Write("Vesk.ini", SyncSettings("GetClassName=VeskE2E.Sync\r\nTopCut=0\r\n"));
    test::FakePlayerProcess player(test::FakePlayerProgram(), "VeskE2E.Sync", Ansi("待機 - 誰か"));
    ASSERT_TRUE(player.Started());
    test::VeskProcess vesk(folder.Program());
    ASSERT_TRUE(vesk.WaitReady());
    const HWND window = vesk.LyricsWindow();
    ASSERT_NE(window, nullptr);

    enum class Correct { kNone, kRightKey, kTrayLater };
    // The moments after the title shows, and the line lit at each: about 0.7, 2.2 and 3.7 s
    // light lines 1, 2, 3; 1.25 and 2.75 s tell a correction of half a second.
    const double moments[] = {0.7, 1.25, 2.2, 2.75, 3.7};
    const struct {
        const char* name;
        Correct correct;
        const char* file;  // VeskSync.csv after it
        std::vector<std::vector<int>> lit;
    } rows[] = {
        {"as tagged", Correct::kNone, nullptr, {{1}, {1}, {2}, {2}, {3}}},
        {"-> : half a second earlier",
         Correct::kRightKey,
         "\"四行\",500\r\n",
         {{1}, {2}, {2}, {3}, {3}}},
        {"tray, later: back to none", Correct::kTrayLater, "", {{1}, {1}, {2}, {2}, {3}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(player.SetCaption("四行 - 誰か"));
        ASSERT_TRUE(PumpUntil([&] { return !LitLinesOf(window).empty(); }, kShowTimeout));
        if (row.correct == Correct::kRightKey) {
            PostMessageA(window, WM_KEYDOWN, VK_RIGHT, 0);
        } else if (row.correct == Correct::kTrayLater) {
            PostMessageA(vesk.MainForm(), WM_COMMAND, mitSyncLater, 0);
        }
        if (row.file != nullptr) {
            EXPECT_TRUE(PumpUntil([&] { return folder.Read("VeskSync.csv") == Ansi(row.file); },
                                  kShowTimeout))
                << folder.Read("VeskSync.csv");
        }
        // The song again, from its start.
        ASSERT_TRUE(player.SetCaption("待機 - 誰か"));
        ASSERT_TRUE(PumpUntil([&] { return LitLinesOf(window).empty(); }, kShowTimeout));
        ASSERT_TRUE(player.SetCaption("四行 - 誰か"));
        ASSERT_TRUE(PumpUntil([&] { return !LitLinesOf(window).empty(); }, kShowTimeout));
        const Clock::time_point shown = Clock::now();
        for (std::size_t i = 0; i < std::size(moments); ++i) {
            PumpUntil([&] { return SecondsSince(shown) >= moments[i]; }, kShowTimeout);
            const test::ScreenPicture picture = test::PictureOf(window);
            const double at = SecondsSince(shown);
            EXPECT_EQ(LitLines(picture), row.lit[i]) << "at " << at << " s";
            if (LitLines(picture) != row.lit[i]) {
                test::SaveForInspection(picture, "sync_" + std::to_string(i));
            }
        }
    }
    EXPECT_EQ(vesk.Exit(), std::optional<DWORD>(0));
}

TEST(VeskSync, WindowsMediaPlayersPositionDrivesTheLitLine) {
    test::FakeWmpServer server(test::FakeWmpServerLibrary());
    ASSERT_TRUE(server.Ready());
    server.SetMedia(L"四行");
    server.SetPosition(0, false);
    test::ProgramFolder folder;
    const std::string lrc = folder.Write("four.lrc", kLrc);
    folder.Write("Vesk.csv", "\"四行\",\"" + test::Utf8(lrc) + "\",0,0\r\n");
    folder.Write("Vesk.ini",
                 SyncSettings("GetClassName=WMPlayerApp\r\nTopCut=0\r\nBottomCut=23\r\n"));
    test::FakePlayerProcess player(test::FakePlayerProgram(), "WMPlayerApp",
                                   "Windows Media Player");
    ASSERT_TRUE(player.Started());
    test::VeskProcess vesk(folder.Program());
    ASSERT_TRUE(vesk.WaitReady());
    const HWND window = vesk.LyricsWindow();
    ASSERT_NE(window, nullptr);

    const struct {
        double seconds;
        bool playing;
        int lit;       // soon after the position is set
        int litLater;  // two seconds later
    } rows[] = {
        {3.2, true, 3, 4},
        {0.2, true, 1, 2},   // moved back
        {1.0, false, 1, 1},  // paused: held where the title's clock would have moved on
        {2.0, false, 2, 2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.seconds) + (row.playing ? " playing" : " paused"));
        const Clock::time_point set = Clock::now();
        server.SetPosition(row.seconds, row.playing);
        EXPECT_TRUE(
            PumpUntil([&] { return LitLinesOf(window) == std::vector<int>{row.lit}; }, 1000))
            << "at " << SecondsSince(set) << " s";
        PumpUntil([&] { return SecondsSince(set) >= 2.0; }, kShowTimeout);
        EXPECT_EQ(LitLinesOf(window), std::vector<int>{row.litLater})
            << "at " << SecondsSince(set) << " s";
    }
    EXPECT_EQ(vesk.Exit(), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace vesk
