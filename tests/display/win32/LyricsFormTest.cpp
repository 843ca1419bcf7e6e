// The lyrics window on Wine's desktop, kept hidden (FormPos 3 shows nothing): as created,
// its settings, the layered-window rule, z-order modes, edge zones, fitting, the fade and
// closing.

#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "LyricsFormTestKit.h"
#include "TestArguments.h"
#include "display/win32/GdiCanvas.h"
#include "display/win32/LyricsFormRes.h"
#include "settings/KelpIniFile.h"

namespace vesk {
namespace {

using test::Ansi;
using test::LyricsRig;

constexpr char kHidden[] = "FormPos=3\r\n";

LONG ExStyle(HWND window) {
    return GetWindowLongA(window, GWL_EXSTYLE);
}

RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

bool Checked(TfrmLyrics& window, UINT item) {
    return (GetMenuState(window.pupMain(), item, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

std::string MenuText(HMENU menu, int position) {
    char text[128] = {};
    GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof(text), MF_BYPOSITION);
    return text;
}

TEST(LyricsWindow, CreatedAsItsFormDescribes) {
    LyricsRig rig;
    rig.WriteSettings(kHidden);
    TfrmLyrics& window = rig.Open();
    const HWND hwnd = window.Handle();

    char text[64] = {};
    GetWindowTextA(hwnd, text, sizeof(text));
    EXPECT_EQ(text, Ansi("歌詞"));
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    EXPECT_NE(style & WS_POPUP, 0);
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_VISIBLE), 0);
    EXPECT_NE(ExStyle(hwnd) & WS_EX_TOOLWINDOW, 0);  // no task-bar button
    EXPECT_EQ(ExStyle(hwnd) & (WS_EX_LAYERED | WS_EX_TOPMOST), 0);
    const RECT rect = WindowRect(hwnd);
    EXPECT_EQ(rect.left, 205);
    EXPECT_EQ(rect.top, 528);
    EXPECT_EQ(rect.right - rect.left, 280);
    EXPECT_EQ(rect.bottom - rect.top, 159);

    const TShadowLabel& label = window.slbLyrics;
    EXPECT_EQ(label.BoundsRect(), (TRect{10, 10, 270, 149}));
    EXPECT_EQ(label.Anchors(), kAnchorsAll);
    EXPECT_TRUE(label.Transparent());
    EXPECT_TRUE(label.WordWrap());
    EXPECT_FALSE(label.AutoSize());
    EXPECT_FALSE(label.ShowAccelChar());  // "R&B" shows its "&"
    EXPECT_EQ(label.Alignment(), TAlignment::taLeftJustify);
    EXPECT_FALSE(label.Shadow().Visible());
    EXPECT_FALSE(label.Highlight().Visible());
    EXPECT_EQ(label.Font().name, Ansi("ＭＳ Ｐゴシック"));
    EXPECT_EQ(label.Font().size, 9);
    EXPECT_EQ(label.Font().color, kClWindowText);
    EXPECT_EQ(label.Font().charset, kShiftJisCharset);
    EXPECT_EQ(window.BackColor(), kClWhite);

    const HMENU menu = window.pupMain();
    const char* const captions[] = {"設定(&S)",
                                    "",
                                    "メモ帳で開く(&M)",
                                    "再読み込み(&R)",
                                    "貼り付け割り当て(&A)",
                                    "",
                                    "背景を透過(&P)",
                                    "位置を固定(&I)",
                                    "",
                                    "常に手前に表示(&T)",
                                    "常に背面に表示(&B)",
                                    "",
                                    "非表示(&X)"};
    ASSERT_EQ(GetMenuItemCount(menu), 13);
    for (int i = 0; i < 13; ++i) {
        EXPECT_EQ(MenuText(menu, i), Ansi(captions[i])) << "item " << i;
    }
}

// The program carries the same menu as this test program.
TEST(LyricsWindow, ProgramCarriesThePopUpMenu) {
    ASSERT_FALSE(test::Arguments().empty()) << "pass the path of Vesk.exe";
    HMODULE program =
        LoadLibraryExA(test::Arguments().front().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    const MenuHandle menu(LoadMenuA(program, MAKEINTRESOURCEA(IDR_LYRICS_POPUP)));
    ASSERT_TRUE(menu);
    const HMENU popup = GetSubMenu(menu.Get(), 0);
    ASSERT_EQ(GetMenuItemCount(popup), 13);
    EXPECT_EQ(MenuText(popup, 0), Ansi("設定(&S)"));
    EXPECT_EQ(GetMenuItemID(popup, 12), static_cast<UINT>(IDM_LYRICS_CLOSE));
    FreeLibrary(program);
}

TEST(LyricsWindow, LayeredAttributesFollowTheSwitches) {
    LyricsRig rig;
    rig.WriteSettings(kHidden);
    TfrmLyrics& window = rig.Open();
    const HWND hwnd = window.Handle();
    struct Row {
        const char* keys;
        bool layered;
        COLORREF key;
        BYTE alpha;
        DWORD flags;
    };
    const COLORREF btnFace = GetSysColor(COLOR_BTNFACE);
    const Row rows[] = {
        {"FormAlphaBlend=1\r\nFormAlphaBlendValue=200\r\n", true, 0x00FFFFFF, 200, LWA_ALPHA},
        {"BackTransparent=1\r\nBackColor=0x00102030\r\n", true, 0x00102030, 255, LWA_COLORKEY},
        // Only the low 8 bits of the alpha value count: 356 is 100.
        {"FormAlphaBlend=1\r\nFormAlphaBlendValue=356\r\nBackTransparent=1\r\n"
         "BackColor=0x00102030\r\n",
         true, 0x00102030, 100, LWA_ALPHA | LWA_COLORKEY},
        {"FormAlphaBlendValue=356\r\n", false, 0, 0, 0},
        // A system colour is keyed by its current value.
        {"BackTransparent=1\r\nBackColor=0x8000000F\r\n", true, btnFace, 255, LWA_COLORKEY},
        {"", false, 0, 0, 0},
    };
    for (const Row& row : rows) {
        rig.WriteSettings(std::string(kHidden) + row.keys);
        window.LoadSettings();
        EXPECT_EQ((ExStyle(hwnd) & WS_EX_LAYERED) != 0, row.layered) << row.keys;
        COLORREF key = 0;
        BYTE alpha = 0;
        DWORD flags = 0;
        if (row.layered) {
            ASSERT_TRUE(GetLayeredWindowAttributes(hwnd, &key, &alpha, &flags)) << row.keys;
            EXPECT_EQ(flags, row.flags) << row.keys;
            if ((flags & LWA_ALPHA) != 0) {
                EXPECT_EQ(alpha, row.alpha) << row.keys;
            }
            if ((flags & LWA_COLORKEY) != 0) {
                EXPECT_EQ(key, row.key) << row.keys;
            }
        }
    }

    // The menu's toggle switches the colour key alone.
    window.ToggleBackTransparent();
    EXPECT_TRUE(window.BackTransparent());
    EXPECT_TRUE(Checked(window, IDM_LYRICS_BACKTRANSPARENT));
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(hwnd, nullptr, nullptr, &flags));
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY));
    SendMessageA(hwnd, WM_COMMAND, IDM_LYRICS_BACKTRANSPARENT, 0);
    EXPECT_FALSE(window.BackTransparent());
    EXPECT_FALSE(Checked(window, IDM_LYRICS_BACKTRANSPARENT));
    EXPECT_EQ(ExStyle(hwnd) & WS_EX_LAYERED, 0);
}

