// The watch on the program's folder: other files written there (the overlay text file on
// every song change, Vesk.ini) never make the list be read; each change of the list does.

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "TestFolder.h"
#include "app/win32/ListFileWatch.h"
#include "common/FileSystem.h"
#include "common/win32/MessageLoop.h"

namespace vesk {
namespace {

TEST(ListFileWatch, ReportsChangesOfTheListFileOnly) {
    const test::TestFolder folder;
    const std::string list = folder / "Vesk.csv";
    const FileSystem& files = CurrentFileSystem();
    ASSERT_TRUE(files.ReplaceFile(list, "\"a\",\"a.txt\",0,0\r\n"));
    std::atomic<int> reported{0};
    int reportedForOtherFiles = -1;
    const DWORD loopThread = GetCurrentThreadId();
    const TListFileWatch watch(list, [&] {
        ++reported;
        return true;
    });

    std::thread otherProgram([&] {
        for (int song = 0; song < 20; ++song) {
            files.ReplaceFile(folder / "now.txt", "song " + std::to_string(song));
            Sleep(20);
        }
        files.ReplaceFile(folder / "Vesk.ini", "[MainForm]\r\nLyricShow=1\r\n");
        Sleep(500);
        reportedForOtherFiles = reported;
        files.ReplaceFile(list, "\"b\",\"b.txt\",0,0\r\n");
        Sleep(500);
        files.ReplaceFile(list, "\"c\",\"c.txt\",0,0\r\n");
        Sleep(500);
        PostThreadMessageA(loopThread, WM_QUIT, 0, 0);
    });
    EXPECT_EQ(RunMessageLoop(), 0);
    otherProgram.join();
    EXPECT_EQ(reportedForOtherFiles, 0);
    EXPECT_GE(reported, 1);
    EXPECT_LE(reported, 2) << "the list is read no more often than it changes";
}

void CALLBACK GiveUp(HWND, UINT, UINT_PTR, DWORD) {
    PostQuitMessage(1);
}

// A list still held by its writer when it has kept still is looked at again without another
// change, until it can be read.
TEST(ListFileWatch, LooksAgainAtAListHeldByItsWriter) {
    const test::TestFolder folder;
    const std::string list = folder / "Vesk.csv";
    ASSERT_TRUE(CurrentFileSystem().ReplaceFile(list, "\"a\",\"a.txt\",0,0\r\n"));
    int looks = 0;
    const TListFileWatch watch(list, [&] {
        if (++looks == 2) {
            PostQuitMessage(0);
        }
        return looks >= 2;  // held at the first look
    });
    ASSERT_TRUE(CurrentFileSystem().ReplaceFile(list, "\"b\",\"b.txt\",0,0\r\n"));
    const UINT_PTR timer = SetTimer(nullptr, 0, 5000, GiveUp);
    EXPECT_EQ(RunMessageLoop(), 0);
    KillTimer(nullptr, timer);
    EXPECT_EQ(looks, 2);
}

}  // namespace
}  // namespace vesk
