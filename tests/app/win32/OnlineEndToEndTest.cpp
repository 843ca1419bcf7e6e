// Vesk.exe with the lyrics service: the fake service (tests/tools/fake-lyrics-service.py)
// serves on the loopback while this program runs and logs every request it gets; the first
// word of a title chooses its answer. Arguments: Vesk.exe, fake_player.exe,
// close_window.exe, the service's address and its log file.

#include <windows.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "ScreenCapture.h"
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

constexpr char kPlayerClass[] = "VeskE2E.Online";
constexpr DWORD kShowWithin = 3000;      // ms from the title check to the service's lyrics
constexpr DWORD kAnswerWithin = 100;     // ms the program's windows may take to answer
constexpr int kMessageBoxText = 0xFFFF;  // the static control of a message box
// The exit waits this long for a search that does not end; exits differ by up to the jitter.
constexpr DWORD kStopWait = 500;
constexpr DWORD kExitJitter = 500;
const std::string kMark = "\xEF\xBB\xBF";
// The fake's answers (its "synced" and "plain" kinds) as files and as the window shows them.
const std::string kSyncedFile = kMark + "[00:01.00]一行目\r\n[00:02.50]二行目 & more\r\n";
const std::string kSyncedShown = "一行目\r\n二行目 & more";
const std::string kPlainShown = "plain line 1\r\nplain line 2";

std::string ServiceUrl() {
    return test::Arguments().at(3);
}

std::string Hex(std::string_view bytes) {
    constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (const char c : bytes) {
        hex += kDigits[static_cast<unsigned char>(c) >> 4];
        hex += kDigits[static_cast<unsigned char>(c) & 0x0F];
    }
    return hex;
}

// The requests the fake service has logged for a title (UTF-8), oldest first. A line that
// is still being written is not one yet.
std::vector<nlohmann::json> RequestsFor(const std::string& utf8Title) {
    std::ifstream log(test::Arguments().at(4), std::ios::binary);
    std::vector<nlohmann::json> requests;
    for (std::string line; std::getline(log, line);) {
        nlohmann::json request = nlohmann::json::parse(line, nullptr, false);
        if (!request.is_discarded() && request.value("q_hex", "") == Hex(utf8Title)) {
            requests.push_back(std::move(request));
        }
    }
    return requests;
}

// A program folder with a list of one song and settings that find the fake player, check
// every 100 ms and write the display text to overlay.txt (UTF-8), where the test reads it.
class OnlineRun {
public:
    explicit OnlineRun(bool online, const std::string& firstCaption = "listed | Band")
        : player_(test::FakePlayerProgram(), kPlayerClass, firstCaption) {
        const std::string path = folder.Path();
        folder.Write("listed.txt", "listed words");
        folder.Write("Vesk.csv", "\"listed\",\"" + path + "listed.txt\",0,0\r\n");
        list = folder.Read("Vesk.csv");
        folder.Write("Vesk.ini",
                     std::string("[TitleGet]\r\nGetClassName=") + kPlayerClass +
                         "\r\nTopCut=0\r\nDelimiters=|\r\nCheckTime=100\r\n[LyricsForm]\r\n" +
                         test::kLyricsWindowKeys +
                         "FormClientPos.X=40\r\nFormClientPos.Y=560\r\n[Extension]\r\n"
                         "OverlayTextFile=" +
                         path + "overlay.txt\r\n" + (online ? "OnlineLyrics=1\r\n" : "") +
                         "OnlineLyricsUrl=" + ServiceUrl() + "\r\n");
        EXPECT_TRUE(player_.Started());
        vesk.emplace(folder.Program());
        EXPECT_TRUE(vesk->WaitReady());
        EXPECT_TRUE(Shows("listed words"));
    }

