// The lyrics window shown on Wine's desktop: shown at its creation in normal mode, dragged
// with real mouse input, raised again when the application loses activation, and a picture
// of its Japanese text with shadow and highlight. The tests share one window, which is
// never destroyed: Wine waits two seconds whenever a visible window goes.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "LyricsFormTestKit.h"
#include "ScreenCapture.h"
#include "display/win32/LyricsFormRes.h"

namespace vesk {
namespace {

using test::Ansi;
using test::LyricsRig;

class ShownWindow : public testing::Test {
protected:
    static void SetUpTestSuite() {
        if (rig_ != nullptr) {
            return;
        }
        rig_ = new LyricsRig;
        // No Vesk.ini: every key takes its default, so FormPos is 0.
        rig_->main.TakeSongTitle(Ansi("星降る坂道"));
        TfrmLyrics& window = rig_->Open();
        visibleAtCreation_ = IsWindowVisible(window.Handle()) != FALSE;
        rig_->main.RefreshLyrics();
        rig_->sink.ShowLyricsWindow();
        test::PumpMessages(100);
    }
    static void TearDownTestSuite() {
        // The window stays; only its files go.
        std::error_code ignored;
        std::filesystem::remove_all(rig_->folder.Path(), ignored);
    }

    static LyricsRig& Rig() { return *rig_; }
    static TfrmLyrics& Window() { return rig_->Window(); }
    static HWND Handle() { return rig_->Handle(); }
    static RECT Rect() {
        RECT rect{};
        GetWindowRect(Handle(), &rect);
        return rect;
    }
    static void MoveTo(int left, int top, int width, int height) {
        SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        test::PumpMessages(50);
    }
    // A left-button drag from one screen point to another, in a few steps.
    static void Drag(int x0, int y0, int x1, int y1) {
        test::MouseTo(x0, y0);
        test::PumpMessages(50);
        test::LeftButton(true);
        test::PumpMessages(50);
        for (int step = 1; step <= 4; ++step) {
            test::MouseTo(x0 + (x1 - x0) * step / 4, y0 + (y1 - y0) * step / 4);
            test::PumpMessages(30);
        }
        test::LeftButton(false);
        test::PumpMessages(200);
    }
    // The same, all input given before any of it is handled: a press on an edge starts the
    // system's sizing loop, which runs until the release. Every point lies inside the window
    // as it is before, so that the input goes to it.
    static void QueuedDrag(int x0, int y0, int x1, int y1) {
        test::MouseTo(x0, y0);
        test::PumpMessages(50);
        test::LeftButton(true);
        test::MouseTo((x0 + x1) / 2, (y0 + y1) / 2);
        test::MouseTo(x1, y1);
        test::LeftButton(false);
        test::PumpMessages(300);
    }

