// The notification-area menus after the pointer comes over the icon. Under Wine another
// process's menu handle cannot be read (MN_GETHMENU gives a handle that GetMenuItemInfoA
// refuses), so the menus are checked twice: item by item from a main form made in this
// process on a program folder of its own, and as pictures: the menus that Vesk.exe opens
// against menus that the test builds with plain Win32 calls from the expected items.

#include <windows.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "TestFolder.h"
#include "TestText.h"
#include "app/win32/InProcessVesk.h"
#include "app/win32/LyricsWindowSink.h"
#include "app/win32/MainWindow.h"
#include "app/win32/TrayMenus.h"
#include "app/win32/VeskDriver.h"
#include "common/FileSystem.h"
#include "common/win32/WinHandles.h"
#include "settings/VeskSettings.h"
#include "tools/WineTray.h"

namespace vesk {
namespace {

using test::Ansi;
using test::PumpUntil;
using test::ScreenPicture;

// The icon's callback message, as the shell sends it (icon id 1, lParam the mouse message).
constexpr UINT kTrayCallback = 0x04C8;
constexpr WPARAM kIconId = 1;
// Where the pointer is when a menu opens: the menu's top-left corner, on no item.
constexpr POINT kMenuAt{600, 300};
constexpr POINT kAway{1100, 900};

struct MenuLine {
    UINT id = 0;          // 0: a separator
    std::string caption;  // ANSI
    bool checked = false;
    bool grayed = false;
    bool radio = false;
    bool isDefault = false;

    bool operator==(const MenuLine&) const = default;
};

void PrintTo(const MenuLine& line, std::ostream* out) {
    if (line.id == 0) {
        *out << "----";
        return;
    }
    *out << line.id << " " << test::Utf8(line.caption) << (line.checked ? " checked" : "")
         << (line.grayed ? " grayed" : "") << (line.radio ? " radio" : "")
         << (line.isDefault ? " default" : "");
}

MenuLine Item(UINT id, const char* utf8Caption, bool checked = false, bool grayed = false,
              bool radio = false) {
    return {id, Ansi(utf8Caption), checked, grayed, radio};
}

const MenuLine kSeparatorLine{};

struct WindowState {
    bool open = false;
    bool backTransparent = false;
    bool topMost = false;
    bool bottom = false;
};

std::vector<MenuLine> LeftMenu(const WindowState& window) {
    const bool grayed = !window.open;
    return {Item(mitVisible, "表示(&V)", window.open),
            kSeparatorLine,
            Item(mitReturnDisplay, "画面内に戻す(&U)", false, grayed),
            Item(mitBackTransparent, "背景を透過(&P)", window.backTransparent, grayed),
            kSeparatorLine,
            Item(mitTopMost, "常に手前に表示(&T)", window.topMost, grayed, true),
            Item(mitBottom, "常に背面に表示(&B)", window.bottom, grayed, true)};
}

struct Optional {
    bool amazon = true;
    bool lyricsMaster = false;
    bool pasteSave = false;
};

// The right menu. No player runs: the first item, the default one, says so.
std::vector<MenuLine> RightMenu(const Optional& optional) {
    MenuLine thisLyric = Item(mitThisLyric, "PlayerNotFound(&T)");
    thisLyric.isDefault = true;
    // Nothing plays: the online search has no song to search.
    std::vector<MenuLine> lines{
        thisLyric,
        Item(mitOpenText, "メモ帳で開く(&M)"),
        Item(mitSearchOnline, "歌詞をインターネットで探す(&I)", false, true),
        kSeparatorLine,
        Item(mitSetting, "設定(&S)"),
        Item(mitEditList, "歌詞リスト編集(&L)"),
        kSeparatorLine};
    if (optional.amazon) {
        lines.push_back(Item(mitAmazon, "AmazonでCDを購入(&Z)"));
    }
    if (optional.lyricsMaster) {
        lines.push_back(Item(mitLyricsMaster, "LyricsMasterで検索(&Y)"));
    }
    if (optional.pasteSave) {
        lines.push_back(Item(mitPasteSave, "貼り付け割り当て(&P)"));
    }
    if (optional.amazon || optional.lyricsMaster || optional.pasteSave) {
        lines.push_back(kSeparatorLine);
    }
    for (const MenuLine& line :
         {Item(mitReadme, "Readme表示(&R)"), Item(mitAbout, "バージョン情報(&A)"), kSeparatorLine,
          Item(mitExit, "終了(&X)")}) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<MenuLine> ReadMenu(HMENU menu) {
    std::vector<MenuLine> lines;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char caption[256] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = caption;
        info.cch = sizeof(caption);
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) {
            ADD_FAILURE() << "item " << i << " cannot be read";
            continue;
        }
        if ((info.fType & MFT_SEPARATOR) != 0) {
            lines.push_back(kSeparatorLine);
            continue;
        }
        lines.push_back({info.wID, caption, (info.fState & MFS_CHECKED) != 0,
                         (info.fState & MFS_GRAYED) != 0, (info.fType & MFT_RADIOCHECK) != 0,
                         (info.fState & MFS_DEFAULT) != 0});
    }
    return lines;
}

// The visible menu window of a process, nullptr when none is open.
HWND OpenMenuWindow(DWORD process) {
    for (HWND window : test::WindowsOfClass("#32768")) {
        if (IsWindowVisible(window) && test::ProcessOf(window) == process) {
            return window;
        }
    }
    return nullptr;
}

// A menu of this thread's modal menu loop, looked at from a thread timer and then closed.
struct MenuLook {
    std::vector<MenuLine> lines;
    ScreenPicture picture;
    int ticks = 0;
};
MenuLook* g_look = nullptr;

void CALLBACK LookAtOpenMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND menuWindow = OpenMenuWindow(GetCurrentProcessId());
    // A few ticks first, so that the menu has painted itself.
    if (g_look == nullptr || menuWindow == nullptr || ++g_look->ticks < 3) {
        return;
    }
    KillTimer(nullptr, timer);
    UpdateWindow(menuWindow);
    g_look->lines = ReadMenu(reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0)));
    g_look->picture = test::PictureOf(menuWindow);
    EndMenu();
}