TEST(LyricsWindow, SettingsAreAppliedAndTheirStepsFollow) {
    LyricsRig rig;
    rig.WriteSettings(std::string(kHidden) +
                      "Font.Name=Arial\r\nFont.Size=14\r\nFont.Style=1\r\n"
                      "Font.Color=0x00FFFFFF\r\nFormSize.XSize=300\r\nFormSize.YSize=200\r\n"
                      "FormClientPos.X=40\r\nFormClientPos.Y=50\r\nBackTransparent=1\r\n"
                      "FadeInOut=1\r\nFormFix=1\r\nFitBottom=1\r\nFitRight=1\r\nChangeWidth=1\r\n"
                      "Alignment=1\r\nShadowColor=0x00FFFFFF\r\nShadowLeft=2\r\nShadowTop=2\r\n"
                      "ShadowHighLight=1\r\n");
    TfrmLyrics& window = rig.Open();
    const TShadowLabel& label = window.slbLyrics;
    EXPECT_EQ(label.Font().name, "Arial");
    EXPECT_EQ(label.Font().size, 14);
    EXPECT_EQ(label.Font().style, kFontBold);
    // Equal to the white background, so that the colour key would take it: one off.
    EXPECT_EQ(label.Font().color, 0x00FFFFFEu);
    EXPECT_EQ(label.Shadow().Color(), 0x00FFFFFEu);
    EXPECT_TRUE(label.Shadow().Visible());
    EXPECT_EQ(label.Shadow().OffsetLeft(), 2);
    EXPECT_EQ(label.Shadow().OffsetTop(), 2);
    EXPECT_TRUE(label.Highlight().Visible());
    EXPECT_EQ(label.Highlight().OffsetLeft(), -2);
    EXPECT_EQ(label.Highlight().OffsetTop(), -2);
    EXPECT_EQ(label.Highlight().Color(), 0x00FFFFFEu);
    EXPECT_EQ(label.Alignment(), TAlignment::taCenter);
    const RECT rect = WindowRect(window.Handle());
    EXPECT_EQ(rect.left, 40);
    EXPECT_EQ(rect.top, 50);
    EXPECT_EQ(rect.right, 340);
    EXPECT_EQ(rect.bottom, 250);
    EXPECT_EQ(label.BoundsRect(), (TRect{10, 10, 290, 190}));  // grown with the window
    EXPECT_TRUE(window.BackTransparent());
    EXPECT_TRUE(Checked(window, IDM_LYRICS_BACKTRANSPARENT));
    EXPECT_TRUE(window.FadeInOut());
    EXPECT_TRUE(window.PositionFixed());
    EXPECT_TRUE(window.Fitting().fitBottom);
    EXPECT_TRUE(window.Fitting().fitRight);
    EXPECT_TRUE(window.Fitting().changeWidth);

    // Reading again: check marks are only ever set; no offsets hide both shadow layers;
    // an unknown alignment keeps the one there is; the size limits hold.
    rig.WriteSettings(std::string(kHidden) +
                      "BackTransparent=0\r\nFormFix=0\r\nAlignment=7\r\nShadowLeft=0\r\n"
                      "ShadowTop=0\r\nShadowHighLight=1\r\nFormSize.XSize=50\r\n"
                      "FormSize.YSize=5\r\n");
    window.LoadSettings();
    EXPECT_FALSE(window.BackTransparent());
    EXPECT_TRUE(Checked(window, IDM_LYRICS_BACKTRANSPARENT));
    EXPECT_FALSE(window.PositionFixed());
    EXPECT_EQ(label.Alignment(), TAlignment::taCenter);
    EXPECT_FALSE(label.Shadow().Visible());
    EXPECT_FALSE(label.Highlight().Visible());
    const RECT small = WindowRect(window.Handle());
    EXPECT_EQ(small.right - small.left, 100);
    EXPECT_EQ(small.bottom - small.top, 20);
    // The font name was not in the file this time: the current font stays.
    EXPECT_EQ(label.Font().name, "Arial");
}

