// The tray icon against the real shell of the test session (Wine's explorer, which shows
// the icons of a display without a tray of its own in a "Wine System Tray" window): the icon
// is read back from that window, menus are found as open menu windows, the pointer is
// moved with SendInput.

#include "shell/win32/Taskbar.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shellapi.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "DesktopKit.h"
#include "TestText.h"
#include "common/win32/WideText.h"
#include "common/win32/Window.h"
#include "tools/WineTray.h"

namespace vesk {
namespace {

using test::TipOfTrayIcon;
using test::TrayIconWindows;

using test::Pump;
using test::PumpUntil;

bool ShellKnowsIcon(HWND hidden) {
    return test::ShellKnowsIcon(hidden, kTrayIconId);
}

void DeleteBehindItsBack(HWND hidden) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V2_SIZE;
    data.hWnd = hidden;
    data.uID = kTrayIconId;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &data));
}

// Closes every menu that opens and notes which it was; or chooses the item that many
// steps down.
class MenuWatcher {
public:
    explicit MenuWatcher(int chooseItemsDown = 0) {
        current_ = this;
        chooseItemsDown_ = chooseItemsDown;
        timer_ = SetTimer(nullptr, 0, 30, Check);
    }
    ~MenuWatcher() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    const std::vector<HMENU>& Seen() const { return seen_; }

private:
    static void CALLBACK Check(HWND, UINT, UINT_PTR, DWORD) {
        MenuWatcher* self = current_;
        if (self == nullptr) {
            return;
        }
        HWND menuWindow = FindWindowA("#32768", nullptr);
        if (menuWindow == nullptr || !IsWindowVisible(menuWindow)) {
            self->closing_ = nullptr;
            return;
        }
        const auto menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
        if (menu == self->closing_) {
            return;
        }
        self->seen_.push_back(menu);
        self->closing_ = menu;
        if (self->chooseItemsDown_ > 0) {
            for (int i = 0; i < self->chooseItemsDown_; ++i) {
                PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
            }
            PostMessageA(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
        } else {
            EndMenu();
        }
    }

    static inline MenuWatcher* current_ = nullptr;
    UINT_PTR timer_ = 0;
    int chooseItemsDown_ = 0;
    HMENU closing_ = nullptr;
    std::vector<HMENU> seen_;
};

// The form that owns the icon and its menus; notes the menu commands it receives.
class OwnerWindow : public Window {
public:
    explicit OwnerWindow(DWORD style = WS_POPUP) {
        WNDCLASSEXA windowClass{};
        windowClass.lpszClassName = "VeskTrayTestOwner";
        CreateWindowObject(windowClass, 0, "Vesk", style, 100, 100, 300, 200);
    }
    std::vector<WPARAM> commands;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND) {
            commands.push_back(LOWORD(wParam));
        }
        return DefaultHandling(message, wParam, lParam);
    }
};

HICON TestIcon() {
    return static_cast<HICON>(
        LoadImageA(ProgramInstance(), "MAINICON", IMAGE_ICON, 16, 16, LR_SHARED));
}

struct Menus {
    Menus() {
        AppendMenuA(left.Get(), MF_STRING, 101, "left");
        AppendMenuA(right.Get(), MF_STRING, 201, "first");
        AppendMenuA(right.Get(), MF_STRING, 202, "second");
    }
    MenuHandle left{CreatePopupMenu()};
    MenuHandle right{CreatePopupMenu()};
};

class TrayIconTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(owner.Handle(), nullptr);
        ASSERT_TRUE(TrayIconWindows().empty()) << "another icon is in the tray";
    }

    OwnerWindow owner;
    Menus menus;
};

