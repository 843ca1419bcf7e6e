// Vesk.exe with the lyrics service: the fake service (tests/tools/fake-lyrics-service.py)
// serves on the loopback while this program runs and logs every request; the first word of
// a title chooses its answer. Arguments: Vesk.exe, fake_player.exe, close_window.exe, the
// service's address and its log file.

#include <windows.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iostream>
#include <optional>
#include <string>

#include "TestArguments.h"
#include "TestText.h"
#include "app/Version.h"
#include "app/win32/LyricsPictures.h"
#include "app/win32/TrayMenus.h"
#include "app/win32/VeskDriver.h"
#include "title/win32/FakePlayerProcess.h"

namespace vesk {
namespace {

using test::Ansi;
using test::PumpUntil;

constexpr DWORD kShowWithin = 3000;   // ms from the title check to the service's lyrics
constexpr DWORD kAnswerWithin = 100;  // ms the program's windows may take to answer
// The exit gives a search that does not end this long; exits differ by up to the jitter.
constexpr DWORD kStopWait = 500;
constexpr DWORD kExitJitter = 1000;
constexpr int kMessageBoxText = 0xFFFF;
// The fake's "synced" and "plain" answers as the window shows them (LRC tags taken out).
const std::string kSynced = "一行目\r\n二行目 & more";
const std::string kPlain = "plain line 1\r\nplain line 2";

std::string NotFound(const std::string& title) {
    return "■Title Not Found：" + title;
}

// How often the fake service was asked for title (UTF-8); a line still being written is
// not counted yet.
std::size_t Requests(const std::string& title, std::string* userAgent = nullptr) {
    std::string hex;
    for (const unsigned char c : title) {
        hex += "0123456789abcdef"[c >> 4];
        hex += "0123456789abcdef"[c & 0x0F];
    }
    std::ifstream log(test::Arguments().at(4), std::ios::binary);
    std::size_t count = 0;
    for (std::string line; std::getline(log, line);) {
        const nlohmann::json request = nlohmann::json::parse(line, nullptr, false);
        if (!request.is_discarded() && request.value("q_hex", "") == hex) {
            ++count;
            if (userAgent != nullptr) {
                *userAgent = request.value("user_agent", "");
            }
        }
    }
    return count;
}

// Vesk on a folder with a list of one song, which finds the fake player, checks every
// 100 ms and writes what it shows to overlay.txt (UTF-8), where the test reads it.
class OnlineRun {
    test::FakePlayerProcess player_;  // first: it plays before Vesk starts and after it ends

public:
    explicit OnlineRun(bool online) : player_(test::FakePlayerProgram(), "VeskE2E.Online", "x") {
        const std::string path = folder.Path();
        folder.Write("listed.txt", "listed words");
        folder.Write("Vesk.csv", "\"listed\",\"" + path + "listed.txt\",0,0\r\n");
        folder.Write("Vesk.ini",
                     std::string("[TitleGet]\r\nGetClassName=VeskE2E.Online\r\n") +
                         "TopCut=0\r\nDelimiters=|\r\nCheckTime=100\r\n[LyricsForm]\r\n" +
                         test::kLyricsWindowKeys +
                         "FormClientPos.X=40\r\nFormClientPos.Y=560\r\n[Extension]\r\n"
                         "OverlayTextFile=" +
                         path + "overlay.txt\r\nOnlineLyrics=" + (online ? "1" : "0") +
                         "\r\nOnlineLyricsUrl=" + test::Arguments().at(3) + "\r\n");
        Play("listed");
        vesk.emplace(folder.Program());
        EXPECT_TRUE(vesk->WaitReady());
        EXPECT_TRUE(Shows("listed words"));
    }

    void Play(const std::string& title) { EXPECT_TRUE(player_.SetCaption(title + " | Band")); }
    // Whether the window shows text (UTF-8) within the time.
    bool Shows(const std::string& text, DWORD milliseconds = 10000) {
        return PumpUntil([&] { return folder.Read("overlay.txt") == text; }, milliseconds);
    }
    std::size_t Boxes() const {
        std::size_t count = 0;
        for (const HWND box : test::WindowsOfClass("#32770")) {
            count += test::ProcessOf(box) == vesk->Id() && IsWindowVisible(box) ? 1 : 0;
        }
        return count;
    }
    // How long the program takes to end after its exit command (with code 0).
    DWORD ExitTime() {
        const DWORD start = GetTickCount();
        EXPECT_EQ(vesk->Exit(), std::optional<DWORD>(0));
        return GetTickCount() - start;
    }