// A saved place on a monitor removed since comes back onto the screen, and is written so at
// the close; a window partly on the screen stays where it was.
TEST(LyricsWindow, ASavedPlaceOnNoMonitorIsBroughtBack) {
    RECT work{};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    const struct {
        const char* place;
        POINT expected;
    } rows[] = {
        {"FormClientPos.X=-30000\r\nFormClientPos.Y=20000\r\n", {work.left, work.bottom - 60}},
        {"FormClientPos.X=-299\r\nFormClientPos.Y=-59\r\n", {-299, -59}},
    };
    for (const auto& row : rows) {
        LyricsRig rig;
        rig.WriteSettings(std::string(kHidden) + "FormSize.XSize=300\r\nFormSize.YSize=60\r\n" +
                          row.place);
        TfrmLyrics& window = rig.Open();
        const RECT rect = WindowRect(window.Handle());
        EXPECT_EQ(rect.left, row.expected.x) << row.place;
        EXPECT_EQ(rect.top, row.expected.y) << row.place;
        EXPECT_EQ(rect.right - rect.left, 300) << row.place;
        EXPECT_EQ(rect.bottom - rect.top, 60) << row.place;
        window.Close();
        EXPECT_EQ(rig.IniValue("FormClientPos.X"), std::to_string(row.expected.x)) << row.place;
    }
}