    // The player plays title (UTF-8).
    void Play(const std::string& title) { EXPECT_TRUE(player_.SetCaption(title + " | Band")); }
    // Whether the window shows text (UTF-8) within the time.
    bool Shows(const std::string& text, DWORD milliseconds = 10000) {
        return PumpUntil([&] { return folder.Read("overlay.txt") == text; }, milliseconds);
    }
    bool Asked(const std::string& title, std::size_t times = 1) {
        return PumpUntil([&] { return RequestsFor(title).size() >= times; }, 10000);
    }
    // Vesk's message boxes on screen.
    std::size_t Boxes() const {
        const std::vector<HWND> boxes = test::WindowsOfClass("#32770");
        return static_cast<std::size_t>(std::count_if(boxes.begin(), boxes.end(), [&](HWND box) {
            return test::ProcessOf(box) == vesk->Id() && IsWindowVisible(box);
        }));
    }
    std::vector<std::string> LyricsFiles() const { return test::FilesIn(folder / "Lyrics\\"); }

    test::ProgramFolder folder;
    std::string list;
    std::optional<test::VeskProcess> vesk;

private:
    test::FakePlayerProcess player_;
};

std::string NotFoundText(const std::string& title) {
    return "■Title Not Found：" + title;
}

TEST(OnlineLyrics, ANewTitleShowsTheServicesLyricsAtOnceAndFailuresChangeNothing) {
    const test::ScreenPicture synced = test::ReferenceLyrics::Instance().Show(kSyncedShown);
    OnlineRun run(true);
    // Japanese text, "&", "+", "#", "%" and blanks: the service gets the title's UTF-8.
    const std::string title = "synced 夏の雨 & R+B #1 100%";
    const DWORD start = GetTickCount();
    run.Play(title);
    ASSERT_TRUE(run.Shows(kSyncedShown, kShowWithin)) << run.folder.Read("overlay.txt");
    std::cout << "shown after " << GetTickCount() - start << " ms\n";
    test::ExpectShows(run.vesk->LyricsWindow(), synced, "synced");
    const std::vector<nlohmann::json> requests = RequestsFor(title);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0]["path"].get<std::string>().rfind("/api/search?q=", 0), 0u);
    EXPECT_EQ(requests[0]["user_agent"], "Vesk/" VESK_VERSION_SHORT);
    // Saved in the folder "Lyrics" beside Vesk.exe, made for it.
    EXPECT_EQ(run.folder.Read(Ansi("Lyrics\\" + title + ".lrc")), kSyncedFile);

    // Each answer that brings no lyrics: nothing saved or told; a song without words gets
    // its note.
    const struct {
        const char* title;
        std::string shown;
    } answers[] = {
        {"404 song", NotFoundText("404 song")},
        {"500 song", NotFoundText("500 song")},
        {"malformed song", NotFoundText("malformed song")},
        {"large song", NotFoundText("large song")},
        {"wrongtypes song", NotFoundText("wrongtypes song")},
        {"empty song", NotFoundText("empty song")},
        {"instrumental song", "■Instrumental：instrumental song"},
    };
    for (const auto& answer : answers) {
        run.Play(answer.title);
        EXPECT_TRUE(run.Asked(answer.title)) << answer.title;
        EXPECT_TRUE(run.Shows(answer.shown))
            << answer.title << ": " << run.folder.Read("overlay.txt");
    }
    // Results come in order: once this one shows, every one before it has been taken.
    run.Play("plain last");
    EXPECT_TRUE(run.Shows(kPlainShown, kShowWithin));
    EXPECT_EQ(run.LyricsFiles(),
              (std::vector<std::string>{"plain last.lrc", Ansi(title + ".lrc")}));
    EXPECT_EQ(run.Boxes(), 0u);

    // Once per run: none of them is asked again; the saved file answers at once.
    for (const auto& answer : answers) {
        run.Play(answer.title);
        EXPECT_TRUE(run.Shows(answer.shown)) << answer.title;
    }
    run.Play(title);
    EXPECT_TRUE(run.Shows(kSyncedShown));
    test::Pump(500);
    for (const auto& answer : answers) {
        EXPECT_EQ(RequestsFor(answer.title).size(), 1u) << answer.title;
    }
    EXPECT_EQ(RequestsFor(title).size(), 1u);
    EXPECT_EQ(RequestsFor("listed").size(), 0u) << "a title of the list is never searched";

    EXPECT_EQ(run.vesk->Exit(), std::optional<DWORD>(0));
    EXPECT_EQ(run.folder.Read("Vesk.csv"), run.list) << "nothing is added to the list";
}

