// Paste assignment on the real desktop: the clipboard of Wine's desktop, and message boxes
// answered by a second thread that reads the text from the box itself.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "DesktopKit.h"
#include "TestFolder.h"
#include "TestText.h"
#include "common/FileSystem.h"
#include "editing/untPasteSave.h"

namespace vesk {
namespace {

using test::Ansi;
using test::AnswerBox;
using test::BoxSeen;
using test::PutTextOnClipboard;

void PutImageOnClipboard() {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 8);
    ReleaseDC(nullptr, screen);
    EXPECT_NE(SetClipboardData(CF_BITMAP, bitmap), nullptr);
    CloseClipboard();
}

class PasteSaveOnDesktop : public testing::Test {
protected:
    test::TestFolder folder;
    const std::string caption = Ansi("貼り付け割り当て");
    const std::string path = folder / Ansi("夏の雨／青空.txt");
};

TEST_F(PasteSaveOnDesktop, OkSavesTheConfirmedTextWithCrLf) {
    ASSERT_TRUE(PutTextOnClipboard(Ansi("一行目\n二行目\n")));
    auto box = AnswerBox(caption, IDOK);
    EXPECT_TRUE(PasteSave().Execute(folder.Path(), Ansi("夏の雨/青空")));
    const BoxSeen seen = box.get();
    ASSERT_TRUE(seen.found);
    EXPECT_TRUE(seen.hasCancel);
    // The static control shows the lone-CR lines as separate lines.
    EXPECT_NE(seen.text.find("\"" + path + Ansi("\" として")), std::string::npos) << seen.text;
    EXPECT_NE(seen.text.find(Ansi("一行目\n二行目\n……")), std::string::npos) << seen.text;
    EXPECT_NE(seen.text.find(Ansi("を保存します．")), std::string::npos);
    EXPECT_EQ(CurrentFileSystem().ReadFile(path), Ansi("一行目\r\n二行目\r\n"));
}

TEST_F(PasteSaveOnDesktop, CancelSavesNothing) {
    ASSERT_TRUE(PutTextOnClipboard("words"));
    auto box = AnswerBox(caption, IDCANCEL);
    EXPECT_FALSE(PasteSave().Execute(folder.Path(), Ansi("夏の雨/青空")));
    EXPECT_TRUE(box.get().found);
    EXPECT_EQ(CurrentFileSystem().KindOf(path), FileSystem::Kind::Missing);
}

TEST_F(PasteSaveOnDesktop, ExcerptIsTheFirstHundredBytes) {
    ASSERT_TRUE(PutTextOnClipboard(std::string(150, 'a') + std::string(150, 'b')));
    auto box = AnswerBox(caption, IDCANCEL);
    EXPECT_FALSE(PasteSave().Execute(folder.Path(), "x"));
    const BoxSeen seen = box.get();
    EXPECT_NE(seen.text.find(std::string(100, 'a') + Ansi("……")), std::string::npos);
    EXPECT_EQ(seen.text.find(std::string(101, 'a')), std::string::npos);
}

TEST_F(PasteSaveOnDesktop, NoTextOnTheClipboardIsToldWithOkOnly) {
    PutImageOnClipboard();
    auto box = AnswerBox(caption, IDOK);
    EXPECT_FALSE(PasteSave().Execute(folder.Path(), "x"));
    const BoxSeen seen = box.get();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.text, Ansi("貼り付けられる形式じゃありません"));
    EXPECT_FALSE(seen.hasCancel);
    EXPECT_EQ(CurrentFileSystem().KindOf(folder / "x.txt"), FileSystem::Kind::Missing);
}

TEST_F(PasteSaveOnDesktop, EmptyTextReplacesAnExistingFileWithZeroBytes) {
    ASSERT_TRUE(CurrentFileSystem().ReplaceFile(path, "old lyrics\r\n"));
    ASSERT_TRUE(PutTextOnClipboard(""));
    auto box = AnswerBox(caption, IDOK);
    EXPECT_TRUE(PasteSave().Execute(folder.Path(), Ansi("夏の雨/青空")));
    EXPECT_TRUE(box.get().found);
    EXPECT_EQ(CurrentFileSystem().ReadFile(path), "");
}

TEST_F(PasteSaveOnDesktop, ClipboardHeldByAnotherWindowLeavesTheFileAlone) {
    ASSERT_TRUE(CurrentFileSystem().ReplaceFile(path, "old lyrics\r\n"));
    ASSERT_TRUE(PutTextOnClipboard("words"));
    // Another thread keeps the clipboard open, as a clipboard tool does for a moment.
    const HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    const HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([&] {
        const HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                            nullptr, nullptr);
        const bool open = OpenClipboard(window) != FALSE;
        SetEvent(opened);
        WaitForSingleObject(release, 10000);
        if (open) {
            CloseClipboard();
        }
        DestroyWindow(window);
    });
    WaitForSingleObject(opened, 10000);
    auto box = AnswerBox(caption, IDOK);
    EXPECT_FALSE(PasteSave().Execute(folder.Path(), Ansi("夏の雨/青空")));
    const BoxSeen seen = box.get();
    SetEvent(release);
    holder.join();
    CloseHandle(opened);
    CloseHandle(release);
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.text, Ansi("貼り付けられる形式じゃありません"));
    EXPECT_EQ(CurrentFileSystem().ReadFile(path), "old lyrics\r\n");
}

}  // namespace
}  // namespace vesk