    test::ProgramFolder folder;
    std::optional<test::VeskProcess> vesk;
};

TEST(OnlineLyrics, ANewTitleShowsTheServicesLyricsAtOnceAndFailuresChangeNothing) {
    const test::ScreenPicture synced = test::ReferenceLyrics::Instance().Show(kSynced);
    OnlineRun run(true);
    const std::string list = run.folder.Read("Vesk.csv");
    // Japanese text, "&", "+", "#", "%" and blanks reach the service as their UTF-8.
    const std::string title = "synced 夏の雨 & R+B #1 100%";
    run.Play(title);
    EXPECT_TRUE(run.Shows(kSynced, kShowWithin)) << run.folder.Read("overlay.txt");
    test::ExpectShows(run.vesk->LyricsWindow(), synced, "synced");
    std::string userAgent;
    EXPECT_EQ(Requests(title, &userAgent), 1u);
    EXPECT_EQ(userAgent, "Vesk/" VESK_VERSION_SHORT);
    // Saved in the folder "Lyrics" beside Vesk.exe, made for it.
    EXPECT_EQ(run.folder.Read(Ansi("Lyrics\\" + title + ".lrc")),
              "\xEF\xBB\xBF[00:01.00]一行目\r\n[00:02.50]二行目 & more\r\n");

    // Each answer without lyrics: nothing saved or told; a song without words gets a note.
    const std::pair<std::string, std::string> answers[] = {
        {"404 song", NotFound("404 song")},
        {"500 song", NotFound("500 song")},
        {"malformed song", NotFound("malformed song")},
        {"large song", NotFound("large song")},
        {"wrongtypes song", NotFound("wrongtypes song")},
        {"empty song", NotFound("empty song")},
        {"instrumental song", "■Instrumental：instrumental song"},
    };
    for (int pass = 0; pass < 2; ++pass) {
        for (const auto& [song, shown] : answers) {
            run.Play(song);
            EXPECT_TRUE(PumpUntil([&] { return Requests(song) > 0; }, 10000)) << song;
            EXPECT_TRUE(run.Shows(shown)) << song << ": " << run.folder.Read("overlay.txt");
        }
        // Results come in order: once this title's shows, those before it are taken.
        run.Play(pass == 0 ? "plain last" : title);
        EXPECT_TRUE(run.Shows(pass == 0 ? kPlain : kSynced, kShowWithin));
    }
    // The second pass asked nothing again.
    for (const auto& [song, shown] : answers) {
        EXPECT_EQ(Requests(song), 1u) << song;
    }
    EXPECT_EQ(Requests(title), 1u);
    EXPECT_EQ(Requests("listed"), 0u) << "a title of the list is never searched";
    EXPECT_EQ(test::FilesIn(run.folder / "Lyrics\\"),
              (std::vector<std::string>{"plain last.lrc", Ansi(title + ".lrc")}));
    EXPECT_EQ(run.Boxes(), 0u);
    run.ExitTime();
    EXPECT_EQ(run.folder.Read("Vesk.csv"), list) << "nothing is added to the list";
}

// The longest wait of a message to any of the windows while done() is false (at most
// limit ms).
DWORD LongestAnswer(const std::vector<HWND>& windows, const std::function<bool()>& done,
                    DWORD limit) {
    DWORD longest = 0;
    for (const DWORD start = GetTickCount(); !done() && GetTickCount() - start < limit;) {
        for (const HWND window : windows) {
            const DWORD sent = GetTickCount();
            DWORD_PTR ignored = 0;
            SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
            longest = std::max(longest, GetTickCount() - sent);
        }
        test::Pump(20);
    }
    return longest;
}

TEST(OnlineLyrics, AHangingAnswerHoldsNeitherTheWindowsNorTheExit) {
    OnlineRun run(true);
    const std::vector<HWND> windows{run.vesk->LyricsWindow(), run.vesk->TrayWindow()};
    ASSERT_TRUE(windows[0] != nullptr && windows[1] != nullptr);
    run.Play("hang one");
    ASSERT_TRUE(PumpUntil([&] { return Requests("hang one") > 0; }, 10000));
    DWORD longest = LongestAnswer(
        windows, [] { return false; }, 1000);
    // A song of the list shows at once; a new title's search waits for its turn (the hang's
    // time-out) and then shows the service's lyrics.
    const auto shows = [&](const std::string& text) {
        return [&run, text] { return run.folder.Read("overlay.txt") == text; };
    };
    run.Play("listed");
    longest = std::max(longest, LongestAnswer(windows, shows("listed words"), 5000));
    EXPECT_TRUE(shows("listed words")());
    run.Play("synced after");
    longest = std::max(longest, LongestAnswer(windows, shows(kSynced), 20000));
    EXPECT_TRUE(shows(kSynced)());
    std::cout << "longest answer " << longest << " ms\n";
    EXPECT_LT(longest, kAnswerWithin);

    run.Play("hang two");
    ASSERT_TRUE(PumpUntil([&] { return Requests("hang two") > 0; }, 10000));
    const DWORD hangingExit = run.ExitTime();
    const DWORD idleExit = OnlineRun(false).ExitTime();  // nothing to search
    std::cout << "exit " << hangingExit << " ms while a request hangs, " << idleExit
              << " ms without\n";
    EXPECT_LT(hangingExit, idleExit + kStopWait + kExitJitter);
}

TEST(OnlineLyrics, TheSettingOffSendsNothingAndTheTrayItemAsksAndTells) {
    OnlineRun run(false);
    run.Play("synced off");
    EXPECT_TRUE(run.Shows(NotFound("synced off")));
    test::Pump(1000);  // ten title checks
    EXPECT_EQ(Requests("synced off"), 0u);

    for (const char* song : {"500 tray", "synced tray"}) {
        run.Play(song);
        EXPECT_TRUE(run.Shows(NotFound(song)));
        PostMessageA(run.vesk->MainForm(), WM_COMMAND, mitSearchOnline, 0);
    }
    // The failure is told; the lyrics found are shown, with nothing to tell.
    const HWND box = test::WaitVeskDialog(*run.vesk, "Vesk");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(test::ControlText(box, kMessageBoxText),
              Ansi("「500 tray」の歌詞を探せませんでした。\r\n歌詞サービスがエラーを返しました"
                   "（HTTP 500）。しばらくしてからもう一度お試しください。"));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(run.Shows(kSynced, kShowWithin));
    EXPECT_TRUE(PumpUntil([&] { return run.Boxes() == 0; }, 10000));
    EXPECT_EQ(Requests("500 tray") + Requests("synced tray"), 2u);
    run.ExitTime();
}

}  // namespace
}  // namespace vesk