TEST_F(TrayIconTest, IconIsReallyAddedWithItsTipAndLeavesWithTheObject) {
    const std::string tip = test::Ansi("Vesk 1.3.1 歌詞表示");
    HWND hidden = nullptr;
    {
        TTrayIcon tray(owner.Handle());
        hidden = tray.HiddenWindow();
        char className[64] = {};
        GetClassNameA(hidden, className, sizeof(className));
        EXPECT_STREQ(className, "TaskTrayHandle");
        EXPECT_EQ(GetWindowLongA(hidden, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, WS_EX_TOOLWINDOW);

        IconHandle icon(CopyIcon(TestIcon()));
        ASSERT_TRUE(icon);
        tray.SetIcon(icon.Get());
        icon.Reset();  // the tray keeps its own copy
        tray.SetTipHelp(tip);
        EXPECT_FALSE(tray.Shown()) << "nothing reaches the shell before Loaded";
        tray.Loaded();
        EXPECT_TRUE(tray.Shown());
        EXPECT_TRUE(ShellKnowsIcon(hidden));
        std::vector<HWND> icons = TrayIconWindows();
        ASSERT_EQ(icons.size(), 1u);
        EXPECT_EQ(TipOfTrayIcon(icons[0]), Widen(tip));

        // A new tip reaches the shell at once, cut to what it takes.
        const std::string longTip(200, 'v');
        tray.SetTipHelp(longTip);
        EXPECT_EQ(TipOfTrayIcon(icons[0]), Widen(longTip.substr(0, 127)));
        EXPECT_EQ(tray.TipHelp(), longTip);

        tray.SetVisible(false);
        EXPECT_TRUE(TrayIconWindows().empty());
        tray.SetVisible(true);
        EXPECT_EQ(TrayIconWindows().size(), 1u);
    }
    EXPECT_FALSE(ShellKnowsIcon(hidden));
    EXPECT_TRUE(TrayIconWindows().empty());
    EXPECT_FALSE(IsWindow(hidden));
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    EXPECT_FALSE(GetClassInfoExA(ProgramInstance(), kTrayWindowClass, &windowClass))
        << "the class goes with the last icon";
    EXPECT_EQ(TTrayIconWinProcList::Count(), 0u);
}

TEST_F(TrayIconTest, TaskbarCreatedBringsTheIconBackWithTheSameTip) {
    const std::string tip = test::Ansi("Vesk 1.3.1 再登録");
    TTrayIcon tray(owner.Handle());
    int restarts = 0;
    tray.OnRestartTaskbar = [&] { ++restarts; };
    tray.SetIcon(TestIcon());
    tray.SetTipHelp(tip);
    tray.Loaded();
    ASSERT_EQ(TrayIconWindows().size(), 1u);

    // The shell forgets its icons when it restarts.
    DeleteBehindItsBack(tray.HiddenWindow());
    ASSERT_TRUE(TrayIconWindows().empty());
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    SendMessageA(tray.HiddenWindow(), taskbarCreated, 0, 0);

    EXPECT_TRUE(tray.Shown());
    EXPECT_TRUE(ShellKnowsIcon(tray.HiddenWindow()));
    const std::vector<HWND> icons = TrayIconWindows();
    ASSERT_EQ(icons.size(), 1u);
    EXPECT_EQ(TipOfTrayIcon(icons[0]), Widen(tip));
    EXPECT_EQ(restarts, 1);
}

TEST_F(TrayIconTest, MouseNotificationsOpenTheMenusAndFireTheEnterEvent) {
    TTrayIcon tray(owner.Handle());
    tray.SetIcon(TestIcon());
    tray.SetTipHelp("Vesk");
    tray.SetCheckSingleDoubleClick(true);
    tray.SetLButtonPopupMenu(menus.left.Get());
    tray.SetRButtonPopupMenu(menus.right.Get());
    int enters = 0;
    int exits = 0;
    tray.OnMouseEnter = [&] { ++enters; };
    tray.OnMouseExit = [&] { ++exits; };
    tray.Loaded();
    HWND hidden = tray.HiddenWindow();
    auto notify = [&](UINT mouseMessage) {
        SendMessageA(hidden, kTrayIconMessage, kTrayIconId, mouseMessage);
    };

    SetCursorPos(500, 500);
    notify(WM_MOUSEMOVE);
    notify(WM_MOUSEMOVE);
    EXPECT_EQ(enters, 1);
    {
        MenuWatcher watcher;
        notify(WM_LBUTTONDOWN);
        notify(WM_LBUTTONUP);
        notify(WM_RBUTTONDOWN);
        notify(WM_RBUTTONUP);
        EXPECT_EQ(watcher.Seen(), (std::vector<HMENU>{menus.left.Get(), menus.right.Get()}));
    }
    {
        // The press posted after a double click opens that button's menu again.
        MenuWatcher watcher;
        notify(WM_RBUTTONDBLCLK);
        ASSERT_TRUE(PumpUntil([&] { return !watcher.Seen().empty(); }));
        EXPECT_EQ(watcher.Seen(), std::vector<HMENU>{menus.right.Get()});
    }
    {
        // A chosen item reaches the owner as its command.
        MenuWatcher watcher(2);
        notify(WM_RBUTTONDOWN);
        ASSERT_TRUE(PumpUntil([&] { return !owner.commands.empty(); }));
        EXPECT_EQ(owner.commands, std::vector<WPARAM>{202});
    }
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(exits, 0);

    // Away from where the pointer was seen: the poll notices within a few of its ticks.
    SetCursorPos(900, 700);
    EXPECT_TRUE(PumpUntil([&] { return exits == 1; }, 2000));
    SetCursorPos(500, 500);
    notify(WM_MOUSEMOVE);
    EXPECT_EQ(enters, 2);
    EXPECT_EQ(SendMessageA(hidden, WM_QUERYENDSESSION, 0, 0), 1);
}

TEST_F(TrayIconTest, SingleClickAfterTheDoubleClickTimeDoubleClickNone) {
    TTrayIcon tray(owner.Handle());
    tray.SetIcon(TestIcon());
    tray.SetCheckSingleDoubleClick(true);
    std::vector<TrayButton> clicks;
    std::vector<TrayButton> presses;
    tray.OnMouseClick = [&](TrayButton button) { clicks.push_back(button); };
    tray.OnMouseDown = [&](TrayButton button, POINT) { presses.push_back(button); };
    tray.Loaded();
    auto notify = [&](UINT mouseMessage) {
        SendMessageA(tray.HiddenWindow(), kTrayIconMessage, kTrayIconId, mouseMessage);
    };

    const DWORD doubleClickTime = GetDoubleClickTime();
    notify(WM_LBUTTONDOWN);
    const DWORD released = GetTickCount();
    notify(WM_LBUTTONUP);
    EXPECT_TRUE(clicks.empty());
    ASSERT_TRUE(PumpUntil([&] { return !clicks.empty(); }, doubleClickTime + 2000));
    // Timer ticks are counted coarsely; the click never comes clearly before its time.
    EXPECT_GE(GetTickCount() - released + 20, doubleClickTime);
    EXPECT_EQ(clicks, std::vector<TrayButton>{TrayButton::Left});

    clicks.clear();
    presses.clear();
    notify(WM_RBUTTONDOWN);
    notify(WM_RBUTTONUP);
    notify(WM_RBUTTONDBLCLK);
    notify(WM_RBUTTONUP);
    Pump(doubleClickTime + 300);
    EXPECT_TRUE(clicks.empty());
    EXPECT_EQ(presses, (std::vector<TrayButton>{TrayButton::Right, TrayButton::Right}));
}

TEST_F(TrayIconTest, RealPointerOverWinesTray) {
    TTrayIcon tray(owner.Handle());
    tray.SetIcon(TestIcon());
    tray.SetTipHelp("Vesk");
    tray.SetLButtonPopupMenu(menus.left.Get());
    tray.SetRButtonPopupMenu(menus.right.Get());
    int enters = 0;
    int exits = 0;
    tray.OnMouseEnter = [&] { ++enters; };
    tray.OnMouseExit = [&] { ++exits; };
    tray.Loaded();
    const std::vector<HWND> icons = TrayIconWindows();
    ASSERT_EQ(icons.size(), 1u);
    RECT rect{};
    GetWindowRect(icons[0], &rect);
    const int x = (rect.left + rect.right) / 2;
    const int y = (rect.top + rect.bottom) / 2;

    auto moveTo = [](int px, int py) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = px * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = py * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        SendInput(1, &input, sizeof(input));
    };
    auto button = [](DWORD flags) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flags;
        SendInput(1, &input, sizeof(input));
    };

    moveTo(x - 2, y - 2);
    Pump(100);
    moveTo(x, y);
    ASSERT_TRUE(PumpUntil([&] { return enters == 1; }));
    {
        MenuWatcher watcher;
        button(MOUSEEVENTF_RIGHTDOWN);
        button(MOUSEEVENTF_RIGHTUP);
        ASSERT_TRUE(PumpUntil([&] { return !watcher.Seen().empty(); }));
        EXPECT_EQ(watcher.Seen().front(), menus.right.Get());
        Pump(200);
    }
    moveTo(700, 600);
    EXPECT_TRUE(PumpUntil([&] { return exits == 1; }));
    EXPECT_EQ(enters, 1);
}

