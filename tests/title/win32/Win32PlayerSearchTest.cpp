// The player search against real windows under Wine: windows of this process with classes
// of their own, the fake player in another process, and the Windows Media Player path
// through a registered in-process automation server of the tests.
// Arguments: the paths of fake_player.exe and fake_wmp_server.dll.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "FakePlayerProcess.h"
#include "FakeWmpServer.h"
#include "TestArguments.h"
#include "TestText.h"
#include "title/untTitleGet.h"
#include "title/untWinSearch.h"
#include "title/win32/Win32WindowSystem.h"
#include "tools/ImageHeader.h"

namespace vesk {
namespace {

using test::Ansi;

std::string Argument(std::size_t index) {
    const auto& arguments = test::Arguments();
    return index < arguments.size() ? arguments[index] : std::string();
}

// A top-level window of this process, of a class registered on first use. It stays hidden
// (the search takes hidden windows as well), which keeps the X server out of the test.
class TestWindow {
public:
    TestWindow(const std::string& className, const std::string& caption, HWND owner = nullptr) {
        WNDCLASSEXA existing{};
        existing.cbSize = sizeof(existing);
        if (!GetClassInfoExA(GetModuleHandleA(nullptr), className.c_str(), &existing)) {
            WNDCLASSEXA windowClass{};
            windowClass.cbSize = sizeof(windowClass);
            windowClass.lpfnWndProc = DefWindowProcA;
            windowClass.hInstance = GetModuleHandleA(nullptr);
            windowClass.lpszClassName = className.c_str();
            RegisterClassExA(&windowClass);
        }
        window_ = CreateWindowExA(0, className.c_str(), caption.c_str(), WS_OVERLAPPEDWINDOW, 0, 0,
                                  200, 100, owner, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~TestWindow() { DestroyWindow(window_); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND Get() const { return window_; }
    WindowHandle Handle() const { return ToWindowHandle(window_); }
    // Puts the window in front of every other top-level window.
    void ToFront() const {
        SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }

private:
    HWND window_ = nullptr;
};

// Brings the windows to the front so that they stand in the given order, front first.
void Arrange(std::initializer_list<const TestWindow*> frontToBack) {
    std::vector<const TestWindow*> windows(frontToBack);
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        (*it)->ToFront();
    }
}

TEST(Win32PlayerSearch, RealWindows) {
    const std::string player = "VeskTest.Player";
    const TestWindow rain(player, "Rain - Band");
    const TestWindow sun(player, "Sun - Band [Mine]");
    const TestWindow other("VeskTest.Other", "Other [Mine]");
    const TestWindow pop("VeskTest.Media", Ansi("ポップ - Band"));
    const TestWindow live("VeskTest.Media", "Sun | Live");
    const TestWindow quiet("VeskTest.Quiet", "");
    const TestWindow summer("VeskTest.Japanese", Ansi("夏の雨 - 青空"));
    Arrange({&other, &rain, &sun, &pop, &live});

    const TTitleGet& get = TitleGet();
    // No filter: the front window of the class, whatever its caption.
    EXPECT_EQ(get.GetPlayerCaption(player, ""), "Rain - Band");
    EXPECT_EQ(get.FindPlayerWindow(player, ""), rain.Handle());
    sun.ToFront();
    EXPECT_EQ(get.GetPlayerCaption(player, ""), "Sun - Band [Mine]");
    Arrange({&other, &rain, &sun});

    // Filter: the window of the class without it is passed over; another class with it is
    // never taken.
    EXPECT_EQ(get.GetPlayerCaption(player, "[Mine]"), "Sun - Band [Mine]");
    EXPECT_EQ(get.FindPlayerWindow(player, "[Mine]"), sun.Handle());
    EXPECT_EQ(get.GetPlayerCaption(player, "Nothing"), "");
    EXPECT_EQ(get.FindPlayerWindow(player, "Nothing"), kNoWindow);

    // Letter case of the class: the system's lookup ignores it, the filtered search not.
    EXPECT_EQ(get.GetPlayerCaption("vesktest.PLAYER", ""), "Rain - Band");
    EXPECT_EQ(get.GetPlayerCaption("vesktest.PLAYER", "[Mine]"), "");
    EXPECT_EQ(get.FindPlayerWindow("vesktest.PLAYER", "[Mine]"), kNoWindow);

    // An empty class name finds nothing.
    EXPECT_EQ(get.GetPlayerCaption("", ""), "");
    EXPECT_EQ(get.GetPlayerCaption("", "Rain"), "");
    EXPECT_EQ(get.FindPlayerWindow("", ""), kNoWindow);

    // An empty caption is an empty result, and so "PlayerNotFound".
    EXPECT_EQ(get.FindPlayerWindow("VeskTest.Quiet", ""), quiet.Handle());
    EXPECT_EQ(get.GetPlayerCaption("VeskTest.Quiet", ""), "");
    EXPECT_EQ(get.GetSongTitle(get.GetPlayerCaption("VeskTest.Quiet", ""), "-", 1, 0, 0),
              "PlayerNotFound");

    // 「ポ」 ends in the byte of 「|」: that window is passed over for the one behind it.
    Arrange({&pop, &live});
    EXPECT_EQ(get.GetPlayerCaption("VeskTest.Media", "|"), "Sun | Live");
    EXPECT_EQ(get.GetPlayerCaption("VeskTest.Media", Ansi("ッ")), Ansi("ポップ - Band"));

    // Japanese captions arrive as their code page 932 bytes and work as filters.
    EXPECT_EQ(get.GetPlayerCaption("VeskTest.Japanese", Ansi("青空")), Ansi("夏の雨 - 青空"));
    EXPECT_EQ(get.GetSongTitle(get.GetPlayerCaption("VeskTest.Japanese", ""), "-", 2, 0, 0),
              Ansi("青空"));
}

TEST(Win32PlayerSearch, EnumerationAndWindowReads) {
    const TestWindow back("VeskTest.Back", "back");
    const TestWindow front("VeskTest.Front", "front");
    const TestWindow owned("VeskTest.Owned", "tool", front.Get());
    const std::string longClass = "VeskTest." + std::string(111, 'L');
    const TestWindow longNamed(longClass, "Long");
    Arrange({&front, &back});

    const std::vector<WindowHandle> windows = EnumTopWindows();
    const auto at = [&windows](const TestWindow& w) {
        return std::find(windows.begin(), windows.end(), w.Handle()) - windows.begin();
    };
    ASSERT_LT(at(front), static_cast<std::ptrdiff_t>(windows.size()));
    ASSERT_LT(at(back), static_cast<std::ptrdiff_t>(windows.size()));
    EXPECT_LT(at(front), at(back)) << "front to back";
    EXPECT_LT(at(owned), static_cast<std::ptrdiff_t>(windows.size())) << "owned windows too";
    EXPECT_LE(windows.size(), kMaxTopWindows);

    EXPECT_EQ(WindowClassName(front.Handle()), "VeskTest.Front");
    EXPECT_EQ(WindowText(front.Handle()), "front");
    EXPECT_TRUE(HasOwner(owned.Handle()));
    EXPECT_FALSE(HasOwner(front.Handle()));

    // Class names are read into 100 bytes: 99 of them take part in the filtered search.
    EXPECT_EQ(WindowClassName(longNamed.Handle()), longClass.substr(0, 99));
    EXPECT_EQ(TitleGet().GetPlayerCaption(longClass, ""), "Long");
    EXPECT_EQ(TitleGet().GetPlayerCaption(longClass, "Long"), "");
    EXPECT_EQ(TitleGet().GetPlayerCaption(longClass.substr(0, 99), "Long"), "Long");
}

TEST(Win32PlayerSearch, PlayerInAnotherProcess) {
    const std::string className = "VeskTest.FakePlayer." + std::to_string(GetCurrentProcessId());
    test::FakePlayerProcess player(Argument(0), className, "Rain - Band");
    ASSERT_TRUE(player.Started()) << "fake player: " << Argument(0);

    const TTitleGet& get = TitleGet();
    EXPECT_EQ(get.GetPlayerCaption(className, ""), "Rain - Band");
    ASSERT_TRUE(player.SetCaption("夏の雨 - 青空"));
    EXPECT_EQ(get.GetPlayerCaption(className, ""), Ansi("夏の雨 - 青空"));
    EXPECT_EQ(get.GetPlayerCaption(className, Ansi("青空")), Ansi("夏の雨 - 青空"));
    ASSERT_TRUE(player.SetCaption(""));
    EXPECT_EQ(get.GetPlayerCaption(className, ""), "");

    // The window found is the player's own: closing it ends the player.
    const WindowHandle window = get.FindPlayerWindow(className, "");
    ASSERT_NE(window, kNoWindow);
    SendMessageA(ToHwnd(window), WM_CLOSE, 0, 0);
    EXPECT_TRUE(player.Ended(10000));
    EXPECT_EQ(get.GetSongTitle(get.GetPlayerCaption(className, ""), "-", 1, 0, 0),
              "PlayerNotFound");
}

// The default value of a key under HKEY_CLASSES_ROOT in the 32-bit view of the registry,
// where a 32-bit program looks (WOW6432Node on a 64-bit system); empty if there is none.
std::string ClassesValueIn32BitView(const std::string& subkey) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, subkey.c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY,
                      &key) != ERROR_SUCCESS) {
        return "";
    }
    char value[MAX_PATH] = {};
    DWORD size = sizeof(value);
    const LONG result = RegGetValueA(key, nullptr, nullptr, RRF_RT_REG_SZ, nullptr, value, &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? value : "";
}

std::string ServerIn32BitView() {
    const std::string classId = ClassesValueIn32BitView("WMPuICE.WMPApp.1\\CLSID");
    return classId.empty() ? "" : ClassesValueIn32BitView("CLSID\\" + classId + "\\InprocServer32");
}

class ComScope {
public:
    ComScope() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComScope() {
        if (initialised_) {
            CoUninitialize();
        }
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool initialised_;
};

TEST(Win32PlayerSearch, WindowsMediaPlayerThroughAutomation) {
    const ComScope com;
    test::FakeWmpServer server(Argument(1));
    ASSERT_TRUE(server.Ready()) << "automation server: " << Argument(1);
    // The server is a 32-bit DLL, as the player's own is, registered where a 32-bit program
    // looks; it is loaded into this process as Vesk loads it.
    const std::optional<test::ImageHeader> image = test::ReadImageHeader(server.Path());
    ASSERT_TRUE(image.has_value()) << server.Path();
    EXPECT_EQ(image->machine, IMAGE_FILE_MACHINE_I386);
    EXPECT_EQ(lstrcmpiA(ServerIn32BitView().c_str(), server.Path().c_str()), 0)
        << ServerIn32BitView() << " registered, " << server.Path() << " loaded";
    const TTitleGet& get = TitleGet();

    // Not running: empty, not the failure text.
    server.SetMedia(L"夏の雨");
    EXPECT_EQ(get.GetPlayerCaption("WMPlayerApp", ""), "");
    EXPECT_EQ(server.LiveObjects(), 0);

    {
        const TestWindow wmp("WMPlayerApp", "Windows Media Player");
        // The name of the current media, whatever the filter.
        EXPECT_EQ(get.GetPlayerCaption("WMPlayerApp", "no such text"),
                  Ansi("夏の雨") + " - Windows Media Player");
        EXPECT_EQ(server.LiveObjects(), 0) << "every automation object released";
        EXPECT_EQ(get.GetSongTitle(get.GetPlayerCaption("WMPlayerApp", ""), "", 1, 0, 23),
                  Ansi("夏の雨"));
        // The player's window is found by its class like any other.
        EXPECT_EQ(get.FindPlayerWindow("WMPlayerApp", ""), wmp.Handle());

        // No current media: the failure text, and nothing left alive.
        server.SetMedia(nullptr);
        EXPECT_EQ(get.GetPlayerCaption("WMPlayerApp", ""), "- Windows Media Player");
        EXPECT_EQ(server.LiveObjects(), 0);

        // No automation server installed: the failure text too.
        server.SetMedia(L"Rain");
        EXPECT_EQ(get.GetPlayerCaption("WMPlayerApp", ""), "Rain - Windows Media Player");
        server.Unregister();
        EXPECT_EQ(get.GetPlayerCaption("WMPlayerApp", ""), "- Windows Media Player");
        EXPECT_EQ(server.LiveObjects(), 0);
    }
}

}  // namespace
}  // namespace vesk