TEST(LyricsWindow, UnreadableColourKeepsTheKeysReadBeforeIt) {
    LyricsRig rig;
    rig.WriteSettings(kHidden);
    TfrmLyrics& window = rig.Open();
    rig.WriteSettings(
        "FormSize.XSize=333\r\nFormSize.YSize=222\r\nFormAlphaBlend=1\r\n"
        "FormAlphaBlendValue=99\r\nBackColor=0x00GG0000\r\nBackTransparent=1\r\n"
        "FormFix=1\r\nShadowLeft=3\r\n");
    EXPECT_THROW(window.LoadSettings(), IniConvertError);
    const RECT rect = WindowRect(window.Handle());
    EXPECT_EQ(rect.right - rect.left, 333);
    EXPECT_EQ(rect.bottom - rect.top, 222);
    BYTE alpha = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(window.Handle(), nullptr, &alpha, nullptr));
    EXPECT_EQ(alpha, 99);
    EXPECT_EQ(window.BackColor(), kClWhite);
    EXPECT_FALSE(window.BackTransparent());
    EXPECT_FALSE(window.PositionFixed());
    EXPECT_EQ(window.slbLyrics.Shadow().OffsetLeft(), 0);
}

TEST(LyricsWindow, CloseWritesBackOnlyTheKeysThatWereRead) {
    LyricsRig rig;
    rig.WriteSettings(kHidden);
    TfrmLyrics& window = rig.Open();
    rig.WriteSettings(
        "Font.Name=Arial\r\nFormAlphaBlend=1\r\nBackColor=0xZZ\r\nBackTransparent=1\r\n"
        "FormPos=2\r\nFormFix=1\r\n");
    EXPECT_THROW(window.LoadSettings(), IniConvertError);
    window.Close();
    EXPECT_EQ(rig.IniValue("Font.Name"), "Arial");  // read before the colour: written back
    EXPECT_NE(rig.IniValue("FormSize.XSize"), "(none)");
    // Not read: the stored values stay, not the window's own.
    EXPECT_EQ(rig.IniValue("BackTransparent"), "1");
    EXPECT_EQ(rig.IniValue("FormPos"), "2");
    EXPECT_EQ(rig.IniValue("FormFix"), "1");
}

int LyricsWindowsOfThisProcess() {
    int count = 0;
    for (HWND window = FindWindowExA(nullptr, nullptr, "TfrmLyrics", nullptr); window != nullptr;
         window = FindWindowExA(nullptr, window, "TfrmLyrics", nullptr)) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        count += process == GetCurrentProcessId() ? 1 : 0;
    }
    return count;
}

// What the tray would do while the error box is open: its commands run in the box's
// message loop.
struct WhileTheBoxIsOpen {
    LyricsRig* rig = nullptr;
    bool ran = false;
    bool windowExisted = false;
    TfrmLyrics* windowAfterCreate = nullptr;
};
WhileTheBoxIsOpen g_whileOpen;
void CALLBACK CreateAgainWhileTheBoxIsOpen(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    g_whileOpen.ran = true;
    g_whileOpen.windowExisted = g_whileOpen.rig->sink.LyricsWindowExists();
    g_whileOpen.rig->sink.CreateLyricsWindow();
    g_whileOpen.windowAfterCreate = g_whileOpen.rig->sink.frmLyrics();
}

TEST(LyricsWindow, ErrorOfTheSettingsAtCreationIsShownAndTheWindowStays) {
    LyricsRig rig;
    rig.WriteSettings(std::string(kHidden) + "ShadowColor=blue\r\n");
    g_whileOpen = {&rig};
    const int windowsBefore = LyricsWindowsOfThisProcess();
    auto box = test::AnswerBox("Vesk", IDOK, 500);
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, CreateAgainWhileTheBoxIsOpen);
    rig.sink.CreateLyricsWindow();
    KillTimer(nullptr, timer);
    const test::BoxSeen seen = box.get();
    EXPECT_TRUE(seen.found);
    EXPECT_NE(seen.text.find("$ue"), std::string::npos) << seen.text;
    EXPECT_TRUE(rig.sink.LyricsWindowExists());
    // The window was known while the box was open, so no second one was made.
    ASSERT_TRUE(g_whileOpen.ran);
    EXPECT_TRUE(g_whileOpen.windowExisted);
    EXPECT_EQ(g_whileOpen.windowAfterCreate, rig.sink.frmLyrics());
    EXPECT_EQ(LyricsWindowsOfThisProcess(), windowsBefore + 1);
}

