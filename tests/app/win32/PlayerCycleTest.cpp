// The title check against players that run in processes of their own: Wine's Notepad, a
// caption source written by no one here, and the Lyrics Master command started for real.
// Argument: the path of fake_player.exe.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "ChildProcess.h"
#include "TestArguments.h"
#include "TestFolder.h"
#include "TestText.h"
#include "app/FakeMainParts.h"
#include "app/untMain.h"
#include "app/win32/RunCommand.h"

namespace vesk {
namespace {

using test::Ansi;

// Waits until a top-level window of the class shows a caption that contains text.
HWND WaitForWindow(const char* className, const std::string& text) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < deadline) {
        HWND window = FindWindowA(className, nullptr);
        char caption[512] = {};
        if (window != nullptr && GetWindowTextA(window, caption, sizeof(caption)) > 0 &&
            std::string(caption).find(text) != std::string::npos) {
            return window;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return nullptr;
}

bool WaitForNoWindow(const char* className) {
    for (int i = 0; i < 600 && FindWindowA(className, nullptr) != nullptr; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return FindWindowA(className, nullptr) == nullptr;
}

class PlayerCycle : public testing::Test {
protected:
    PlayerCycle() {
        auto lyrics = std::make_unique<test::CountingLyrics>();
        form_.UseLyricsList(std::move(lyrics));
        window_.exists = true;
    }

    test::RecordingLyricsWindow window_;
    test::TestMainForm form_{TitleGet(), window_, RunCommandLine};
};

TEST_F(PlayerCycle, NotepadCaptionGivesTheFileName) {
    ASSERT_EQ(FindWindowA("Notepad", nullptr), nullptr) << "a Notepad is open already";
    const test::TestFolder folder;
    const std::string fileName = Ansi("夏の雨.txt");
    const std::string path = folder / fileName;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);

    const test::ChildProcess notepad("notepad.exe \"" + path + "\"");
    ASSERT_TRUE(notepad.Started());
    HWND window = WaitForWindow("Notepad", fileName);
    ASSERT_NE(window, nullptr) << "Notepad did not show the file";

    test::ChangeSettings(form_, [](MainFormSettings& s) {
        s.getClassName = "Notepad";
        s.delimiters = "-";
        s.topCut = 0;
        s.bottomCut = 0;
        s.titlePos = 1;
    });
    form_.tmrTitleCheckTimer();
    EXPECT_EQ(form_.SongTitle(), fileName) << test::Utf8(form_.SongTitle());
    EXPECT_EQ(window_.events, std::vector<std::string>{"show text of " + fileName});

    // Notepad closes: the title becomes "PlayerNotFound".
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(notepad.WaitEnd(30000));
    form_.tmrTitleCheckTimer();
    EXPECT_EQ(form_.SongTitle(), "PlayerNotFound");
}

TEST_F(PlayerCycle, LyricsMasterGetsTheTitleAsOneArgument) {
    char program[MAX_PATH] = {};
    ASSERT_FALSE(test::Arguments().empty()) << "pass the path of fake_player.exe";
    GetFullPathNameA(test::Arguments().front().c_str(), MAX_PATH, program, nullptr);
    // The fake player stands in for Lyrics Master: its caption is the argument it was given.
    const std::string className = "VeskTest.LyricsMaster." + std::to_string(GetCurrentProcessId());
    test::ChangeSettings(form_, [&](MainFormSettings& s) {
        s.lyricsMasterPath = "\"" + std::string(program) + "\" " + className + " \"[title]\"";
    });

    // A title from the tags that tries to end the quoted argument and add one of its own.
    form_.SearchLyricsMaster(Ansi("夏の雨\" \"x"));
    HWND window = WaitForWindow(className.c_str(), Ansi("夏の雨"));
    ASSERT_NE(window, nullptr) << "the command did not start";
    char caption[256] = {};
    GetWindowTextA(window, caption, sizeof(caption));
    EXPECT_EQ(std::string(caption), Ansi("夏の雨” ”x"));
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitForNoWindow(className.c_str()));

    // A title that ends in a backslash arrives whole, the backslash included.
    form_.SearchLyricsMaster(Ansi("雨\\"));
    window = WaitForWindow(className.c_str(), Ansi("雨"));
    ASSERT_NE(window, nullptr) << "the command did not start";
    GetWindowTextA(window, caption, sizeof(caption));
    EXPECT_EQ(std::string(caption), Ansi("雨\\"));
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitForNoWindow(className.c_str()));

    // A command that cannot start is not reported: a message box would keep this call from
    // returning.
    test::ChangeSettings(form_, [](MainFormSettings& s) {
        s.lyricsMasterPath = "\"C:\\no such folder\\lm.exe\" [title]";
    });
    form_.SearchLyricsMaster("Rain");
}

}  // namespace
}  // namespace vesk