// The longest a message to any of the windows waited for an answer, in ms, while done()
// was false (at most limit ms).
DWORD LongestAnswer(const std::vector<HWND>& windows, const std::function<bool()>& done,
                    DWORD limit) {
    DWORD longest = 0;
    const DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < limit) {
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

// How long the program takes to end after its exit command; it must end with code 0.
DWORD ExitTime(test::VeskProcess& vesk) {
    const DWORD start = GetTickCount();
    EXPECT_EQ(vesk.Exit(), std::optional<DWORD>(0));
    return GetTickCount() - start;
}

TEST(OnlineLyrics, AHangingAnswerHoldsNeitherTheWindowsNorTheExit) {
    OnlineRun run(true);
    const std::vector<HWND> windows{run.vesk->LyricsWindow(), run.vesk->TrayWindow()};
    ASSERT_NE(windows[0], nullptr);
    ASSERT_NE(windows[1], nullptr);

    run.Play("hang one");
    ASSERT_TRUE(run.Asked("hang one"));
    DWORD longest = LongestAnswer(
        windows, [] { return false; }, 1000);
    // Another song meanwhile shows its lyrics at once; a new title waits for its turn, the
    // hanging request's time-out, and then shows the service's lyrics.
    run.Play("listed");
    longest = std::max(
        longest,
        LongestAnswer(
            windows, [&] { return run.folder.Read("overlay.txt") == "listed words"; }, 5000));
    EXPECT_EQ(run.folder.Read("overlay.txt"), "listed words");
    run.Play("synced after");
    longest = std::max(
        longest,
        LongestAnswer(
            windows, [&] { return run.folder.Read("overlay.txt") == kSyncedShown; }, 20000));
    EXPECT_EQ(run.folder.Read("overlay.txt"), kSyncedShown);
    std::cout << "longest answer " << longest << " ms\n";
    EXPECT_LT(longest, kAnswerWithin);

    // The exit while a request hangs gives the worker half a second: it takes no longer
    // than an exit with nothing under way, but for that.
    run.Play("hang two");
    ASSERT_TRUE(run.Asked("hang two"));
    const DWORD hangingExit = ExitTime(*run.vesk);
    OnlineRun idle(true);
    const DWORD idleExit = ExitTime(*idle.vesk);
    std::cout << "exit " << hangingExit << " ms while a request hangs, " << idleExit
              << " ms without\n";
    EXPECT_LT(hangingExit, idleExit + kStopWait + kExitJitter);
}

TEST(OnlineLyrics, TheSettingOffSendsNothingAndTheTrayItemAsksAndTells) {
    OnlineRun run(false);
    run.Play("synced off");
    EXPECT_TRUE(run.Shows(NotFoundText("synced off")));
    test::Pump(1000);  // ten title checks
    EXPECT_EQ(RequestsFor("synced off").size(), 0u);

    // The user asks from the tray: a failure is told in a box.
    run.Play("500 tray");
    EXPECT_TRUE(run.Shows(NotFoundText("500 tray")));
    PostMessageA(run.vesk->MainForm(), WM_COMMAND, mitSearchOnline, 0);
    const HWND box = test::WaitVeskDialog(*run.vesk, "Vesk");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(test::ControlText(box, kMessageBoxText),
              Ansi("「500 tray」の歌詞を探せませんでした。\r\n歌詞サービスがエラーを返しました"
                   "（HTTP 500）。しばらくしてからもう一度お試しください。"));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(PumpUntil([&] { return run.Boxes() == 0; }, 10000));
    // Found: saved and shown, nothing to tell.
    run.Play("synced tray");
    EXPECT_TRUE(run.Shows(NotFoundText("synced tray")));
    PostMessageA(run.vesk->MainForm(), WM_COMMAND, mitSearchOnline, 0);
    EXPECT_TRUE(run.Shows(kSyncedShown, kShowWithin));
    EXPECT_EQ(run.Boxes(), 0u);
    EXPECT_EQ(RequestsFor("500 tray").size(), 1u);
    EXPECT_EQ(RequestsFor("synced tray").size(), 1u);
    EXPECT_EQ(RequestsFor("synced off").size(), 0u);
    EXPECT_EQ(run.vesk->Exit(), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace vesk