TEST(LyricsWindow, FormPosOneAndTwoHoldAgainstOtherZOrderChanges) {
    LyricsRig rig;
    rig.WriteSettings("FormPos=1\r\n");
    TfrmLyrics& window = rig.Open();
    const HWND hwnd = window.Handle();
    EXPECT_FALSE(IsWindowVisible(hwnd));  // only normal mode shows the window at creation
    EXPECT_NE(ExStyle(hwnd) & WS_EX_TOPMOST, 0);
    EXPECT_TRUE(Checked(window, IDM_LYRICS_TOPMOST));
    SetWindowPos(hwnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_NE(ExStyle(hwnd) & WS_EX_TOPMOST, 0);

    // Bottom: a new window goes below it, but is put back above it.
    window.ToggleBottom();
    EXPECT_EQ(window.FormPos(), kFormPosBottom);
    EXPECT_TRUE(Checked(window, IDM_LYRICS_BOTTOM));
    EXPECT_FALSE(Checked(window, IDM_LYRICS_TOPMOST));
    EXPECT_EQ(ExStyle(hwnd) & WS_EX_TOPMOST, 0);
    const HWND other = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "other", WS_POPUP, 0, 0, 10, 10,
                                       nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    SetWindowPos(other, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(GetWindow(hwnd, GW_HWNDNEXT), nullptr);
    EXPECT_EQ(GetWindow(other, GW_HWNDNEXT), hwnd);

    // From bottom to top-most: the radio group moves the check mark.
    SendMessageA(hwnd, WM_COMMAND, IDM_LYRICS_TOPMOST, 0);
    EXPECT_EQ(window.FormPos(), kFormPosTopMost);
    EXPECT_TRUE(Checked(window, IDM_LYRICS_TOPMOST));
    EXPECT_FALSE(Checked(window, IDM_LYRICS_BOTTOM));
    EXPECT_NE(ExStyle(hwnd) & WS_EX_TOPMOST, 0);
    DestroyWindow(other);
}

TEST(LyricsWindow, FormPosThreeMakesNoZOrderCall) {
    LyricsRig rig;
    rig.WriteSettings("FormPos=3\r\n");
    TfrmLyrics& window = rig.Open();
    const HWND hwnd = window.Handle();
    EXPECT_FALSE(IsWindowVisible(hwnd));
    EXPECT_EQ(ExStyle(hwnd) & WS_EX_TOPMOST, 0);
    EXPECT_FALSE(Checked(window, IDM_LYRICS_TOPMOST));
    EXPECT_FALSE(Checked(window, IDM_LYRICS_BOTTOM));
    // Nothing is forced either.
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_NE(ExStyle(hwnd) & WS_EX_TOPMOST, 0);
    SendMessageA(hwnd, WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_NE(ExStyle(hwnd) & WS_EX_TOPMOST, 0);
    EXPECT_FALSE(IsWindowVisible(hwnd));
}

TEST(LyricsWindow, EdgeZonesAtTheirBorders) {
    LyricsRig rig;
    rig.WriteSettings(kHidden);
    const HWND hwnd = rig.Open().Handle();
    // 280 x 159 at (205, 528).
    struct Row {
        int x;
        int y;
        LRESULT result;
    };
    const Row rows[] = {
        {4, 9, HTTOPLEFT},         {5, 9, HTLEFT},
        {4, 10, HTLEFT},           {10, 9, HTTOP},
        {270, 9, HTTOP},           {271, 9, HTTOPRIGHT},
        {271, 10, HTRIGHT},        {9, 150, HTBOTTOMLEFT},
        {9, 149, HTLEFT},          {10, 150, HTBOTTOM},
        {271, 150, HTBOTTOMRIGHT}, {279, 158, HTBOTTOMRIGHT},
        {10, 10, HTCLIENT},        {270, 149, HTCLIENT},
        {140, 80, HTCLIENT},
    };
    for (const Row& row : rows) {
        const LPARAM point = MAKELPARAM(205 + row.x, 528 + row.y);
        EXPECT_EQ(SendMessageA(hwnd, WM_NCHITTEST, 0, point), row.result)
            << "at " << row.x << "," << row.y;
    }
}

// The window with the text fitted: its size, and its label's.
struct Fitted {
    RECT window;
    TRect label;
};

class FitOnWindow : public testing::Test {
protected:
    void Open(const std::string& keys) {
        rig.WriteSettings(std::string(kHidden) + "Font.Name=" + Ansi("ＭＳ ゴシック") +
                          "\r\nFont.Size=12\r\n" + keys);
        window = &rig.Open();
    }
    Fitted Show(const std::string& text) {
        window->ShowLyrics(text);
        return {WindowRect(window->Handle()), window->slbLyrics.BoundsRect()};
    }
    int TextWidth(const std::string& text) {
        TScreenCanvas canvas;
        canvas.SetFont(window->slbLyrics.Font());
        return canvas.TextWidth(text);
    }

    LyricsRig rig;
    TfrmLyrics* window = nullptr;
};

TEST_F(FitOnWindow, WithoutChangeWidthOnlyTheHeightFollows) {
    Open("");
    const Fitted one = Show(Ansi("一行目"));
    const int lineHeight = one.label.Height();
    EXPECT_GT(lineHeight, 10);
    EXPECT_EQ(one.window.bottom - one.window.top, lineHeight + 20);
    EXPECT_EQ(one.window.right - one.window.left, 280);
    EXPECT_EQ(one.label, (TRect{10, 10, 270, 10 + lineHeight}));
    const Fitted three = Show(Ansi("一行目\r\n二行目\r\n三行目"));
    EXPECT_EQ(three.label.Height(), 3 * lineHeight);
    EXPECT_EQ(three.window.bottom - three.window.top, 3 * lineHeight + 20);
    EXPECT_EQ(three.window.top, 528);
    EXPECT_EQ(window->slbLyrics.Caption(), Ansi("一行目\r\n二行目\r\n三行目"));
}

TEST_F(FitOnWindow, ChangeWidthTakesTheLongestLineButNeverLessThan100) {
    Open("ChangeWidth=1\r\n");
    const std::string longLine = Ansi("あいうえおかきくけこさしすせそたちつてと");
    const Fitted wide = Show(Ansi("短い") + "\r\n" + longLine);
    EXPECT_EQ(wide.label.Width(), TextWidth(longLine));
    EXPECT_EQ(wide.window.right - wide.window.left, TextWidth(longLine) + 20);
    const Fitted narrow = Show(Ansi("あ"));
    EXPECT_LT(TextWidth(Ansi("あ")), 80);
    EXPECT_EQ(narrow.window.right - narrow.window.left, 100);
    EXPECT_EQ(narrow.window.left, 205);
}

TEST_F(FitOnWindow, FitBottomAndFitRightKeepThoseEdges) {
    Open("ChangeWidth=1\r\nFitBottom=1\r\nFitRight=1\r\n");
    const Fitted first = Show(Ansi("一行目"));
    EXPECT_EQ(first.window.bottom, 687);
    EXPECT_EQ(first.window.right, 485);
    const Fitted grown = Show(Ansi("一行目\r\n二行目\r\n三行目は長い行です。"));
    EXPECT_EQ(grown.window.bottom, 687);
    EXPECT_EQ(grown.window.right, 485);
    EXPECT_LT(grown.window.top, first.window.top);  // grown upwards
    EXPECT_LT(grown.window.left, first.window.left);
}

TEST_F(FitOnWindow, ReturnToScreenPutsTheWindowInTheCorner) {
    Open("FormClientPos.X=-900\r\nFormClientPos.Y=5000\r\n");
    window->slbLyrics.SetCaption(Ansi("一行目\r\n二行目"));
    window->ReturnToScreen();
    const RECT rect = WindowRect(window->Handle());
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, 300);
    EXPECT_EQ(rect.bottom, window->slbLyrics.Height() + 20);
    EXPECT_EQ(window->slbLyrics.Width(), 280);
}

// What the window's layered attributes are at each pause of a fade.
struct FadeStep {
    bool layered;
    BYTE alpha;
    DWORD flags;
};

class FadeOnWindow : public testing::Test {
protected:
    void Open(const std::string& keys) {
        rig.WriteSettings(std::string(kHidden) + "FadeInOut=1\r\n" + keys);
        window = &rig.Open();
        window->SetFadeWait([this] {
            FadeStep step{(ExStyle(window->Handle()) & WS_EX_LAYERED) != 0, 0, 0};
            GetLayeredWindowAttributes(window->Handle(), nullptr, &step.alpha, &step.flags);
            steps.push_back(step);
            if (duringWait) {
                duringWait();
            }
        });
    }
    std::vector<int> Alphas() const {
        std::vector<int> alphas;
        for (const FadeStep& step : steps) {
            EXPECT_TRUE(step.layered);
            EXPECT_EQ(step.flags, static_cast<DWORD>(LWA_ALPHA));
            alphas.push_back(step.alpha);
        }
        return alphas;
    }

    LyricsRig rig;
    TfrmLyrics* window = nullptr;
    std::vector<FadeStep> steps;
    std::function<void()> duringWait;
};

TEST_F(FadeOnWindow, WithoutAlphaBlendingFromOpaqueToNothingAndBack) {
    Open("");
    window->ShowLyrics("words");
    std::vector<int> expected;
    for (int alpha = 235; alpha > 0; alpha -= 20) {
        expected.push_back(alpha);
    }
    expected.push_back(0);
    EXPECT_EQ(Alphas(), expected);
    EXPECT_EQ(window->slbLyrics.Caption(), "words");
    EXPECT_FALSE(window->AlphaBlend());
    EXPECT_EQ(ExStyle(window->Handle()) & WS_EX_LAYERED, 0);
}

TEST_F(FadeOnWindow, FromTheAlphaValueAndBackToIt) {
    Open("FormAlphaBlend=1\r\nFormAlphaBlendValue=100\r\n");
    window->ShowLyrics("words");
    EXPECT_THAT(Alphas(), testing::ElementsAre(80, 60, 40, 20, 0));
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(window->Handle(), nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 100);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
}

// A timer tick handled during the fade (as a message box's loop would) brings a new title:
// its text is shown, by the fade that runs, and no second fade starts.
void CALLBACK NewTitleTick(HWND, UINT, UINT_PTR id, DWORD);
test::TestMainForm* g_tickMain = nullptr;

void CALLBACK NewTitleTick(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    g_tickMain->TakeSongTitle("second");
    g_tickMain->RefreshLyrics();
}

TEST_F(FadeOnWindow, ANewTextDuringTheFadeStartsNoSecondFade) {
    // Before the window opens: an assignment shows the current song's text at once.
    rig.main.AssignLyrics({"second", rig.WriteFile("second.txt", "second words"), 0, 0});
    Open("");
    g_tickMain = &rig.main;
    duringWait = [this] {
        if (steps.size() == 3) {
            SetTimer(nullptr, 0, USER_TIMER_MINIMUM, NewTitleTick);
        }
        test::PumpMessages(20);
    };
    window->ShowLyrics("first words");
    EXPECT_EQ(steps.size(), 13u);
    EXPECT_EQ(window->slbLyrics.Caption(), "second words");
    EXPECT_EQ(ExStyle(window->Handle()) & WS_EX_LAYERED, 0);
    g_tickMain = nullptr;
}

// The main form's toggle opens the window with the current song's text, then closes it.
TEST(LyricsWindow, MainFormTogglesItThroughTheReference) {
    LyricsRig rig;
    rig.WriteSettings(kHidden);
    rig.main.TakeSongTitle(Ansi("夏の雨"));
    rig.main.AssignLyrics({rig.main.SongTitle(), rig.WriteFile("rain.txt", Ansi("雨\r\n")), 0, 0});
    rig.main.ToggleLyricsWindow();
    ASSERT_TRUE(rig.sink.LyricsWindowExists());
    const HWND hwnd = rig.Handle();
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_EQ(rig.Window().slbLyrics.Caption(), Ansi("雨"));
    rig.main.TakeSongTitle("PlayerNotFound");
    rig.main.RefreshLyrics();
    EXPECT_EQ(rig.Window().slbLyrics.Caption(), Ansi("■Player Not Found"));
    rig.main.ToggleLyricsWindow();
    EXPECT_FALSE(rig.sink.LyricsWindowExists());
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(rig.IniValue("FormPos"), "3");
}

TEST(LyricsWindow, CloseWritesItsSixKeysAndEmptiesTheReference) {
    LyricsRig rig;
    rig.WriteSettings("Font.Color=0x00FFFFFF\r\nFormPos=2\r\nFormFix=1\r\nBackTransparent=1\r\n");
    const HWND hwnd = rig.Open().Handle();
    SetWindowPos(hwnd, nullptr, 120, 130, 250, 90, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FALSE(rig.sink.LyricsWindowExists());
    EXPECT_EQ(rig.sink.frmLyrics(), nullptr);

    EXPECT_EQ(rig.IniValue("Font.Name"), Ansi("ＭＳ Ｐゴシック"));
    EXPECT_EQ(rig.IniValue("Font.Size"), "9");
    EXPECT_EQ(rig.IniValue("Font.Style"), "0");
    EXPECT_EQ(rig.IniValue("Font.Color"), "0x00FFFFFE");
    EXPECT_EQ(rig.IniValue("FormSize.XSize"), "250");
    EXPECT_EQ(rig.IniValue("FormSize.YSize"), "90");
    EXPECT_EQ(rig.IniValue("FormClientPos.X"), "120");
    EXPECT_EQ(rig.IniValue("FormClientPos.Y"), "130");
    EXPECT_EQ(rig.IniValue("BackTransparent"), "1");
    EXPECT_EQ(rig.IniValue("FormPos"), "2");
    EXPECT_EQ(rig.IniValue("FormFix"), "1");
    // The other keys are the settings dialog's to write.
    EXPECT_EQ(rig.IniValue("FadeInOut"), "(none)");
    EXPECT_EQ(rig.IniValue("BackColor"), "(none)");

    // Open again: the window comes back as it was left.
    TfrmLyrics& again = rig.Open();
    const RECT rect = WindowRect(again.Handle());
    EXPECT_EQ(rect.left, 120);
    EXPECT_EQ(rect.right - rect.left, 250);
    EXPECT_TRUE(again.PositionFixed());
    EXPECT_EQ(again.FormPos(), 2);
}

// Settings read while another program held the file are defaults: closing writes none of
// them over the user's once the file can be read again.
TEST(LyricsWindow, SettingsThatCouldNotBeReadAreNotWrittenBack) {
    LyricsRig rig;
    const std::string settings =
        "[LyricsForm]\r\nFormPos=3\r\nFormClientPos.X=123\r\nFormClientPos.Y=45\r\n"
        "BackTransparent=1\r\n";
    ASSERT_TRUE(CurrentFileSystem().ReplaceFile(rig.IniPath(), settings));
    HANDLE held = CreateFileA(rig.IniPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    TfrmLyrics& window = rig.Open();
    EXPECT_FALSE(window.BackTransparent());  // the default: the file could not be read
    CloseHandle(held);
    const HWND hwnd = window.Handle();
    window.Close();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(CurrentFileSystem().ReadFile(rig.IniPath()), settings);

    // Read as usual, the state is written at close.
    TfrmLyrics& again = rig.Open();
    EXPECT_TRUE(again.BackTransparent());
    again.Close();
    EXPECT_EQ(rig.IniValue("FormClientPos.X"), "123");
    EXPECT_NE(CurrentFileSystem().ReadFile(rig.IniPath()), settings);
}

TEST(LyricsWindow, CloseThatCannotSaveSaysSoAndStillCloses) {
    LyricsRig rig;
    rig.WriteSettings(kHidden);
    TfrmLyrics& window = rig.Open();
    const HWND hwnd = window.Handle();
    SetWindowPos(hwnd, nullptr, 11, 12, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(SetFileAttributesA(rig.IniPath().c_str(), FILE_ATTRIBUTE_READONLY));
    auto box = test::AnswerBox("Vesk", IDOK);
    window.Close();
    const test::BoxSeen seen = box.get();
    SetFileAttributesA(rig.IniPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(seen.found);
    EXPECT_NE(seen.text.find(rig.IniPath()), std::string::npos) << seen.text;
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FALSE(rig.sink.LyricsWindowExists());
    EXPECT_EQ(rig.IniValue("FormClientPos.X"), "(none)");
}

}  // namespace
}  // namespace vesk