    static inline LyricsRig* rig_ = nullptr;
    static inline bool visibleAtCreation_ = false;
};

TEST_F(ShownWindow, NormalModeShowsItAtCreationReadyForDrops) {
    EXPECT_TRUE(visibleAtCreation_);
    EXPECT_TRUE(IsWindowVisible(Handle()));
    EXPECT_NE(GetWindowLongA(Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
    EXPECT_EQ(Window().slbLyrics.Caption(), Ansi("■Title Not Found：星降る坂道"));
}

TEST_F(ShownWindow, DragMovesItUnlessThePositionIsFixed) {
    MoveTo(100, 100, 280, 159);
    Drag(240, 180, 280, 210);  // from the label's middle
    RECT rect = Rect();
    EXPECT_EQ(rect.left, 140);
    EXPECT_EQ(rect.top, 130);
    EXPECT_EQ(rect.right - rect.left, 280);

    SendMessageA(Handle(), WM_COMMAND, IDM_LYRICS_FIX, 0);
    ASSERT_TRUE(Window().PositionFixed());
    Drag(280, 210, 330, 260);
    rect = Rect();
    EXPECT_EQ(rect.left, 140);
    EXPECT_EQ(rect.top, 130);

    // Fixed or not, the edges still resize it: the right edge zone, 30 to the left.
    QueuedDrag(140 + 275, 210, 140 + 245, 210);
    rect = Rect();
    EXPECT_EQ(rect.left, 140);
    EXPECT_EQ(rect.right - rect.left, 250);
    SendMessageA(Handle(), WM_COMMAND, IDM_LYRICS_FIX, 0);
    EXPECT_FALSE(Window().PositionFixed());
}

// The order of two top-level windows: true when first lies above second.
bool Above(HWND first, HWND second) {
    for (HWND next = GetWindow(first, GW_HWNDNEXT); next != nullptr;
         next = GetWindow(next, GW_HWNDNEXT)) {
        if (next == second) {
            return true;
        }
    }
    return false;
}

TEST_F(ShownWindow, NormalModeComesBackOnTopWhenTheApplicationIsLeft) {
    const HWND other = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "other", WS_POPUP, 0, 0, 10, 10,
                                       nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    SetWindowPos(other, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_TRUE(Above(other, Handle()));
    SendMessageA(Handle(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_TRUE(Above(Handle(), other));
    DestroyWindow(other);  // never shown: no wait

    // Top-most and back.
    Window().ToggleTopMost();
    EXPECT_NE(GetWindowLongA(Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    Window().ToggleTopMost();
    EXPECT_EQ(Window().FormPos(), 0);
    EXPECT_EQ(GetWindowLongA(Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(GetMenuState(Window().pupMain(), IDM_LYRICS_TOPMOST, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_TRUE(IsWindowVisible(Handle()));
}

// What a thread timer saw while the pop-up menu was open; it then closes the menu.
struct MenuSeen {
    bool open = false;
    bool pasteItem = true;
};
MenuSeen g_menuSeen;
HMENU g_menu = nullptr;

void CALLBACK LookAtMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    const HWND menuWindow = FindWindowA("#32768", nullptr);
    g_menuSeen.open = menuWindow != nullptr && IsWindowVisible(menuWindow);
    g_menuSeen.pasteItem = GetMenuState(g_menu, IDM_LYRICS_PASTESAVE, MF_BYCOMMAND) != UINT(-1);
    EndMenu();
}

TEST_F(ShownWindow, RightClickOpensThePopUpMenuWithoutThePasteItem) {
    MoveTo(100, 100, 280, 159);
    test::ChangeSettings(Rig().main, [](MainFormSettings& s) { s.pasteSavePath.clear(); });
    g_menu = Window().pupMain();
    g_menuSeen = {};
    test::MouseTo(240, 180);
    test::PumpMessages(50);
    SetTimer(nullptr, 0, 300, LookAtMenu);
    INPUT click[2]{};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    SendInput(2, click, sizeof(INPUT));
    test::PumpMessages(800);
    EXPECT_TRUE(g_menuSeen.open);
    EXPECT_FALSE(g_menuSeen.pasteItem);
    EXPECT_EQ(FindWindowA("#32768", nullptr) != nullptr &&
                  IsWindowVisible(FindWindowA("#32768", nullptr)),
              false);
}

constexpr Color kText = 0x00602000;
constexpr Color kShadow = 0x0090B0C0;
constexpr Color kBack = 0x00F0FFFF;

TEST_F(ShownWindow, JapaneseLyricsWithShadowAndHighlight) {
    Rig().WriteSettings("Font.Name=" + Ansi("ＭＳ Ｐゴシック") +
                        "\r\nFont.Size=20\r\nFont.Color=0x00602000\r\n"
                        "BackColor=0x00F0FFFF\r\nShadowColor=0x0090B0C0\r\nShadowLeft=2\r\n"
                        "ShadowTop=2\r\nShadowHighLight=1\r\nAlignment=1\r\n"
                        "FormClientPos.X=60\r\nFormClientPos.Y=60\r\nFormSize.XSize=420\r\n");
    Window().LoadSettings();
    Window().ShowLyrics(Ansi("星降る坂道を\r\nふたりで歩いた\r\n& あの夜の約束"));
    test::PumpMessages(200);

    const test::ScreenPicture picture = test::CaptureScreen(Rect());
    const std::string file = "lyrics-window.png";
    EXPECT_TRUE(test::SavePng(picture, file));
    std::printf("picture of the lyrics window: %s\n",
                std::filesystem::absolute(file).string().c_str());

    ASSERT_EQ(picture.width, 420);
    EXPECT_EQ(picture.At(3, 3), kBack);
    // Text rows, and shadow-coloured pixels two rows above the first (the highlight) and
    // two rows below the last (the shadow).
    int firstTextRow = -1;
    int lastTextRow = -1;
    int textPixels = 0;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (picture.At(x, y) == kText) {
                ++textPixels;
                lastTextRow = y;
                if (firstTextRow < 0) {
                    firstTextRow = y;
                }
            }
        }
    }
    ASSERT_GT(textPixels, 200);
    const auto shadowInRow = [&](int y) {
        for (int x = 0; x < picture.width; ++x) {
            if (picture.At(x, y) == kShadow) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(shadowInRow(firstTextRow - 2) || shadowInRow(firstTextRow - 1));
    EXPECT_TRUE(shadowInRow(lastTextRow + 2) || shadowInRow(lastTextRow + 1));
    EXPECT_FALSE(shadowInRow(firstTextRow - 3));
    EXPECT_FALSE(shadowInRow(lastTextRow + 3));

    // With the colour key the background is gone and the text stays.
    Window().ToggleBackTransparent();
    test::PumpMessages(200);
    const test::ScreenPicture keyed = test::CaptureScreen(Rect());
    EXPECT_TRUE(test::SavePng(keyed, "lyrics-window-keyed.png"));
    Window().ToggleBackTransparent();
    EXPECT_NE(keyed.At(3, 3), kBack);
    int keyedText = 0;
    for (int y = 0; y < keyed.height; ++y) {
        for (int x = 0; x < keyed.width; ++x) {
            keyedText += keyed.At(x, y) == kText ? 1 : 0;
        }
    }
    EXPECT_EQ(keyedText, textPixels);
}

}  // namespace
}  // namespace vesk