TEST_F(TrayIconTest, MinimizeAndRestoreOfTheOwner) {
    OwnerWindow form(WS_OVERLAPPEDWINDOW);
    ShowWindow(form.Handle(), SW_SHOWNORMAL);
    {
        TTrayIcon tray(form.Handle());
        tray.SetIcon(TestIcon());
        tray.SetMinimized(true);
        tray.SetHideOnTaskBar(true);
        tray.Loaded();
        EXPECT_FALSE(tray.Shown()) << "shown only while the owner is minimized";

        ShowWindow(form.Handle(), SW_MINIMIZE);
        EXPECT_TRUE(tray.Shown());
        EXPECT_EQ(TrayIconWindows().size(), 1u);
        EXPECT_FALSE(IsWindowVisible(form.Handle())) << "no task-bar button while minimized";

        ShowWindow(form.Handle(), SW_RESTORE);
        EXPECT_FALSE(tray.Shown());
        EXPECT_TRUE(TrayIconWindows().empty());
        EXPECT_TRUE(ShellKnowsIcon(tray.HiddenWindow())) << "hidden, still registered";
        EXPECT_EQ(GetForegroundWindow(), form.Handle());
    }
    // The owner's own handling is all that is left.
    ShowWindow(form.Handle(), SW_MINIMIZE);
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    EXPECT_TRUE(TrayIconWindows().empty());

    // As the program sets it: always shown, and minimizing only hides the owner.
    ShowWindow(form.Handle(), SW_RESTORE);
    TTrayIcon tray(form.Handle());
    tray.SetIcon(TestIcon());
    tray.SetHideOnTaskBar(true);
    tray.Loaded();
    EXPECT_TRUE(tray.Shown());
    ShowWindow(form.Handle(), SW_MINIMIZE);
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    EXPECT_TRUE(tray.Shown());
    ShowWindow(form.Handle(), SW_RESTORE);
    EXPECT_TRUE(tray.Shown());
}

TEST(ShellVersion, FromDllGetVersionAndFromTheFile) {
    const std::uint32_t version = GetShellVersion();
    EXPECT_GE(version, kShellVersion5);
    EXPECT_EQ(ShellVersionFromFileResource() >> 16, version >> 16);
}

}  // namespace
}  // namespace vesk