// Runs open() (which opens a menu of this thread and returns when it closes) and looks at
// the menu while it is open.
MenuLook LookAtMenu(const std::function<void()>& open) {
    MenuLook look;
    g_look = &look;
    SetCursorPos(kMenuAt.x, kMenuAt.y);
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, LookAtOpenMenu);
    open();
    KillTimer(nullptr, timer);
    g_look = nullptr;
    EXPECT_FALSE(look.lines.empty()) << "no menu opened";
    return look;
}

// The picture of a menu built from the lines with plain Win32 calls, shown where Vesk's
// menus open.
ScreenPicture ExpectedMenuPicture(const std::vector<MenuLine>& lines) {
    static const HWND owner = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP, 0, 0, 0, 0,
                                              nullptr, nullptr, nullptr, nullptr);
    const MenuHandle menu(CreatePopupMenu());
    for (const MenuLine& line : lines) {
        if (line.id == 0) {
            AppendMenuA(menu.Get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        AppendMenuA(menu.Get(),
                    MF_STRING | (line.checked ? MF_CHECKED : 0) | (line.grayed ? MF_GRAYED : 0),
                    line.id, line.caption.c_str());
        if (line.radio) {
            MENUITEMINFOA info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_FTYPE;
            info.fType = MFT_STRING | MFT_RADIOCHECK;
            SetMenuItemInfoA(menu.Get(), line.id, FALSE, &info);
        }
        if (line.isDefault) {
            SetMenuDefaultItem(menu.Get(), line.id, FALSE);
        }
    }
    const MenuLook look = LookAtMenu([&] {
        TrackPopupMenu(menu.Get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, kMenuAt.x, kMenuAt.y, 0, owner,
                       nullptr);
    });
    EXPECT_EQ(look.lines, lines) << "the test's own menu";
    return look.picture;
}

// The pointer leaves the icon (the icon's poll notices it) and comes over it again.
void EnterIcon(HWND trayWindow) {
    SetCursorPos(kAway.x, kAway.y);
    test::Pump(400);
    SetCursorPos(kMenuAt.x, kMenuAt.y);
    SendMessageA(trayWindow, kTrayCallback, kIconId, WM_MOUSEMOVE);
}

// The picture of the menu that Vesk opens for a button of its icon.
ScreenPicture VeskMenuPicture(const test::VeskProcess& vesk, UINT buttonDown) {
    SetCursorPos(kMenuAt.x, kMenuAt.y);
    PostMessageA(vesk.TrayWindow(), kTrayCallback, kIconId, buttonDown);
    HWND menuWindow = nullptr;
    if (!PumpUntil([&] { return (menuWindow = OpenMenuWindow(vesk.Id())) != nullptr; }, 10000)) {
        ADD_FAILURE() << "Vesk opened no menu";
        return {};
    }
    test::Pump(150);
    const ScreenPicture picture = test::PictureOf(menuWindow);
    PostMessageA(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(PumpUntil([&] { return OpenMenuWindow(vesk.Id()) == nullptr; }, 10000));
    return picture;
}

void ExpectSamePicture(const ScreenPicture& shown, const ScreenPicture& expected,
                       const std::string& name) {
    if (!test::SamePicture(shown, expected)) {
        ADD_FAILURE() << "Vesk's " << name << " menu differs from the expected one";
        test::SaveForInspection(shown, name + "_shown");
        test::SaveForInspection(expected, name + "_expected");
    }
}

// Settings with the lyrics window closed at start and the optional commands off; then
// with the window open, transparent and in front, and every optional command on.
std::string ClosedSettings() {
    return "[MainForm]\r\nLyricShow=0\r\n";
}
std::string OpenSettings(const std::string& folder) {
    return "[MainForm]\r\nLyricShow=1\r\nNotAmazon=1\r\nPasteSavePath=" + folder +
           "\r\n[Connection]\r\nLyricsMasterOn=1\r\nLyricsMasterPath=lm.exe [title]\r\n"
           "[LyricsForm]\r\nFormPos=1\r\nBackTransparent=1\r\nFormClientPos.X=40\r\n"
           "FormClientPos.Y=560\r\n";
}
const WindowState kClosed{};
const WindowState kOpenInFront{true, true, true, false};
const Optional kDefaults{};
const Optional kAllOn{false, true, true};

TEST(TrayMenus, StatesReadItemByItemFromAMainFormInThisProcess) {
    ASSERT_TRUE(test::TrayIconWindows().empty()) << "an icon is in the tray already";
    const test::TestFolder folder;
    ASSERT_TRUE(CurrentFileSystem().ReplaceFile(folder / "Vesk.ini", ClosedSettings()));
    test::InProcessVesk vesk(folder.Path());
    TMainWindow& form = *vesk.form;
    const TLyricsWindowSink& lyricsWindow = vesk.lyricsWindow;
    ASSERT_TRUE(form.Create());
    const HWND trayWindow = FindWindowA("TaskTrayHandle", nullptr);
    ASSERT_NE(trayWindow, nullptr);
    ASSERT_EQ(test::ProcessOf(trayWindow), GetCurrentProcessId());
    auto menuOf = [&](UINT buttonDown) {
        return LookAtMenu([&] { SendMessageA(trayWindow, kTrayCallback, kIconId, buttonDown); })
            .lines;
    };

    EnterIcon(trayWindow);
    EXPECT_EQ(menuOf(WM_LBUTTONDOWN), LeftMenu(kClosed));
    EXPECT_EQ(menuOf(WM_RBUTTONDOWN), RightMenu(kDefaults));

    // The settings change and the window opens: nothing shows until the pointer comes
    // over the icon again.
    ASSERT_TRUE(CurrentFileSystem().ReplaceFile(folder / "Vesk.ini", OpenSettings(folder.Path())));
    form.LoadMainSettings();
    SendMessageA(form.Handle(), WM_COMMAND, mitVisible, 0);
    ASSERT_NE(lyricsWindow.frmLyrics(), nullptr);
    EXPECT_EQ(menuOf(WM_LBUTTONDOWN), LeftMenu(kClosed));
    EnterIcon(trayWindow);
    EXPECT_EQ(menuOf(WM_LBUTTONDOWN), LeftMenu(kOpenInFront));
    EXPECT_EQ(menuOf(WM_RBUTTONDOWN), RightMenu(kAllOn));

    // From the front to the back.
    SendMessageA(form.Handle(), WM_COMMAND, mitBottom, 0);
    EnterIcon(trayWindow);
    EXPECT_EQ(menuOf(WM_LBUTTONDOWN), LeftMenu({true, true, false, true}));

    SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
    test::Pump(100);  // takes the end of the form's message loop out of this thread's queue
    EXPECT_TRUE(test::TrayIconWindows().empty());
}

TEST(TrayMenus, VeskShowsTheMenusOfItsStateWhenThePointerComesOverTheIcon) {
    ASSERT_TRUE(test::TrayIconWindows().empty()) << "an icon is in the tray already";
    const test::ProgramFolder folder;
    struct Run {
        std::string settings;
        WindowState window;
        Optional optional;
        const char* name;
    };
    for (const Run& run : {Run{ClosedSettings(), kClosed, kDefaults, "closed"},
                           Run{OpenSettings(folder.Path()), kOpenInFront, kAllOn, "open"}}) {
        SCOPED_TRACE(run.name);
        folder.Write("Vesk.ini", run.settings);
        const ScreenPicture left = ExpectedMenuPicture(LeftMenu(run.window));
        const ScreenPicture right = ExpectedMenuPicture(RightMenu(run.optional));
        test::VeskProcess vesk(folder.Program());
        ASSERT_TRUE(vesk.WaitReady());
        ASSERT_EQ(vesk.LyricsWindow() != nullptr, run.window.open);
        EnterIcon(vesk.TrayWindow());
        ExpectSamePicture(VeskMenuPicture(vesk, WM_LBUTTONDOWN), left,
                          std::string(run.name) + "_left");
        ExpectSamePicture(VeskMenuPicture(vesk, WM_RBUTTONDOWN), right,
                          std::string(run.name) + "_right");
        EXPECT_EQ(vesk.Exit(), std::optional<DWORD>(0));
    }
}

}  // namespace
}  // namespace vesk
